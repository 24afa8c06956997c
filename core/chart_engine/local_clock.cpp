#include "core/chart_engine/local_clock.h"

#include <optional>

#include "core/ports/clock.h"
#include "core/ports/zone_rules.h"
#include "core/settings/settings.h"

namespace vantrel::core {

LocalDateTime LocalClock::now() const
{
    const Instant moment = m_clock.now();
    std::optional<LocalDateTime> local;
    if (m_zoneRules) {
        if (m_settings.timeMode == TimeMode::PlaceZone && !m_settings.zoneName.empty())
            local = m_zoneRules->localTime(moment, m_settings.zoneName);
        if (!local)
            local = m_zoneRules->localTime(moment, "");
    }
    return local ? *local : localTimeAt(moment, 0);
}

}  // namespace vantrel::core
