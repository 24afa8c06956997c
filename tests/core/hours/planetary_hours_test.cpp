#include "core/hours/planetary_hours.h"

#include <gtest/gtest.h>

#include "core/common/date_time.h"
#include "core/common/regional_settings.h"
#include "tests/fakes/date_time_printing.h"
#include "tests/fakes/test_locales.h"

namespace vantrel::core {
namespace {

// 4 June 2000 was a Sunday.
const Date kSunday = *Date::fromCivil(2000, 6, 4);
const std::string kLongDatePattern = "dddddd \"e.v. \"";

LocalDateTime at(Date date, int hour, int minute, int second = 0)
{
    return {date, *TimeOfDay::fromClock(hour, minute, second)};
}

RiseSetTimes sundayTimes()
{
    RiseSetTimes times;
    times.sunNadir = at(kSunday, 0, 6);
    times.sunrise = at(kSunday, 7, 0);
    times.sunZenith = at(kSunday, 12, 6);
    times.sunset = at(kSunday, 17, 12);
    times.moonNadir = at(kSunday, 3, 40);
    times.moonrise = at(kSunday, 9, 15);
    times.moonZenith = at(kSunday, 16, 2);
    times.moonset = at(kSunday, 22, 48);
    times.nextSunrise = at(kSunday.plusDays(1), 6, 59);
    return times;
}

PlanetaryHoursReport report(const RiseSetTimes& times = sundayTimes(), Date day = kSunday)
{
    return computePlanetaryHours(times, day, kLongDatePattern, usEnglishRegionalSettings());
}

TEST(PlanetaryHours, SundayWithTenHoursTwelveMinutesOfLight)
{
    const PlanetaryHoursReport sunday = report();
    ASSERT_TRUE(sunday.hasHours);
    EXPECT_EQ(sunday.dayHourLength, std::chrono::minutes(51));
    // 13 h 47 min / 12 = 1 h 8 min 55 s.
    EXPECT_EQ(sunday.nightHourLength, std::chrono::seconds(4135));

    EXPECT_EQ(sunday.table[1][0], "7:00 AM");
    EXPECT_EQ(sunday.table[2][0], "7:51 AM");
    EXPECT_EQ(sunday.table[12][0], "4:21 PM");
    EXPECT_EQ(sunday.table[1][2], "5:12 PM");
    EXPECT_EQ(sunday.table[2][2], "6:20 PM");  // 17:12 + 1:08:55, minutes cut

    EXPECT_EQ(sunday.table[1][1], "Sun");
    EXPECT_EQ(sunday.table[2][1], "Venus");
    EXPECT_EQ(sunday.table[12][1], "Saturn");
    EXPECT_EQ(sunday.table[1][3], "Jupiter");
    EXPECT_EQ(sunday.table[12][3], "Mercury");

    EXPECT_EQ(sunday.statusText, "Hours of Light 10:12  Hours of Darkness 13:47");
    // The hours run out exactly at the next sunrise.
    EXPECT_EQ(sunday.nightHours[11].start + sunday.nightHourLength, sundayTimes().nextSunrise);
}

// Lengths of light and darkness keep their last minute, on any day.
TEST(PlanetaryHours, StatusTextLengthsKeepTheirLastMinute)
{
    struct Row {
        int riseH, riseM, setH, setM, nextH, nextM;
        const char* expected;
    };
    const Row rows[] = {
        {5, 26, 20, 52, 5, 25, "Hours of Light 15:26  Hours of Darkness 8:33"},
        {7, 0, 17, 12, 6, 59, "Hours of Light 10:12  Hours of Darkness 13:47"},
        {8, 33, 15, 21, 8, 34, "Hours of Light 6:48  Hours of Darkness 17:13"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        for (Date day = kSunday; day < kSunday.plusDays(400); day = day.plusDays(37)) {
            RiseSetTimes times = sundayTimes();
            times.sunrise = at(day, row.riseH, row.riseM);
            times.sunset = at(day, row.setH, row.setM);
            times.nextSunrise = at(day.plusDays(1), row.nextH, row.nextM);
            EXPECT_EQ(report(times, day).statusText, row.expected)
                << "day " << ::testing::PrintToString(day);
        }
    }
}

TEST(PlanetaryHours, HoursListHasTwoBlocksWithHeadingsEndingInABlank)
{
    const PlanetaryHoursReport sunday = report();
    ASSERT_EQ(sunday.hoursList.size(), 27u);
    EXPECT_EQ(sunday.hoursList[0], "Sunrise Sunday, June 04, 2000 e.v.  ");
    EXPECT_EQ(sunday.hoursList[2], "7:51 AM Venus");
    EXPECT_EQ(sunday.hoursList[13], " ");
    EXPECT_EQ(sunday.hoursList[14], "Sunset Sunday, June 04, 2000 e.v.  ");
    EXPECT_EQ(sunday.hoursList[15], "5:12 PM Jupiter");
    EXPECT_EQ(sunday.hoursList[26].substr(sunday.hoursList[26].size() - 8), " Mercury");
}

TEST(PlanetaryHours, SunAndMoonListLinesUpNineLines)
{
    const std::vector<std::string> expected = {"Sun   Nadir 12:06 AM",
                                               "Sun    Rise 7:00 AM",
                                               "Sun  Zenith 12:06 PM",
                                               "Sun     Set 5:12 PM",
                                               " ",
                                               "Moon  Nadir 3:40 AM",
                                               "Moon   Rise 9:15 AM",
                                               "Moon Zenith 4:02 PM",
                                               "Moon    Set 10:48 PM"};
    EXPECT_EQ(report().sunMoonList, expected);
}

// First rulers by weekday (day hour 1, night hour 1), from the traditional table.
TEST(PlanetaryHours, RulersOfEveryWeekday)
{
    struct Row {
        const char* weekday;
        int number;
        const char* dayHour1;
        const char* nightHour1;
    };
    const Row rows[] = {
        {"Sunday", 1, "Sun", "Jupiter"},      {"Monday", 2, "Moon", "Venus"},
        {"Tuesday", 3, "Mars", "Saturn"},     {"Wednesday", 4, "Mercury", "Sun"},
        {"Thursday", 5, "Jupiter", "Moon"},   {"Friday", 6, "Venus", "Mars"},
        {"Saturday", 7, "Saturn", "Mercury"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.weekday);
        EXPECT_EQ(dayHourRuler(row.number, 1), row.dayHour1);
        EXPECT_EQ(nightHourRuler(row.number, 1), row.nightHour1);
        // The cycle runs on unbroken into the next day's first hour.
        const int next = row.number % 7 + 1;
        const auto last = nightHourRuler(row.number, 12);
        std::size_t lastIndex = 0;
        while (kRulerCycle[lastIndex] != last)
            ++lastIndex;
        EXPECT_EQ(kRulerCycle[(lastIndex + 1) % 7], dayHourRuler(next, 1));
    }
}

TEST(PlanetaryHours, WeekdayComesFromTheShownDateNotFromTheRiseTimes)
{
    // A Saturday shown with Sunday's times still starts with Saturn.
    EXPECT_EQ(report(sundayTimes(), kSunday.plusDays(-1)).table[1][1], "Saturn");
}

// A day-first locale keeps the month first, with its own separators.
TEST(HourEntryText, FixedColumnsWithTwelveHourClock)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    struct Row {
        const char* name;
        LocalDateTime start;
        const char* ruler;
        RegionalSettings regional;
        const char* expected;
    };
    const Row rows[] = {
        {"morning", at(kSunday, 7, 51, 40), "Venus", us,
         "      06/04/2000 07:51am Venus         Hour"},
        {"five past noon", at(kSunday, 12, 5), "Sun", us,
         "      06/04/2000 12:05pm Sun           Hour"},
        {"five past midnight", at(kSunday, 0, 5), "Mercury", us,
         "      06/04/2000 12:05am Mercury       Hour"},
        {"evening", at(kSunday, 23, 59, 59), "Jupiter", us,
         "      06/04/2000 11:59pm Jupiter       Hour"},
        {"day-first locale", at(kSunday, 17, 12), "Jupiter", testing::finnish(),
         "      06.04.2000 05.12pm Jupiter       Hour"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string entry = hourEntry(row.start, row.ruler, row.regional);
        EXPECT_EQ(entry, row.expected);
        EXPECT_EQ(entry.size(), 43u);
        EXPECT_EQ(entry.substr(39, 4), "Hour");
    }
}

TEST(PlanetaryHours, PolarDayOrNightGivesNoHoursAndNoEntries)
{
    struct Row {
        const char* name;
        RiseSetTimes times;
    };
    RiseSetTimes noRise = sundayTimes();
    noRise.sunrise = std::nullopt;
    RiseSetTimes noSet = sundayTimes();
    noSet.sunset = std::nullopt;
    RiseSetTimes noNextRise = sundayTimes();
    noNextRise.nextSunrise = std::nullopt;
    RiseSetTimes setBeforeRise = sundayTimes();
    setBeforeRise.sunset = at(kSunday, 1, 30);  // the Sun sets once, then rises for good
    const Row rows[] = {{"no rise", noRise},
                        {"no set", noSet},
                        {"no rise next day", noNextRise},
                        {"set before rise", setBeforeRise}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PlanetaryHoursReport polar = report(row.times);
        EXPECT_FALSE(polar.hasHours);
        EXPECT_TRUE(polar.hourEntries.empty());
        EXPECT_EQ(polar.statusText, kNoSunriseText);
        ASSERT_EQ(polar.hoursList.size(), 2u);
        EXPECT_EQ(polar.hoursList[1], kNoSunriseText);
        for (int row2 = 1; row2 <= 12; ++row2)
            EXPECT_TRUE(polar.table[row2][0].empty());
    }
}

TEST(PlanetaryHours, MissingEventsAreNamedNotShownAsMidnight)
{
    RiseSetTimes times = sundayTimes();
    times.sunrise = std::nullopt;
    times.moonset = std::nullopt;
    const PlanetaryHoursReport missing = report(times);
    EXPECT_EQ(missing.sunMoonList[1], "Sun    Rise not found");
    EXPECT_EQ(missing.sunMoonList[8], "Moon    Set not found");
    EXPECT_EQ(missing.hoursList[0], "Sunrise not found ");
}

}  // namespace
}  // namespace vantrel::core
