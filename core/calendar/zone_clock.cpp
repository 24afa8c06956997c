#include "core/calendar/zone_clock.h"

#include "core/chart_engine/command_file.h"
#include "core/common/error.h"
#include "core/common/zone_text.h"
#include "core/ports/zone_rules.h"

namespace vantrel::core {

ZoneClock::ZoneClock(const Settings& settings, const LiveZone& zone) : m_zone(zone)
{
    switch (settings.timeMode) {
    case TimeMode::SystemZone:
        return;
    case TimeMode::PlaceZone:
        if (settings.zoneName.empty())
            throw VantrelError(kNoPlaceZoneMessage);
        m_placeZone = true;
        m_zoneName = settings.zoneName;
        return;
    case TimeMode::Standard:
    case TimeMode::Daylight:
    case TimeMode::NotChosen:
        break;
    }
    const std::optional<int> minutesWest = minutesWestFromZoneText(settings.zone);
    if (!minutesWest) {
        throw VantrelError("Time Zone \"" + visibleText(settings.zone) +
                           "\" is not hours west of Greenwich (-24 to 24, H:MM or H.MM)");
    }
    m_fixedMinutesWest = *minutesWest - (settings.timeMode == TimeMode::Daylight ? 60 : 0);
}

void ZoneClock::unknownPlaceZone() const
{
    throw VantrelError("The time zone \"" + visibleText(m_zoneName) +
                       "\" is not in this computer's time-zone database");
}

LocalDateTime ZoneClock::localTime(Instant moment) const
{
    if (m_fixedMinutesWest)
        return localTimeAt(moment, *m_fixedMinutesWest);
    if (m_zone.zoneRules) {
        if (const auto local = m_zone.zoneRules->localTime(moment, m_zoneName))
            return *local;
    }
    if (m_placeZone)
        unknownPlaceZone();
    return localTimeAt(moment, 0);
}

Instant ZoneClock::moment(const LocalDateTime& local) const
{
    std::optional<int> minutesWest = m_fixedMinutesWest;
    if (!minutesWest && m_zone.zoneRules) {
        if (const auto offset = m_zone.zoneRules->offsetAt(local, m_zoneName))
            minutesWest = offset->minutesWest;
    }
    if (!minutesWest && m_placeZone)
        unknownPlaceZone();
    return Instant(local.timePoint().time_since_epoch() +
                   std::chrono::minutes(minutesWest.value_or(0)));
}

}  // namespace vantrel::core
