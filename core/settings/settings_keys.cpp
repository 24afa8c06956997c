#include "core/settings/settings_keys.h"

#include <array>

namespace vantrel::core {

namespace {

using S = Settings;

template <auto Field, typename Choice>
constexpr SettingKey choice(std::string_view key, std::string_view fieldName, int itemCount,
                            Choice firstRun, Choice reset,
                            ChoiceControl control = ChoiceControl::ButtonGroup)
{
    static_assert(std::is_same_v<Choice, std::remove_cvref_t<decltype(std::declval<S&>().*Field)>>);
    return {key, fieldName, SavedBy::Options,
            ChoiceSetting{choiceField<Field>(), itemCount, control, choiceIndex(firstRun),
                          choiceIndex(reset)}};
}

constexpr SettingKey flag(std::string_view key, std::string_view fieldName, bool S::*member,
                          bool firstRun, bool reset)
{
    return {key, fieldName, SavedBy::Options, FlagSetting{member, firstRun, reset}};
}

constexpr SettingKey text(std::string_view key, std::string_view fieldName, std::string S::*member,
                          std::string_view firstRun, SavedBy savedBy)
{
    return {key, fieldName, savedBy, TextSetting{member, firstRun}};
}

// key, field name, [item count,] first run, "&Defaults"
constexpr std::array kKeys = {
    choice<&S::ODateFormat>("DateFormat", "ODateFormat", 3, DateFormat::Long, DateFormat::Long),
    choice<&S::OTimeFormat>("TimeFormat", "OTimeFormat", 3, TimeFormat::Short, TimeFormat::Short),
    choice<&S::OLines>("Lines", "OLines", 3, LineCount::Two, LineCount::Two),
    choice<&S::OFormat>("Format", "OFormat", 5, YearFormat::LowerRomanDigits,
                        YearFormat::UpperRomanLowerRoman),
    // An older program reads the fourth item, 3, as its last one, "System Locale Settings".
    choice<&S::OTime>("Time", "OTime", 4, TimeMode::Standard, TimeMode::Standard),
    choice<&S::DayBegins>("Day Begins", "DayBegins", 3, DayStart::Midnight, DayStart::Midnight,
                          ChoiceControl::DropDownList),
    choice<&S::OAspect>("Aspect", "OAspect", 2, SignDisplay::WithDegree, SignDisplay::WithDegree),
    choice<&S::OZodiac>("Zodiac", "OZodiac", 2, Zodiac::Tropical, Zodiac::Tropical),
    choice<&S::OHouseSystem>("House System", "OHouseSystem", 14, HouseSystem::Placidus,
                             HouseSystem::Placidus),
    choice<&S::OBasic>("Basic", "OBasic", 3, YearPrefix::An, YearPrefix::Anno),

    flag("Clear", "OClear", &S::OClear, true, true),
    flag("Wheel Chart", "OWheelChart", &S::OWheelChart, false, false),
    flag("Wheel Reverse", "WheelReverse", &S::WheelReverse, true, true),
    flag("Monochrome", "Monochrome", &S::Monochrome, true, true),
    flag("Aspect Charts", "OAspects", &S::OAspects, false, false),
    flag("Hints", "OHints", &S::OHints, true, true),
    flag("Update Caption", "UpdateCaption", &S::UpdateCaption, false, false),
    flag("Replace Clip", "ReplaceClip", &S::ReplaceClip, false, false),
    flag("Greetings", "Greetings", &S::Greetings, false, false),
    flag("Quoted", "Quoted", &S::Quoted, false, false),

    flag("Sun", "cbSun", &S::cbSun, true, true),
    flag("Moon", "cbMoon", &S::cbMoon, false, false),
    flag("Mercury", "cbMercury", &S::cbMercury, false, false),
    flag("Venus", "cbVenus", &S::cbVenus, false, false),
    flag("Mars", "cbMars", &S::cbMars, false, false),
    flag("Jupiter", "cbJupiter", &S::cbJupiter, false, false),
    flag("Neptune", "cbNeptune", &S::cbNeptune, false, false),
    flag("Uranus", "cbUranus", &S::cbUranus, false, false),
    flag("Saturn", "cbSaturn", &S::cbSaturn, false, false),
    flag("Pluto", "cbPluto", &S::cbPluto, false, false),
    flag("Hour Sun", "cbHSun", &S::cbHSun, true, false),
    flag("Hour Moon", "cbHMoon", &S::cbHMoon, false, false),
    flag("Hour Mercury", "cbHMercury", &S::cbHMercury, false, false),
    flag("Hour Venus", "cbHVenus", &S::cbHVenus, false, false),
    flag("Hour Mars", "cbHMars", &S::cbHMars, false, false),
    flag("Hour Jupiter", "cbHJupiter", &S::cbHJupiter, false, false),
    flag("Hour Saturn", "cbHSaturn", &S::cbHSaturn, false, false),

    text("Longitude", "Long", &S::Long, "93W21", SavedBy::Location),
    text("Latitude", "Lat", &S::Lat, "45N05", SavedBy::Location),
    text("Time Zone", "Zone", &S::Zone, "6", SavedBy::Location),
    // Unknown to older programs, which keep it as it stands.
    text("Zone Name", "ZoneName", &S::ZoneName, "", SavedBy::OptionsAndLocation),
    // Names another engine; unknown to the original key set.
    text("Astrolog", "Astrolog", &S::Astrolog, "", SavedBy::HandEditing),
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
