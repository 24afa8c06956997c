#pragma once
// Time zones by the tz database: the system's zone, or one named like "Europe/Dublin".

#include <optional>
#include <string>
#include <string_view>

#include "core/common/date_time.h"

namespace vantrel::core {

// The offset from universal time in force at one moment.
struct ZoneOffset {
    // The whole offset, positive west of Greenwich: 300 in New York's summer (UTC-4 is 240),
    // -330 in India, -660 at Lord Howe Island in its summer.
    int minutesWest = 0;
    // How much of it is daylight saving, as the tz database marks it: 60 in New York's summer,
    // 30 at Lord Howe Island, -60 in Dublin's winter, 0 in standard time.
    int daylightMinutes = 0;

    bool operator==(const ZoneOffset&) const = default;
};

class ZoneRules {
public:
    virtual ~ZoneRules() = default;
    // The offset in force at the local clock reading `localMoment` (a date plus a time of day)
    // in the zone `zoneName`, or in the system's zone when zoneName is empty, for any year,
    // historical rule changes included. A reading the clocks skip (the hour lost in spring) or
    // show twice (the hour repeated in autumn) takes the offset in force before the change.
    // nullopt when the zone is unknown or cannot be read.
    virtual std::optional<ZoneOffset> offsetAt(const LocalDateTime& localMoment,
                                               std::string_view zoneName) const = 0;
    // The reading of the clocks of the zone `zoneName` (the system's when empty) at the moment
    // `moment`, to the millisecond: an offset of local mean time keeps its seconds. nullopt as
    // above.
    virtual std::optional<LocalDateTime> localTime(Instant moment,
                                                   std::string_view zoneName) const = 0;
    // The name the system gives its zone when these rules cannot read it (TZ=Nowhere/Land), so
    // that times are taken in universal time; empty when the system's zone is known.
    virtual std::string unknownSystemZone() const { return {}; }
};

}  // namespace vantrel::core
