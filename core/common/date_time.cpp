#include "core/common/date_time.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace vantrel::core {

namespace {

constexpr double kMsecPerDay = 86400000.0;

// Days from 1 January 1970 for a proleptic Gregorian date, after H. Hinnant,
// "chrono-Compatible Low-Level Date Algorithms" (days_from_civil).
constexpr long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

// The inverse of daysFromCivil (civil_from_days in the same paper).
CivilDate civilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return CivilDate{static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m),
                     static_cast<int>(d)};
}

// Constant-initialised, so that static initialisers elsewhere may already convert dates.
constexpr long long kEpochDays = daysFromCivil(1899, 12, 30);

}  // namespace

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

std::optional<DateTime> tryDateTimeFromDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    return static_cast<DateTime>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochDays);
}

DateTime dateTimeFromDate(int year, int month, int day)
{
    return tryDateTimeFromDate(year, month, day).value_or(0.0);
}

DateTime dateTimeFromDate(const CivilDate& date)
{
    return dateTimeFromDate(date.year, date.month, date.day);
}

std::optional<DateTime> tryDateTimeFromTime(int hour, int minute, int second, int msec)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        return std::nullopt;
    const double ms = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec;
    return ms / kMsecPerDay;
}

DateTime dateTimeFromTime(const TimeOfDay& time)
{
    return tryDateTimeFromTime(time.hour, time.minute, time.second, time.msec).value_or(0.0);
}

CivilDate dateFromDateTime(DateTime value)
{
    return civilFromDays(static_cast<long long>(std::floor(value)) + kEpochDays);
}

TimeOfDay timeFromDateTime(DateTime value)
{
    const double fraction = value - std::floor(value);
    const double ms = fraction * kMsecPerDay;
    // A time composed from whole milliseconds comes back a hair below its true value after the
    // division and the addition of the date; accept anything within the representation error of
    // the original value as that whole millisecond instead of cutting it to the one before.
    const double tolerance =
        std::max(1e-6, (std::fabs(value) + 1.0) * kMsecPerDay * 4 * DBL_EPSILON);
    double whole = std::floor(ms);
    if (std::round(ms) - ms <= tolerance && std::round(ms) > whole)
        whole = std::round(ms);
    long long total = static_cast<long long>(whole);
    if (total >= static_cast<long long>(kMsecPerDay))
        total = static_cast<long long>(kMsecPerDay) - 1;
    if (total < 0)
        total = 0;
    TimeOfDay time;
    time.msec = static_cast<int>(total % 1000);
    total /= 1000;
    time.second = static_cast<int>(total % 60);
    total /= 60;
    time.minute = static_cast<int>(total % 60);
    time.hour = static_cast<int>(total / 60);
    return time;
}

DateTime datePart(DateTime value)
{
    return std::floor(value);
}

DateTime timePart(DateTime value)
{
    return value - std::floor(value);
}

int dayOfWeek(DateTime value)
{
    // Day 0, 30 December 1899, was a Saturday.
    const long long days = static_cast<long long>(std::floor(value));
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

}  // namespace vantrel::core
