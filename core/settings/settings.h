#pragma once
// Every user option, one field per key of the settings file. Choice fields hold the zero-based
// index of the chosen item; -1 means nothing is chosen.

#include <string>

namespace vantrel::core {

struct Settings {
    // Formatting
    int ODateFormat = 1;   // 0 "Short Format", 1 "Long Format", 2 "None"
    int OTimeFormat = 0;   // 0 "Short Format", 1 "Long Format", 2 "None"
    int OLines = 1;        // 0 "One Line", 1 "Two Lines", 2 "Three Lines"
    int DayBegins = 0;     // 0 "12:00 (Common Time)", 1 "Sun Rise", 2 "Sun Set"
    int OFormat = 1;       // year format: 0 "IVv", 1 "iv5", 2 "ivV", 3 "4v", 4 "4V"
    int OTime = 0;         // 0 "Standard Time", 1 "Daylight Time", 2 "System Locale Settings"
    int OAspect = 1;       // 0 "Simple", 1 "Degrees"
    int OZodiac = 0;       // 0 "Tropical", 1 "Siderial"
    int OHouseSystem = 0;  // 0 "Placidus" ... 13 "None"
    int OBasic = 0;        // 0 "An", 1 "Anno", 2 "None"

    bool OClear = true;
    bool UpdateCaption = false;
    bool ReplaceClip = false;
    bool Greetings = false;
    bool Quoted = false;
    bool OWheelChart = false;
    bool WheelReverse = true;
    bool Monochrome = true;
    bool OAspects = false;
    bool OHints = true;

    // Location texts, used exactly as typed.
    std::string Long = "93W21";
    std::string Lat = "45N05";
    std::string Zone = "6";

    // Rise/set/zenith/nadir alarms.
    bool cbSun = true;
    bool cbMoon = false;
    bool cbMercury = false;
    bool cbVenus = false;
    bool cbMars = false;
    bool cbJupiter = false;
    bool cbNeptune = false;
    bool cbUranus = false;
    bool cbSaturn = false;
    bool cbPluto = false;

    // Planetary-hour alarms.
    bool cbHSun = true;
    bool cbHMoon = false;
    bool cbHMercury = false;
    bool cbHVenus = false;
    bool cbHMars = false;
    bool cbHJupiter = false;
    bool cbHSaturn = false;

    // The chart engine's command (settings key "Astrolog"); empty: vantrel-engine beside the
    // program.
    std::string Astrolog;

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
