#include "platform/qt_zone_rules.h"

#include <QDateTime>
#include <QTimeZone>

namespace vantrel::platform {

namespace {

core::DateTime dateTimeFromQt(const QDateTime& value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    return core::dateTimeFromDate(date.year(), date.month(), date.day()) +
           core::dateTimeFromTime({time.hour(), time.minute(), time.second(), time.msec()});
}

// The wall clock just before the transition (2:00 when daylight time begins at 2:00 standard).
core::DateTime localMomentOf(const QTimeZone& zone, const QDateTime& atUtc)
{
    const int offsetBefore = zone.offsetFromUtc(atUtc.addSecs(-1));
    return dateTimeFromQt(atUtc.toUTC().addSecs(offsetBefore).toTimeSpec(Qt::UTC));
}

}  // namespace

std::optional<core::ZoneInfo> QtZoneRules::zoneForYear(int year) const
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!zone.isValid())
        return std::nullopt;

    const QDateTime yearStart(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime yearEnd(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    core::ZoneInfo info;
    info.standardBiasMinutesWest = -zone.standardTimeOffset(yearStart) / 60;

    if (!zone.hasDaylightTime() || !zone.hasTransitions())
        return info;
    bool haveStart = false;
    bool haveEnd = false;
    for (const auto& transition : zone.transitions(yearStart, yearEnd)) {
        if (transition.daylightTimeOffset != 0 && !haveStart) {
            info.daylightStart = localMomentOf(zone, transition.atUtc);
            haveStart = true;
        } else if (transition.daylightTimeOffset == 0 && !haveEnd) {
            info.daylightEnd = localMomentOf(zone, transition.atUtc);
            haveEnd = true;
        }
    }
    info.observesDaylight = haveStart && haveEnd;
    if (!info.observesDaylight) {
        info.daylightStart = 0;
        info.daylightEnd = 0;
    }
    return info;
}

}  // namespace vantrel::platform
