#include "platform/qt_zone_rules.h"

#include <cmath>

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

namespace vantrel::platform {

namespace {

constexpr qint64 kSecondsPerDay = 86400;

// The clock reading as if it were universal time, in seconds since 1970.
qint64 naiveSecondsFrom(const core::LocalDateTime& localMoment)
{
    const auto sinceEpoch = std::chrono::floor<std::chrono::seconds>(localMoment.timePoint());
    return static_cast<qint64>(sinceEpoch.time_since_epoch().count());
}

// The system's zone. Qt reads TZ as a zone name alone, while the C library also takes a zone
// file's path ("/usr/share/zoneinfo/Asia/Tokyo", optionally after a colon): such a path is read
// as the zone named by its part below "zoneinfo/".
QTimeZone systemZone()
{
    const QTimeZone system = QTimeZone::systemTimeZone();
    if (system.isValid())
        return system;
    QByteArray named = qgetenv("TZ");
    if (named.startsWith(':'))
        named.remove(0, 1);
    const QByteArray folder = "/zoneinfo/";
    const qsizetype at = named.lastIndexOf(folder);
    if (named.startsWith('/') && at >= 0)
        return QTimeZone(named.mid(at + folder.size()));
    return system;
}

// The zone by name; the system's when the name is empty.
QTimeZone zoneNamed(std::string_view zoneName)
{
    if (zoneName.empty())
        return systemZone();
    return QTimeZone(QByteArray(zoneName.data(), static_cast<qsizetype>(zoneName.size())));
}

QDateTime instant(qint64 secondsSinceEpoch)
{
    return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC);
}

int minutesFromSeconds(int seconds)
{
    return static_cast<int>(std::lround(seconds / 60.0));
}

core::ZoneOffset offsetAtSecond(const QTimeZone& zone, qint64 utcSeconds)
{
    const QDateTime at = instant(utcSeconds);
    return {-minutesFromSeconds(zone.offsetFromUtc(at)),
            minutesFromSeconds(zone.daylightTimeOffset(at))};
}

}  // namespace

std::optional<core::ZoneOffset> QtZoneRules::offsetAt(const core::LocalDateTime& localMoment,
                                                      std::string_view zoneName) const
{
    const QTimeZone zone = zoneNamed(zoneName);
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
            return offsetAtSecond(zone, naive - candidate);
    }
    return offsetAtSecond(zone, naive - kSecondsPerDay);
}

std::string QtZoneRules::unknownSystemZone() const
{
    if (systemZone().isValid())
        return {};
    const QByteArray named = qgetenv("TZ");
    return named.isEmpty() ? std::string("/etc/localtime") : named.toStdString();
}

std::optional<core::LocalDateTime> QtZoneRules::localTime(core::Instant moment,
                                                          std::string_view zoneName) const
{
    const QTimeZone zone = zoneNamed(zoneName);
    if (!zone.isValid())
        return std::nullopt;
    const auto second = std::chrono::floor<std::chrono::seconds>(moment);
    const int offsetSeconds = zone.offsetFromUtc(instant(second.time_since_epoch().count()));
    return core::LocalDateTime::fromTimePoint(
        core::LocalTimePoint(moment.time_since_epoch() + std::chrono::seconds(offsetSeconds)));
}

}  // namespace vantrel::platform
