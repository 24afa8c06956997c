#pragma once
// What the command files take from the system at start-up: the zone rules that give the daylight
// field and the zone for each moment written, and the date-order switch.

#include <string>

#include "core/common/regional_settings.h"

namespace vantrel::core {

class Messages;
class ZoneRules;

// Shown when the user's short date has no recognisable order, and when a rise-and-set listing's
// date cannot be read.
inline constexpr const char* kDateOrderMessage =
    "Sorry, Vantrel is only compatible with date formats of mdy or dmy. You can Use Control Panel "
    "Regional Settings to change to a supported format.";

// Shown once at start when the system's zone is one the zone rules do not know.
inline constexpr const char* kUnknownZoneMessage =
    "The time zone \"%s\" is unknown; Vantrel takes times in universal time (UTC)";

// The zone rules themselves, asked afresh for each moment (no copy of them is taken), and the
// date-order switch taken from the regional settings.
struct LiveZone {
    // Asked for every moment written with the system's or a place's zone; null, or a system zone
    // it cannot read, writes standard time at Greenwich. Must outlive the users of this record.
    const ZoneRules* zoneRules = nullptr;
    std::string dateOrderSwitch;  // "-Yd" for a day-first short date, else empty
};

// Keeps the zone rules and sets the date-order switch; shows the date-order message through
// messages when the short date has none of the letters d, m and y, and kUnknownZoneMessage
// when the rules cannot read the system's zone.
LiveZone liveSystemZone(const ZoneRules& zoneRules, const RegionalSettings& regional,
                        Messages& messages);

// "-Yd" when the first letter of the short date format is "d" in either case, else empty.
std::string dateOrderSwitchFor(const RegionalSettings& regional);

}  // namespace vantrel::core
