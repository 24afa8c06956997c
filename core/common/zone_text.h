#pragma once
// A time zone written the way the chart engine reads it.

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::core {

// Hours west of Greenwich: "6", "-1", "0" for whole hours; hours and two-digit minutes where the
// offset is not whole hours: "-5:30" for India, "3:30" for Newfoundland, "-0:20" for twenty
// minutes east.
std::string zoneTextFromMinutesWest(int minutesWest);

// The minutes west of Greenwich of a zone text as the engine reads it: an optional sign, one or
// two digits of hours, and optionally ":" or "." and two digits of minutes, at most 24 hours
// either way ("6", "-1", "5:30", "+3.30"). nullopt for anything else.
std::optional<int> minutesWestFromZoneText(std::string_view text);

}  // namespace vantrel::core
