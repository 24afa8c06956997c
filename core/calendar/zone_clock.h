#pragma once
// The clock of the settings' "Time" choice, for moments that are not typed in but computed:
// readings of it for moments, and back.

#include <optional>
#include <string>

#include "core/chart_engine/live_zone.h"
#include "core/common/date_time.h"
#include "core/settings/settings.h"

namespace vantrel::core {

class ZoneClock {
public:
    // Standard time: the settings' Time Zone text all year; Daylight: one hour ahead of it all
    // year; the system's zone or the chosen place's: the tz database, for each moment. Throws
    // VantrelError for a Time Zone text that is not hours west of Greenwich, and
    // kNoPlaceZoneMessage under "Place's Time Zone" without a place. The references must
    // outlive this object.
    ZoneClock(const Settings& settings, const LiveZone& zone);

    // The reading of the clock at a moment.
    LocalDateTime localTime(Instant moment) const;
    // The moment of a reading; a reading the clocks skip or show twice is read with the offset in
    // force before the change.
    Instant moment(const LocalDateTime& local) const;
    // Both throw VantrelError when the place's zone is unknown to the tz database; a system zone
    // that cannot be read counts as universal time, as the command files take it.

private:
    [[noreturn]] void unknownPlaceZone() const;

    const LiveZone& m_zone;
    std::optional<int> m_fixedMinutesWest;
    bool m_placeZone = false;
    std::string m_zoneName;
};

}  // namespace vantrel::core
