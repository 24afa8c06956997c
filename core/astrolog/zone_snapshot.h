#pragma once
// The system time-zone snapshot, taken once at start-up.

#include <string>

#include "core/common/date_time.h"
#include "core/common/regional_settings.h"

namespace vantrel::core {

class Clock;
class Messages;
class ZoneRules;

// Shown when the user's short date order is neither month first nor day first, and when a
// rise-and-set listing's date cannot be read in the user's date order.
inline constexpr const char* DateOrderMessage =
    "Sorry, Vantrel is only compatible with date formats of mdy or dmy. You can Use Control Panel "
    "Regional Settings to change to a supported format.";

struct ZoneSnapshot {
    int SystemZoneHours = 0;        // standard offset, hours west of Greenwich, truncated
    int systemZoneMinutesWest = 0;  // the whole offset, for zones that are not whole hours
    DateTime DaylightStart = 0;
    DateTime DaylightEnd = 0;
    std::string DateOrderSwitch;  // "-Yd" for a day-first short date, else empty
};

// Reads the system zone for the clock's current year; shows the date-order message through
// messages when the short date order is neither month first nor day first.
ZoneSnapshot TakeSystemZoneSnapshot(const ZoneRules& zoneRules, const Clock& clock,
                                    const RegionalSettings& regional, Messages& messages);

// "-Yd" when the first letter of the short date format is "d" in either case, else empty.
std::string dateOrderSwitchFor(const RegionalSettings& regional);

}  // namespace vantrel::core
