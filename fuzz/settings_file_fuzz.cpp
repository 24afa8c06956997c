// The settings file's text: every key read as the program reads it, then one written and read
// back, which must give what was written.

#include "core/common/text_file.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_keys.h"
#include "fuzz/fuzz_input.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::textOf(data, size);
    core::IniFile ini(core::linesFromFileBytes(input));
    const std::string section(core::kSectionName);
    for (const core::SettingKey& key : core::settingKeys()) {
        ini.readInteger(section, key.key, 1);
        ini.readBool(section, key.key, true);
        if (const auto text = ini.readString(section, key.key))
            core::readIniInteger(*text);
    }
    // The value is the input's first line, blanks around it removed as every read removes them.
    const auto lines = core::splitLines(input.substr(0, 200));
    std::string value = lines.empty() ? "" : lines.front();
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.pop_back();
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.erase(0, 1);
    ini.writeString(section, "Longitude", value);
    const auto back = ini.readString(section, "Longitude");
    fuzz::require(back && *back == value, "a written value reads back");
    return 0;
}
