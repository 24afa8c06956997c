#include "core/common/date_format.h"

#include <gtest/gtest.h>

#include "tests/fakes/test_locales.h"

namespace vantrel::core {
namespace {

LocalDateTime at(int y, int mo, int d, int h, int mi, int s, int ms = 0)
{
    return {*Date::fromCivil(y, mo, d), *TimeOfDay::fromClock(h, mi, s, ms)};
}

struct Row {
    const char* name;
    const char* pattern;
    const char* expected;
};

// Saturday 3 June 2000, 20:03:15.042, United States conventions.
TEST(DateFormat, UnitedStatesPatterns)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    const LocalDateTime value = at(2000, 6, 3, 20, 3, 15, 42);
    const Row rows[] = {
        {"two-digit year short date", "m/d/yy", "6/3/00"},
        {"long date", "dddd, mmmm dd, yyyy", "Saturday, June 03, 2000"},
        {"short time", "h:nn ampm", "8:03 PM"},
        {"long time", "h:nn:ss ampm", "8:03:15 PM"},
        {"regional short date", "ddddd", "6/3/2000"},
        {"regional long date", "dddddd", "Saturday, June 03, 2000"},
        {"regional short time", "t", "8:03 PM"},
        {"regional long time", "tt", "8:03:15 PM"},
        {"date line with e.v.", "ddddd \"e.v. \"", "6/3/2000 e.v. "},
        {"event time", "mm/dd/yyyy hh:nnam/pm", "06/03/2000 08:03pm"},
        {"upper-case designator", "hh:nn AM/PM", "08:03 PM"},
        {"mixed-case designator", "h Am/pM", "8 pM"},
        {"single-letter designator", "h a/p", "8 p"},
        {"24-hour clock", "hh:nn:ss", "20:03:15"},
        {"minutes as m after an hour", "h:mm", "20:03"},
        {"month as m elsewhere", "m mm", "6 06"},
        {"month after minutes", "hh:nn m", "20:03 6"},
        {"short names", "ddd mmm", "Sat Jun"},
        {"milliseconds", "s.zzz z", "15.042 42"},
        {"single-quoted text", "'d' d", "d 3"},
        {"unterminated quote", "d \"dd", "3 dd"},
        {"letters in any case", "DD/MM/YYYY HH:NN", "03/06/2000 20:03"},
        {"other characters copied", "x-d_q", "x-3_q"},
        {"empty pattern", "", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(formatDateTime(row.pattern, value, us), row.expected) << row.name;
}

TEST(DateFormat, TwelveHourClockAroundMidnightAndNoon)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    EXPECT_EQ(formatDateTime("h:nn am/pm", at(2000, 1, 1, 0, 5, 0), us), "12:05 am");
    EXPECT_EQ(formatDateTime("h:nn am/pm", at(2000, 1, 1, 11, 59, 0), us), "11:59 am");
    EXPECT_EQ(formatDateTime("h:nn am/pm", at(2000, 1, 1, 12, 0, 0), us), "12:00 pm");
    EXPECT_EQ(formatDateTime("h:nn am/pm", at(2000, 1, 1, 13, 0, 0), us), "1:00 pm");
    EXPECT_EQ(formatDateTime("h:nn", at(2000, 1, 1, 0, 5, 0), us), "0:05");
    // A designator in quotes does not switch the clock.
    EXPECT_EQ(formatDateTime("h \"am/pm\"", at(2000, 1, 1, 13, 0, 0), us), "13 am/pm");
    // Nor does one after a later hour token: the first hour is on the 24-hour clock.
    EXPECT_EQ(formatDateTime("h h am/pm", at(2000, 1, 1, 13, 0, 0), us), "13 1 pm");
}

TEST(DateFormat, SecondsAreCutNotRounded)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    EXPECT_EQ(formatDateTime("yyyy-mm-dd hh:nn:ss", at(2000, 12, 31, 23, 59, 59, 999), us),
              "2000-12-31 23:59:59");
}

TEST(DateFormat, DayFirstLocaleWithDotSeparators)
{
    const RegionalSettings german = testing::german();
    const LocalDateTime value = at(2000, 6, 3, 20, 3, 15);
    EXPECT_EQ(formatDateTime("ddddd", value, german), "03.06.2000");
    EXPECT_EQ(formatDateTime("dddddd", value, german), "Samstag, 3. Juni 2000");
    EXPECT_EQ(formatDateTime("t", value, german), "20:03");
    EXPECT_EQ(formatDateTime("tt", value, german), "20:03:15");
    EXPECT_EQ(formatDateTime("m/d/yyyy", value, german), "6.3.2000");
    // The empty designators of a 24-hour locale write nothing.
    EXPECT_EQ(formatDateTime("h ampm", value, german), "8 ");
}

TEST(DateFormat, SelfReferringRegionalPatternStops)
{
    RegionalSettings odd = usEnglishRegionalSettings();
    odd.shortDateFormat = "ddddd";
    odd.shortTimeFormat = "t-t";
    EXPECT_EQ(formatTime("ddddd", TimeOfDay(), odd), "");
    EXPECT_EQ(formatTime("t", TimeOfDay(), odd), "---");
}

TEST(DateFormat, YearsAtTheEndsOfTheRange)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    EXPECT_EQ(formatDate("yyyy yy", *Date::fromCivil(1, 1, 1), us), "0001 01");
    EXPECT_EQ(formatDate("yyyy yy", *Date::fromCivil(9999, 12, 31), us), "9999 99");
    // A time of day alone stands on day zero, and a date alone at midnight.
    EXPECT_EQ(formatTime("m/d/yyyy h:nn", *TimeOfDay::fromClock(7, 5), us), "12/30/1899 7:05");
    EXPECT_EQ(formatDate("m/d/yyyy h:nn", *Date::fromCivil(2000, 6, 3), us), "6/3/2000 0:00");
}

}  // namespace
}  // namespace vantrel::core
