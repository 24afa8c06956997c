#pragma once
// The command files that drive the chart engine. Every file has the same header line and
// chart-data line; the kinds of run differ only in the switch lines after them.

#include <ostream>
#include <string>
#include <vector>

#include "core/chart_engine/live_zone.h"
#include "core/common/date_time.h"
#include "core/settings/settings.h"

namespace vantrel::core {

// The place as the user typed it: time zone (hours west of Greenwich), longitude ("93W21") and
// latitude ("45N05").
struct ChartPlace {
    std::string zone;
    std::string longitude;
    std::string latitude;
};

// Why "Place's Time Zone" cannot be used: no place with a zone has been chosen.
inline constexpr const char* kNoPlaceZoneMessage =
    "\"Place's Time Zone\" needs a place chosen by name: use \"Find place\" under Options, "
    "Astrological, or choose another Time";

// "/qb 3 14 2001 21:07PM DT 5 74W00 40N43": month, day and year, hour and minute of `moment`
// (seconds are cut, never carried), the daylight field and zone by Settings::timeMode, and
// the place. With the system's or the place's zone, both come from the tz database for that
// local moment. Throws VantrelError naming the field when a location text that would be written
// holds a blank or a control character, since either would split the line and could slip
// further switches into it; kNoPlaceZoneMessage, or a message naming the zone, when the place's
// zone is missing or unknown.
std::string chartDataLine(const ChartPlace& place, const LocalDateTime& moment,
                          const Settings& settings, const LiveZone& zone);

// The lines of each kind of command file, without line ends.
std::vector<std::string> chartInputLines(const ChartPlace& place, const LocalDateTime& moment,
                                         const Settings& settings, const LiveZone& zone);
std::vector<std::string> wheelInputLines(const ChartPlace& place, const LocalDateTime& moment,
                                         const Settings& settings, const LiveZone& zone);
std::vector<std::string> aspectsInputLines(const ChartPlace& place, const LocalDateTime& moment,
                                           const Settings& settings, const LiveZone& zone);
std::vector<std::string> riseSetInputLines(const ChartPlace& place, const std::string& outputFile,
                                           const LocalDateTime& moment, const Settings& settings,
                                           const LiveZone& zone);

// What the calculation alone reads, for an engine that computes no more than it is asked: the chart
// listing of the Sun and the Moon, without houses; the rise-and-set listing of the Sun.
std::vector<std::string> trimmedChartInputLines(const ChartPlace& place,
                                                const LocalDateTime& moment,
                                                const Settings& settings, const LiveZone& zone);
std::vector<std::string> trimmedRiseSetInputLines(const ChartPlace& place,
                                                  const std::string& outputFile,
                                                  const LocalDateTime& moment,
                                                  const Settings& settings, const LiveZone& zone);

// Every line, the last one included, ended by CR LF.
void writeCommandFile(std::ostream& out, const std::vector<std::string>& lines);

}  // namespace vantrel::core
