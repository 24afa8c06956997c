#include "core/common/date_time.h"

#include <type_traits>

#include <gtest/gtest.h>

#include "core/chart_engine/command_file.h"
#include "core/thelemic/calculation.h"

namespace vantrel::core {
namespace {

using std::chrono::milliseconds;

// A date is not a time of day, nor a moment, and neither is the other: a swap does not compile.
static_assert(!std::is_convertible_v<Date, TimeOfDay> && !std::is_convertible_v<TimeOfDay, Date>);
static_assert(!std::is_convertible_v<Date, LocalDateTime> &&
              !std::is_convertible_v<LocalDateTime, Date>);
static_assert(!std::is_convertible_v<Instant, LocalDateTime> &&
              !std::is_convertible_v<LocalTimePoint, Instant>);
static_assert(!std::is_constructible_v<LocalDateTime, TimeOfDay, Date>);
static_assert(std::is_invocable_v<decltype(&Calculator::calculate), Calculator&, LocalDateTime>);
static_assert(!std::is_invocable_v<decltype(&Calculator::calculate), Calculator&, Date>);
static_assert(!std::is_invocable_v<decltype(&chartDataLine), ChartPlace, Date, Settings, LiveZone>);

// Every day from 1 January 0001 to 31 December 9999 converts to a date and back, the dates are
// consecutive, and the weekday advances by one each day.
TEST(DateCalendar, EveryDayRoundTripsAndDatesAreConsecutive)
{
    const Date first = *Date::fromCivil(1, 1, 1);
    Date expected = first;
    int weekday = first.weekday();
    for (int year = 1; year <= 9999; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= daysInMonth(year, month); ++day) {
                const auto date = Date::fromCivil(year, month, day);
                ASSERT_TRUE(date) << year << "-" << month << "-" << day;
                ASSERT_EQ(*date, expected) << year << "-" << month << "-" << day;
                ASSERT_EQ(date->civil(), (CivilDate{year, month, day}));
                ASSERT_EQ(date->weekday(), weekday);
                expected = expected.plusDays(1);
                weekday = weekday % 7 + 1;
            }
        }
    }
    // 3,652,059 days in the proleptic Gregorian years 1..9999.
    EXPECT_EQ((expected.days() - first.days()).count(), 3652059);
}

// Reference values: the day count of well-known dates in the spreadsheet convention (day 0 is
// 30 December 1899) and their weekdays from a perpetual calendar.
TEST(DateCalendar, KnownDayNumbersAndWeekdays)
{
    struct Row {
        const char* name;
        int y, m, d;
        int sinceDayZero;
        int weekday;
    };
    const Row rows[] = {
        {"day zero", 1899, 12, 30, 0, 7},       {"day after day zero", 1899, 12, 31, 1, 1},
        {"1 Jan 1900", 1900, 1, 1, 2, 2},       {"1 Mar 1900 (no leap day)", 1900, 3, 1, 61, 5},
        {"20 Mar 1904", 1904, 3, 20, 1541, 1},  {"29 Feb 2000", 2000, 2, 29, 36585, 3},
        {"3 Jun 2000", 2000, 6, 3, 36680, 7},   {"first day", 1, 1, 1, -693593, 2},
        {"last day", 9999, 12, 31, 2958465, 6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Date date = *Date::fromCivil(row.y, row.m, row.d);
        EXPECT_EQ((date.days() - kDayZero.days()).count(), row.sinceDayZero);
        EXPECT_EQ(date.weekday(), row.weekday);
    }
}

TEST(DateCalendar, ImpossibleDatesAreEmpty)
{
    struct Row {
        int y, m, d;
        bool exists;
    };
    const Row rows[] = {{2001, 2, 29, false}, {1900, 2, 29, false}, {2000, 2, 29, true},
                        {2000, 13, 1, false}, {2000, 0, 1, false},  {2000, 4, 31, false},
                        {2000, 4, 0, false},  {0, 1, 1, false},     {10000, 1, 1, false}};
    for (const auto& row : rows)
        EXPECT_EQ(Date::fromCivil(row.y, row.m, row.d).has_value(), row.exists)
            << row.y << "-" << row.m << "-" << row.d;
}

TEST(TimeOfDayClock, EveryMinuteOfADayRoundTrips)
{
    for (int minute = 0; minute < 24 * 60; ++minute) {
        for (const int second : {0, 59}) {
            const TimeOfDay time = *TimeOfDay::fromClock(minute / 60, minute % 60, second, 999);
            ASSERT_EQ(time.hour() * 60 + time.minute(), minute);
            ASSERT_EQ(time.second(), second);
            ASSERT_EQ(time.msec(), 999);
        }
    }
}

TEST(TimeOfDayClock, OutOfRangeTimesAreEmpty)
{
    EXPECT_FALSE(TimeOfDay::fromClock(24, 0));
    EXPECT_FALSE(TimeOfDay::fromClock(0, 60));
    EXPECT_FALSE(TimeOfDay::fromClock(0, 0, 60));
    EXPECT_FALSE(TimeOfDay::fromClock(0, 0, 0, 1000));
    EXPECT_FALSE(TimeOfDay::fromClock(-1, 0));
    EXPECT_EQ(TimeOfDay::fromClock(12, 0)->sinceMidnight(), milliseconds(43200000));
    EXPECT_EQ(TimeOfDay::fromDuration(milliseconds(-1)), *TimeOfDay::fromClock(23, 59, 59, 999));
}

// Moments move across midnight and month, year and calendar ends, and back, to the millisecond.
TEST(LocalDateTimeArithmetic, CrossesDayEndsBothWays)
{
    const LocalDateTime lastMoment{*Date::fromCivil(1999, 12, 31),
                                   *TimeOfDay::fromClock(23, 59, 59, 999)};
    const LocalDateTime next = lastMoment + milliseconds(1);
    EXPECT_EQ(next, (LocalDateTime{*Date::fromCivil(2000, 1, 1), TimeOfDay()}));
    EXPECT_EQ(next - lastMoment, milliseconds(1));
    EXPECT_EQ(next + milliseconds(-1), lastMoment);
    EXPECT_LT(lastMoment, next);
    // 29 December 1899, 18:00 lies a quarter of a day before day zero.
    EXPECT_EQ((LocalDateTime{kDayZero, TimeOfDay()} + milliseconds(-21600000)),
              (LocalDateTime{*Date::fromCivil(1899, 12, 29), *TimeOfDay::fromClock(18, 0)}));
}

// Universal time 1 January 2000 00:30 is still 31 December in the Americas, already 1 January
// further east.
TEST(LocalDateTimeArithmetic, InstantReadOnAZoneClock)
{
    const Instant moment{std::chrono::sys_days(std::chrono::year(2000) / 1 / 1) +
                         std::chrono::minutes(30)};
    EXPECT_EQ(localTimeAt(moment, 360),
              (LocalDateTime{*Date::fromCivil(1999, 12, 31), *TimeOfDay::fromClock(18, 30)}));
    EXPECT_EQ(localTimeAt(moment, -660),
              (LocalDateTime{*Date::fromCivil(2000, 1, 1), *TimeOfDay::fromClock(11, 30)}));
}

}  // namespace
}  // namespace vantrel::core
