#include "platform/qt_zone_rules.h"

#include <cmath>

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

namespace vantrel::platform {

namespace {

constexpr qint64 kSecondsPerDay = 86400;

// The clock reading as if it were universal time, in seconds since 1970.
qint64 naiveSecondsFrom(core::DateTime localMoment)
{
    const core::CivilDate date = core::dateFromDateTime(localMoment);
    const core::TimeOfDay time = core::timeFromDateTime(localMoment);
    return QDateTime(QDate(date.year, date.month, date.day),
                     QTime(time.hour, time.minute, time.second), Qt::UTC)
        .toSecsSinceEpoch();
}

QDateTime instant(qint64 secondsSinceEpoch)
{
    return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC);
}

int minutesFromSeconds(int seconds)
{
    return static_cast<int>(std::lround(seconds / 60.0));
}

core::ZoneOffset offsetAtInstant(const QTimeZone& zone, qint64 utcSeconds)
{
    const QDateTime at = instant(utcSeconds);
    return {-minutesFromSeconds(zone.offsetFromUtc(at)),
            minutesFromSeconds(zone.daylightTimeOffset(at))};
}

}  // namespace

std::optional<core::ZoneOffset> QtZoneRules::offsetAt(core::DateTime localMoment,
                                                      std::string_view zoneName) const
{
    const QTimeZone zone =
        zoneName.empty()
            ? QTimeZone::systemTimeZone()
            : QTimeZone(QByteArray(zoneName.data(), static_cast<qsizetype>(zoneName.size())));
    if (!zone.isValid())
        return std::nullopt;

    // The offsets a day either side bracket any change near the reading (changes lie months
    // apart). A reading that one of them maps back onto itself exists with that offset; the
    // earlier one wins where both do (the repeated hour), and where neither does (the skipped
    // hour) the reading is taken with the offset in force before the change.
    const qint64 naive = naiveSecondsFrom(localMoment);
    const int before = zone.offsetFromUtc(instant(naive - kSecondsPerDay));
    const int after = zone.offsetFromUtc(instant(naive + kSecondsPerDay));
    for (const int candidate : {before, after}) {
        if (zone.offsetFromUtc(instant(naive - candidate)) == candidate)
            return offsetAtInstant(zone, naive - candidate);
    }
    return offsetAtInstant(zone, naive - kSecondsPerDay);
}

}  // namespace vantrel::platform
