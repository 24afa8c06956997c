#pragma once
// The planetary hours of a day: daylight (sunrise to sunset) and the following darkness (sunset
// to the next sunrise) each cut into twelve equal hours, every hour with its planetary ruler,
// and the texts the hours window shows.

#include <array>
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/date_time.h"
#include "core/common/regional_settings.h"
#include "core/hours/rise_set_times.h"

namespace vantrel::core {

// The moment of an alarm entry: month, day, year, hour on the 12-hour clock, minutes and a
// lower-case "am"/"pm", 18 characters with the locale's separators.
inline constexpr std::string_view kEventTimeFormat = "mm/dd/yyyy hh:nnam/pm";
inline constexpr std::string_view kSixBlanks = "      ";
inline constexpr std::string_view Blanks8 = "        ";
inline constexpr std::string_view kHourTag = "      Hour";

// The Chaldean order in which the rulers follow one another, hour after hour.
inline constexpr std::array<std::string_view, 7> kRulerCycle = {
    "Sun", "Venus", "Mercury", "Moon", "Saturn", "Jupiter", "Mars"};

// Position in kRulerCycle of the ruler of the first day hour, for weekday 1 (Sunday) to
// 7 (Saturday): each weekday is named after the ruler of its first hour.
int firstRulerIndex(int weekday);
// The ruler of day hour (1..12) or night hour (1..12) on the given weekday (1..7).
std::string_view dayHourRuler(int weekday, int hour);
std::string_view nightHourRuler(int weekday, int hour);

// The alarm entry for an hour that starts at `start`: six blanks, the moment in kEventTimeFormat
// (columns 7-24), a blank, the ruler padded or cut to eight characters (26-33) and kHourTag
// ("Hour" in 40-43).
std::string hourEntry(const LocalDateTime& start, std::string_view ruler,
                      const RegionalSettings& regional);

struct PlanetaryHour {
    LocalDateTime start;
    std::string ruler;
};

struct PlanetaryHoursReport {
    // False when the Sun does not both rise and set in order on the shown date (polar day or
    // night, or events missing from the listings): then there are no hours and no entries.
    bool hasHours = false;
    std::chrono::milliseconds dayHourLength{0};  // one day hour, cut to the millisecond
    std::chrono::milliseconds nightHourLength{0};
    std::array<PlanetaryHour, 12> dayHours{};
    std::array<PlanetaryHour, 12> nightHours{};

    std::vector<std::string> sunMoonList;  // nine lines
    std::string statusText;
    // Row 0 the headings, rows 1..12 the hours; columns: day start, day ruler, night start,
    // night ruler.
    std::array<std::array<std::string, 4>, 13> table{};
    std::vector<std::string> hoursList;    // 27 lines when there are hours
    std::vector<std::string> hourEntries;  // 24 alarm entries when there are hours
};

// The text shown in place of the hours when the Sun does not rise and set in order that day.
inline constexpr std::string_view kNoSunriseText = "The Sun does not rise or set on this day";

// Computes the hours for the shown civil date `shownDate` (its weekday picks the first ruler)
// from the rise and set times; `datePattern` is the civil-date pattern of the last calculation,
// used for the two heading rows.
PlanetaryHoursReport computePlanetaryHours(const RiseSetTimes& times, Date shownDate,
                                           std::string_view datePattern,
                                           const RegionalSettings& regional);

}  // namespace vantrel::core
