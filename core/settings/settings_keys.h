#pragma once
// The option keys of the settings file in one table: for every key its text, the Settings
// field it holds, the kind of value, the first-run value and what "&Defaults" sets. Loading,
// saving, "&Defaults" and a new Settings record all walk it, and the options dialog can bind
// its controls by it: each key also names the options dialog's control that shows it.

#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "core/settings/settings.h"

namespace vantrel::core {

// How a choice is shown, which decides how a stored value outside its items is taken.
enum class ChoiceControl {
    // Option buttons: a value past the last item chooses the last one, one below 0 none.
    ButtonGroup,
    // A drop-down list: anything that is not an item chooses none.
    DropDownList,
};

// A choice field seen through the item index the file stores (-1: nothing chosen), whatever
// its enum type.
struct ChoiceField {
    int (*index)(const Settings& settings);
    // `index` must be -1 or an item's index.
    void (*choose)(Settings& settings, int index);
};

template <auto Field> constexpr ChoiceField choiceField()
{
    using Choice = std::remove_cvref_t<decltype(std::declval<Settings&>().*Field)>;
    return {
        [](const Settings& settings) { return choiceIndex(settings.*Field); },
        [](Settings& settings, int index) { settings.*Field = choiceFromIndex<Choice>(index); }};
}

struct ChoiceSetting {
    ChoiceField field;
    int itemCount;
    ChoiceControl control;
    int firstRun;
    int reset;  // what "&Defaults" sets

    // The item index a stored value chooses, by the rule of the control.
    int clamped(int stored) const;
};

struct FlagSetting {
    bool Settings::*field;
    bool firstRun;
    bool reset;  // what "&Defaults" sets
};

// Texts are kept as typed; "&Defaults" leaves them alone.
struct TextSetting {
    std::string Settings::*field;
    std::string_view firstRun;
};

// Which write puts a key into the file.
enum class SavedBy {
    Options,      // the options dialog's closing
    Location,     // "Save lat/long"
    HandEditing,  // never written by the program
};

struct SettingKey {
    std::string_view key;          // as written in the file
    std::string_view controlName;  // the objectName of the options dialog's control showing it
    SavedBy savedBy;
    std::variant<ChoiceSetting, FlagSetting, TextSetting> value;
};

// Every option key, in the order saving writes them (the order new keys take in the file).
std::span<const SettingKey> settingKeys();

// One lambda per kind, for std::visit over SettingKey::value.
template <typename... Kinds> struct Overloaded : Kinds... {
    using Kinds::operator()...;
};
// Spelled out for compilers without aggregate deduction (clang before 17, used for fuzzing).
template <typename... Kinds> Overloaded(Kinds...) -> Overloaded<Kinds...>;

}  // namespace vantrel::core
