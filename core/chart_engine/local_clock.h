#pragma once
// The clock the calculations read: the local date and time now, in the zone the settings' time
// choice names.

#include "core/common/date_time.h"

namespace vantrel::core {

class Clock;
class ZoneRules;
struct Settings;

class LocalClock {
public:
    // The references must outlive this object; null zone rules read universal time.
    LocalClock(const Clock& clock, const ZoneRules* zoneRules, const Settings& settings)
        : m_clock(clock), m_zoneRules(zoneRules), m_settings(settings)
    {
    }

    // Now in the tz zone of the settings' place under "Place's Time Zone" (as a time typed in
    // is read there), else in the system's zone. A place zone that cannot be read falls back on
    // the system's zone, whose own failure gives universal time.
    LocalDateTime now() const;

private:
    const Clock& m_clock;
    const ZoneRules* m_zoneRules;
    const Settings& m_settings;
};

}  // namespace vantrel::core
