#pragma once

// The command file: a first byte '@', then one switch per line with its arguments.

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

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
};

// Parses a whole command file. Throws CommandError naming the line and what is wrong.
Request parseCommandFile(std::string_view text);

// Parses the eight fields of a /qb line (after "/qb"); throws CommandError with line 0.
ChartData parseChartData(std::string_view fields);

}  // namespace vantrel::engine
