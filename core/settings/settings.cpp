#include "core/settings/settings.h"

#include "core/settings/settings_keys.h"

namespace vantrel::core {

Settings::Settings()
{
    for (const SettingKey& key : settingKeys()) {
        std::visit(Overloaded{
                       [this](const ChoiceSetting& choice) {
                           choice.field.choose(*this, choice.firstRun);
                       },
                       [this](const FlagSetting& flag) { this->*flag.field = flag.firstRun; },
                       [this](const TextSetting& text) { this->*text.field = text.firstRun; },
                   },
                   key.value);
    }
}

void reset(Settings& settings)
{
    for (const SettingKey& key : settingKeys()) {
        std::visit(
            Overloaded{
                [&](const ChoiceSetting& choice) { choice.field.choose(settings, choice.reset); },
                [&](const FlagSetting& flag) { settings.*flag.field = flag.reset; },
                // The location texts and the engine command are left as they are.
                [](const TextSetting&) {},
            },
            key.value);
    }
}

}  // namespace vantrel::core
