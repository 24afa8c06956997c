#pragma once

// The command file: a first byte '@', then one switch per line with its arguments.

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ephemeris.h"
#include "engine/objects.h"

namespace vantrel::engine {

// An error in the command file; line is 1-based, 0 when it concerns no line.
class CommandError : public std::runtime_error {
public:
    CommandError(int line, const std::string& what) : std::runtime_error(what), m_line(line) {}
    int line() const { return m_line; }

private:
    int m_line;
};

// The chart moment and place of a /qb line.
struct ChartData {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;  // 0-23, local clock
    int minute = 0;
    bool daylight = false;        // one hour of daylight-saving time
    int zoneMinutesWest = 0;      // -1440..1440
    double longitudeEastDeg = 0;  // east positive
    double latitudeNorthDeg = 0;  // north positive
    std::string longitudeText;    // as given, for headings
    std::string latitudeText;
};

// An interval of universal time, [startJdUt, endJdUt).
struct TimeSpan {
    double startJdUt = 0;
    double endJdUt = 0;
};

struct Request {
    std::optional<ChartData> chart;
    int chartLine = 0;          // the line of /qb, for messages about the chart
    std::string textOutput;     // /os; empty: standard output
    std::string pictureOutput;  // /Xo; empty: no metafile unless /XM0
    bool pictureRequested = false;
    bool dayFirst = false;  // -Yd
    bool sidereal = false;  // /s
    int houseSystem = 0;    // /c, 0-13
    std::array<bool, kObjectCount> restricted{};
    bool aspectList = false;      // /a0
    bool aspectGrid = false;      // /g0
    bool influence = false;       // /j0
    bool horizon = false;         // /Z
    bool riseSet = false;         // /Zd
    int wheelLines = 0;           // /w N; 0: no text wheel
    bool reversedColors = false;  // /Xr
    bool monochrome = false;      // /Xm
    // /%e: the interval whose Moon phases and entries of the Sun into the signs are listed
    std::optional<TimeSpan> events;
};

// The metafile's name: /Xo's, or "chart.wmf".
inline std::string pictureFileName(const Request& r)
{
    return r.pictureOutput.empty() ? "chart.wmf" : r.pictureOutput;
}

// Parses a whole command file. Throws CommandError naming the line and what is wrong.
// lookAtFolder: an output name that is a folder in the current folder is an error at its
// line; a run that writes no file leaves the current folder alone.
Request parseCommandFile(std::string_view text, bool lookAtFolder = true);

// Parses the eight fields of a /qb line (after "/qb"); throws CommandError with line 0.
ChartData parseChartData(std::string_view fields);

// Parses the arguments of /%e: a year, or two moments of universal time, each YYYY-MM-DD or
// YYYY-MM-DDTHH:MM, the first before the second, within the engine's dates. Throws
// CommandError with line 0.
TimeSpan parseEventSpan(std::string_view arguments);

// Pieces the switch parsers share.
// The text in quotes, control characters spelled out ("\x00") so that none cuts the message.
std::string inQuotes(std::string_view s);
// "14 March 2001".
std::string dateText(const CalendarDate& date);
bool before(const CalendarDate& a, const CalendarDate& b);
// The blank-separated tokens of a line, up to a token that begins with ';'; the second form
// into out, which keeps its room from line to line.
std::vector<std::string_view> tokens(std::string_view line);
void tokens(std::string_view line, std::vector<std::string_view>& out);
// A whole unsigned decimal number of at most six digits, nothing else.
std::optional<int> number(std::string_view s);

}  // namespace vantrel::engine
