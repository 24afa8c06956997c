#pragma once
// The core's dates and times to and from Qt's, for the pickers and the month calendar.

#include <chrono>

#include <QDate>
#include <QTime>

#include "core/common/date_time.h"

namespace vantrel::ui {

// QDate counts Julian day numbers; 1 January 1970 is day 2440588.
inline constexpr qint64 kJulianDayOf1970 = 2440588;

// `date` must be valid.
inline core::Date dateFromQt(const QDate& date)
{
    return core::Date(
        std::chrono::local_days(std::chrono::days(date.toJulianDay() - kJulianDayOf1970)));
}

inline QDate qDateFrom(core::Date date)
{
    return QDate::fromJulianDay(date.days().time_since_epoch().count() + kJulianDayOf1970);
}

// `time` must be valid.
inline core::TimeOfDay timeFromQt(const QTime& time)
{
    return core::TimeOfDay::fromDuration(std::chrono::milliseconds(time.msecsSinceStartOfDay()));
}

inline QTime qTimeFrom(core::TimeOfDay time)
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(time.sinceMidnight().count()));
}

}  // namespace vantrel::ui
