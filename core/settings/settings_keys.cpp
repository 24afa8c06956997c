#include "core/settings/settings_keys.h"

#include <array>

namespace vantrel::core {

namespace {

using S = Settings;

template <auto Field, typename Choice>
constexpr SettingKey choice(std::string_view key, std::string_view controlName, int itemCount,
                            Choice firstRun, Choice reset,
                            ChoiceControl control = ChoiceControl::ButtonGroup)
{
    static_assert(std::is_same_v<Choice, std::remove_cvref_t<decltype(std::declval<S&>().*Field)>>);
    return {key, controlName, SavedBy::Options,
            ChoiceSetting{choiceField<Field>(), itemCount, control, choiceIndex(firstRun),
                          choiceIndex(reset)}};
}

constexpr SettingKey flag(std::string_view key, std::string_view controlName, bool S::*member,
                          bool firstRun, bool reset)
{
    return {key, controlName, SavedBy::Options, FlagSetting{member, firstRun, reset}};
}

constexpr SettingKey text(std::string_view key, std::string_view controlName,
                          std::string S::*member, std::string_view firstRun, SavedBy savedBy)
{
    return {key, controlName, savedBy, TextSetting{member, firstRun}};
}

// key, control name, [item count,] first run, "&Defaults"
constexpr std::array kKeys = {
    choice<&S::dateFormat>("DateFormat", "ODateFormat", 3, DateFormat::Long, DateFormat::Long),
    choice<&S::timeFormat>("TimeFormat", "OTimeFormat", 3, TimeFormat::Short, TimeFormat::Short),
    choice<&S::lineCount>("Lines", "OLines", 3, LineCount::Two, LineCount::Two),
    choice<&S::yearFormat>("Format", "OFormat", 5, YearFormat::LowerRomanDigits,
                           YearFormat::UpperRomanLowerRoman),
    // An older program reads the fourth item, 3, as its last one, "System Locale Settings".
    choice<&S::timeMode>("Time", "OTime", 4, TimeMode::Standard, TimeMode::Standard),
    choice<&S::dayStart>("Day Begins", "DayBegins", 3, DayStart::Midnight, DayStart::Midnight,
                         ChoiceControl::DropDownList),
    choice<&S::signDisplay>("Aspect", "OAspect", 2, SignDisplay::WithDegree,
                            SignDisplay::WithDegree),
    choice<&S::zodiac>("Zodiac", "OZodiac", 2, Zodiac::Tropical, Zodiac::Tropical),
    choice<&S::houseSystem>("House System", "OHouseSystem", 14, HouseSystem::Placidus,
                            HouseSystem::Placidus),
    choice<&S::yearPrefix>("Basic", "OBasic", 3, YearPrefix::An, YearPrefix::Anno),

    flag("Clear", "OClear", &S::clearDataWindow, true, true),
    flag("Wheel Chart", "OWheelChart", &S::wheelChart, false, false),
    flag("Wheel Reverse", "WheelReverse", &S::wheelReversed, true, true),
    flag("Monochrome", "Monochrome", &S::wheelMonochrome, true, true),
    flag("Aspect Charts", "OAspects", &S::aspectCharts, false, false),
    flag("Hints", "OHints", &S::hints, true, true),
    flag("Update Caption", "UpdateCaption", &S::dateInCaption, false, false),
    flag("Replace Clip", "ReplaceClip", &S::copyEveryDate, false, false),
    flag("Greetings", "Greetings", &S::greetings, false, false),
    flag("Quoted", "Quoted", &S::quotedGreetings, false, false),

    flag("Sun", "cbSun", &S::alarmSun, true, true),
    flag("Moon", "cbMoon", &S::alarmMoon, false, false),
    flag("Mercury", "cbMercury", &S::alarmMercury, false, false),
    flag("Venus", "cbVenus", &S::alarmVenus, false, false),
    flag("Mars", "cbMars", &S::alarmMars, false, false),
    flag("Jupiter", "cbJupiter", &S::alarmJupiter, false, false),
    flag("Neptune", "cbNeptune", &S::alarmNeptune, false, false),
    flag("Uranus", "cbUranus", &S::alarmUranus, false, false),
    flag("Saturn", "cbSaturn", &S::alarmSaturn, false, false),
    flag("Pluto", "cbPluto", &S::alarmPluto, false, false),
    flag("Hour Sun", "cbHSun", &S::hourAlarmSun, true, false),
    flag("Hour Moon", "cbHMoon", &S::hourAlarmMoon, false, false),
    flag("Hour Mercury", "cbHMercury", &S::hourAlarmMercury, false, false),
    flag("Hour Venus", "cbHVenus", &S::hourAlarmVenus, false, false),
    flag("Hour Mars", "cbHMars", &S::hourAlarmMars, false, false),
    flag("Hour Jupiter", "cbHJupiter", &S::hourAlarmJupiter, false, false),
    flag("Hour Saturn", "cbHSaturn", &S::hourAlarmSaturn, false, false),

    text("Longitude", "Long", &S::longitude, "93W21", SavedBy::Location),
    text("Latitude", "Lat", &S::latitude, "45N05", SavedBy::Location),
    text("Time Zone", "Zone", &S::zone, "6", SavedBy::Location),
    // The tz zone of the place found by name, saved with that place. Unknown to older
    // programs, which keep it as it stands.
    text("Zone Name", "ZoneName", &S::zoneName, "", SavedBy::Location),
    // Names another engine; unknown to the original key set.
    text("Astrolog", "Astrolog", &S::engineCommand, "", SavedBy::HandEditing),
};

}  // namespace

int ChoiceSetting::clamped(int stored) const
{
    if (stored >= 0 && stored < itemCount)
        return stored;
    if (control == ChoiceControl::ButtonGroup && stored >= itemCount)
        return itemCount - 1;
    return -1;
}

std::span<const SettingKey> settingKeys()
{
    return kKeys;
}

}  // namespace vantrel::core
