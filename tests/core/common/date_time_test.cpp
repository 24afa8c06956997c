#include "core/common/date_time.h"

#include <gtest/gtest.h>

namespace vantrel::core {
namespace {

// Every day from 1 January 0001 to 31 December 9999 converts to a value and back, the values
// are consecutive, and the weekday advances by one each day.
TEST(DateTimeCalendar, EveryDayRoundTripsAndValuesAreConsecutive)
{
    const DateTime first = dateTimeFromDate(1, 1, 1);
    DateTime expected = first;
    int weekday = dayOfWeek(first);
    for (int year = 1; year <= 9999; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= daysInMonth(year, month); ++day) {
                const auto value = tryDateTimeFromDate(year, month, day);
                ASSERT_TRUE(value) << year << "-" << month << "-" << day;
                ASSERT_EQ(*value, expected) << year << "-" << month << "-" << day;
                const CivilDate back = dateFromDateTime(*value);
                ASSERT_EQ(back, (CivilDate{year, month, day}));
                ASSERT_EQ(dayOfWeek(*value), weekday);
                expected += 1;
                weekday = weekday % 7 + 1;
            }
        }
    }
    // 3,652,059 days in the proleptic Gregorian years 1..9999.
    EXPECT_EQ(expected - first, 3652059);
}

// Reference values: the day count of well-known dates from the spreadsheet/OLE convention.
TEST(DateTimeCalendar, KnownDayNumbersAndWeekdays)
{
    struct Row {
        const char* name;
        int y, m, d;
        double value;
        int weekday;
    };
    const Row rows[] = {
        {"epoch", 1899, 12, 30, 0, 7},          {"day after epoch", 1899, 12, 31, 1, 1},
        {"1 Jan 1900", 1900, 1, 1, 2, 2},       {"1 Mar 1900 (no leap day)", 1900, 3, 1, 61, 5},
        {"20 Mar 1904", 1904, 3, 20, 1541, 1},  {"29 Feb 2000", 2000, 2, 29, 36585, 3},
        {"3 Jun 2000", 2000, 6, 3, 36680, 7},   {"first day", 1, 1, 1, -693593, 2},
        {"last day", 9999, 12, 31, 2958465, 6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(dateTimeFromDate(row.y, row.m, row.d), row.value);
        EXPECT_EQ(dayOfWeek(row.value + 0.75), row.weekday);
    }
}

TEST(DateTimeCalendar, ImpossibleDatesAreRefused)
{
    EXPECT_FALSE(tryDateTimeFromDate(2001, 2, 29));
    EXPECT_FALSE(tryDateTimeFromDate(1900, 2, 29));
    EXPECT_TRUE(tryDateTimeFromDate(2000, 2, 29));
    EXPECT_FALSE(tryDateTimeFromDate(2000, 13, 1));
    EXPECT_FALSE(tryDateTimeFromDate(2000, 0, 1));
    EXPECT_FALSE(tryDateTimeFromDate(2000, 4, 31));
    EXPECT_FALSE(tryDateTimeFromDate(2000, 4, 0));
    EXPECT_FALSE(tryDateTimeFromDate(0, 1, 1));
    EXPECT_FALSE(tryDateTimeFromDate(10000, 1, 1));
    EXPECT_EQ(dateTimeFromDate(2001, 2, 29), 0);
}

TEST(DateTimeClock, EveryMinuteOfADayRoundTripsOnAnyDate)
{
    for (const DateTime day : {-693593.0, 0.0, 36680.0, 2958465.0}) {
        for (int minute = 0; minute < 24 * 60; ++minute) {
            for (const int second : {0, 59}) {
                const TimeOfDay time{minute / 60, minute % 60, second, 0};
                const DateTime value = day + dateTimeFromTime(time);
                ASSERT_EQ(timeFromDateTime(value), time) << day << " " << minute;
                ASSERT_EQ(datePart(value), day);
            }
        }
    }
}

TEST(DateTimeClock, TimeIsCutNotRounded)
{
    // 20:03:15.9996 stays in second 15 and millisecond 999.
    const DateTime value = 36680 + (72195999.6 / 86400000.0);
    EXPECT_EQ(timeFromDateTime(value), (TimeOfDay{20, 3, 15, 999}));
    // Just below midnight never becomes 24:00 nor the next day.
    const DateTime lastMoment = 36680 + (1.0 - 1e-10);
    EXPECT_EQ(timeFromDateTime(lastMoment), (TimeOfDay{23, 59, 59, 999}));
    EXPECT_EQ(dateFromDateTime(lastMoment), (CivilDate{2000, 6, 3}));
}

TEST(DateTimeClock, ValuesBeforeTheEpochCountTowardMinusInfinity)
{
    // -0.25 is 29 December 1899, 18:00.
    EXPECT_EQ(dateFromDateTime(-0.25), (CivilDate{1899, 12, 29}));
    EXPECT_EQ(timeFromDateTime(-0.25), (TimeOfDay{18, 0, 0, 0}));
    EXPECT_EQ(datePart(-0.25) + timePart(-0.25), -0.25);
    EXPECT_EQ(dayOfWeek(-0.25), 6);
}

TEST(DateTimeClock, OutOfRangeTimesAreRefused)
{
    EXPECT_FALSE(tryDateTimeFromTime(24, 0));
    EXPECT_FALSE(tryDateTimeFromTime(0, 60));
    EXPECT_FALSE(tryDateTimeFromTime(0, 0, 60));
    EXPECT_FALSE(tryDateTimeFromTime(0, 0, 0, 1000));
    EXPECT_FALSE(tryDateTimeFromTime(-1, 0));
    EXPECT_EQ(*tryDateTimeFromTime(12, 0), 0.5);
}

}  // namespace
}  // namespace vantrel::core
