#pragma once
// A time zone written the way the chart engine reads it.

#include <string>

namespace vantrel::core {

// Hours west of Greenwich: "6", "-1", "0" for whole hours; hours and two-digit minutes where the
// offset is not whole hours: "-5:30" for India, "3:30" for Newfoundland, "-0:20" for twenty
// minutes east.
std::string zoneTextFromMinutesWest(int minutesWest);

}  // namespace vantrel::core
