#include "core/common/date_time.h"

namespace vantrel::core {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<Date> Date::fromCivil(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    return Date(std::chrono::local_days(date));
}

std::optional<Date> Date::fromCivil(const CivilDate& date)
{
    return fromCivil(date.year, date.month, date.day);
}

CivilDate Date::civil() const
{
    const std::chrono::year_month_day date{m_days};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

int Date::weekday() const
{
    return static_cast<int>(std::chrono::weekday(m_days).c_encoding()) + 1;
}

std::optional<TimeOfDay> TimeOfDay::fromClock(int hour, int minute, int second, int msec)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        return std::nullopt;
    return TimeOfDay(std::chrono::hours(hour) + std::chrono::minutes(minute) +
                     std::chrono::seconds(second) + std::chrono::milliseconds(msec));
}

}  // namespace vantrel::core
