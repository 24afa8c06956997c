#pragma once
// Calendar arithmetic on the program's date-time value: a count of days in a double,
// whose whole part is the date (0 = 30 December 1899) and whose fraction is the time of day.

#include <optional>

namespace vantrel::core {

using DateTime = double;

struct CivilDate {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    bool operator==(const CivilDate&) const = default;
};

struct TimeOfDay {
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
    int msec = 0;    // 0..999
    bool operator==(const TimeOfDay&) const = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);  // 0 for a month outside 1..12

// Days since 30 December 1899 for a proleptic Gregorian date; nullopt when the date does not exist
// (month 13, 31 February, year outside 1..9999).
std::optional<DateTime> tryDateTimeFromDate(int year, int month, int day);
// As above, for callers that have already checked the date; an impossible date gives 0.
DateTime dateTimeFromDate(int year, int month, int day);
DateTime dateTimeFromDate(const CivilDate& date);
// Fraction of a day for a time of day; nullopt outside the ranges above.
std::optional<DateTime> tryDateTimeFromTime(int hour, int minute, int second = 0, int msec = 0);
DateTime dateTimeFromTime(const TimeOfDay& time);

// The date of a date-time (its whole part, counted toward minus infinity for times before 1899).
CivilDate dateFromDateTime(DateTime value);
// The time of day of a date-time, cut (never rounded) to the millisecond; a fraction that
// would round up to 24:00 stays at 23:59:59.999.
TimeOfDay timeFromDateTime(DateTime value);

// The date part alone and the time part alone of a value.
DateTime datePart(DateTime value);
DateTime timePart(DateTime value);

// 1 = Sunday ... 7 = Saturday.
int dayOfWeek(DateTime value);

}  // namespace vantrel::core
