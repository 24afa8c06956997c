#pragma once
// Every user option, one field per key of the settings file. A choice is an enum class whose
// values are the item indexes the file stores; NotChosen (-1) stands for no item chosen. The
// first-run and "&Defaults" values live in the key table (settings_keys.h).

#include <string>
#include <type_traits>

namespace vantrel::core {

// "Date Format" and "Time Format": the civil date (or time) in the locale's short or long
// form, or left out of the date text.
enum class DateFormat { NotChosen = -1, Short = 0, Long = 1, Omitted = 2 };
enum class TimeFormat { NotChosen = -1, Short = 0, Long = 1, Omitted = 2 };

// "Lines": how many lines the date text is laid out on.
enum class LineCount { NotChosen = -1, One = 0, Two = 1, Three = 2 };

// "Day Begins": the moment the Latin weekday turns.
enum class DayStart { NotChosen = -1, Midnight = 0, Sunrise = 1, Sunset = 2 };

// "Format": the year written as the completed 22-year cycles followed by the year within the
// cycle, each as an upper- or lower-case Roman numeral or in digits. Year count 96 (cycle 4,
// year 8) reads "IVviii", "iv8", "ivVIII", "4viii" and "4VIII" in order.
enum class YearFormat {
    NotChosen = -1,
    UpperRomanLowerRoman = 0,
    LowerRomanDigits = 1,
    LowerRomanUpperRoman = 2,
    DigitsLowerRoman = 3,
    DigitsUpperRoman = 4,
};

// "Time": the clock the entered time is read on. SystemZone takes the zone and daylight saving
// from the computer's tz zone, PlaceZone from the tz zone of the place chosen by name
// (Settings::zoneName), each for the moment entered.
enum class TimeMode { NotChosen = -1, Standard = 0, Daylight = 1, SystemZone = 2, PlaceZone = 3 };

// "Aspect": the Sun and the Moon shown by their sign alone ("Sol in Gemini") or with the whole
// degree ("Sol 13° Gemini").
enum class SignDisplay { NotChosen = -1, SignOnly = 0, WithDegree = 1 };

// "Zodiac".
enum class Zodiac { NotChosen = -1, Tropical = 0, Sidereal = 1 };

// "House System": the value is the engine's house-system number.
enum class HouseSystem {
    NotChosen = -1,
    Placidus = 0,
    Koch = 1,
    Equal = 2,
    Campanus = 3,
    Meridian = 4,
    Regiomontanus = 5,
    Porphyry = 6,
    Morinus = 7,
    Topocentric = 8,
    Alcabitius = 9,
    EqualFromMidheaven = 10,
    NeoPorphyry = 11,
    WholeSign = 12,
    NoHouses = 13,
};

// "Basic": the word before the year.
enum class YearPrefix { NotChosen = -1, An = 0, Anno = 1, Omitted = 2 };

// The item index a choice is stored as; -1 for NotChosen.
template <typename Choice>
requires std::is_enum_v<Choice>
constexpr int choiceIndex(Choice choice)
{
    return static_cast<int>(choice);
}

// The choice stored as `index`, which must be -1 or the index of one of its items.
template <typename Choice>
requires std::is_enum_v<Choice>
constexpr Choice choiceFromIndex(int index)
{
    return static_cast<Choice>(index);
}

struct Settings {
    // A new record holds the first-run values listed in the key table. The empty braces
    // below only keep a field that the table left out from being indeterminate.
    Settings();

    // Formatting
    DateFormat dateFormat{};
    TimeFormat timeFormat{};
    LineCount lineCount{};
    DayStart dayStart{};
    YearFormat yearFormat{};
    TimeMode timeMode{};
    SignDisplay signDisplay{};
    Zodiac zodiac{};
    HouseSystem houseSystem{};
    YearPrefix yearPrefix{};

    bool clearDataWindow{};
    bool dateInCaption{};
    bool copyEveryDate{};
    bool greetings{};
    bool quotedGreetings{};
    bool wheelChart{};
    bool wheelReversed{};
    bool wheelMonochrome{};
    bool aspectCharts{};
    bool hints{};

    // Location texts, used exactly as typed.
    std::string longitude;
    std::string latitude;
    std::string zone;
    // The tz zone of the place last chosen by name ("America/Chicago"); empty until one is.
    std::string zoneName;

    // Rise/set/zenith/nadir alarms.
    bool alarmSun{};
    bool alarmMoon{};
    bool alarmMercury{};
    bool alarmVenus{};
    bool alarmMars{};
    bool alarmJupiter{};
    bool alarmNeptune{};
    bool alarmUranus{};
    bool alarmSaturn{};
    bool alarmPluto{};

    // Planetary-hour alarms.
    bool hourAlarmSun{};
    bool hourAlarmMoon{};
    bool hourAlarmMercury{};
    bool hourAlarmVenus{};
    bool hourAlarmMars{};
    bool hourAlarmJupiter{};
    bool hourAlarmSaturn{};

    // The chart engine's command (settings key "Astrolog"); empty: vantrel-engine beside the
    // program.
    std::string engineCommand;

    bool operator==(const Settings&) const = default;
};

// What the options dialog's "&Defaults" button sets: the choices and boxes, not the location
// texts and not the engine command.
void reset(Settings& settings);

// The main window's layout keys.
struct MainWindowLayout {
    bool toolBar = true;
    bool statusBar = true;
    bool monthCalendar = true;
    int clientHeight = 315;
    int clientWidth = 400;
    int top = 10;
    int left = 10;
    bool showOnStartup = true;  // "TOTD"
    bool verseOfDay = false;    // "VOD"

    bool operator==(const MainWindowLayout&) const = default;
};

}  // namespace vantrel::core
