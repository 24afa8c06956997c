#include "core/hours/planetary_hours.h"

#include <gtest/gtest.h>

#include "core/common/date_time.h"
#include "core/common/regional_settings.h"
#include "tests/fakes/test_locales.h"

namespace vantrel::core {
namespace {

// 4 June 2000 was a Sunday (days since 30 December 1899).
constexpr DateTime kSunday = 36681;
const std::string kLongDatePattern = "dddddd \"e.v. \"";

DateTime at(DateTime date, int hour, int minute, int second = 0)
{
    return date + dateTimeFromTime({hour, minute, second, 0});
}

RiseSetTimes sundayTimes()
{
    RiseSetTimes times;
    times.SunNadir = at(kSunday, 0, 6);
    times.SunRise = at(kSunday, 7, 0);
    times.SunZenith = at(kSunday, 12, 6);
    times.SunSet = at(kSunday, 17, 12);
    times.MoonNadir = at(kSunday, 3, 40);
    times.MoonRise = at(kSunday, 9, 15);
    times.MoonZenith = at(kSunday, 16, 2);
    times.MoonSet = at(kSunday, 22, 48);
    times.NextSunRise = at(kSunday + 1, 6, 59);
    return times;
}

TEST(PlanetaryHours, SundayWithTenHoursTwelveMinutesOfLight)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    const PlanetaryHoursReport report =
        computePlanetaryHours(sundayTimes(), kSunday, kLongDatePattern, us);

    ASSERT_TRUE(report.hasHours);
    EXPECT_NEAR(report.dayHourDays * 24 * 60, 51.0, 1e-6);
    // 13 h 47 min / 12 = 1 h 8 min 55 s.
    EXPECT_NEAR(report.nightHourDays * 24 * 3600, 4135.0, 1e-6);

    EXPECT_EQ(report.table[1][0], "7:00 AM");
    EXPECT_EQ(report.table[2][0], "7:51 AM");
    EXPECT_EQ(report.table[12][0], "4:21 PM");
    EXPECT_EQ(report.table[1][2], "5:12 PM");
    EXPECT_EQ(report.table[2][2], "6:20 PM");  // 17:12 + 1:08:55, minutes cut

    EXPECT_EQ(report.table[1][1], "Sun");
    EXPECT_EQ(report.table[2][1], "Venus");
    EXPECT_EQ(report.table[12][1], "Saturn");
    EXPECT_EQ(report.table[1][3], "Jupiter");
    EXPECT_EQ(report.table[12][3], "Mercury");

    EXPECT_EQ(report.statusText, "Hours of Light 10:12  Hours of Darkness 13:47");
    // The hours run out exactly at the next sunrise.
    EXPECT_NEAR(report.nightHours[11].start + report.nightHourDays, sundayTimes().NextSunRise,
                1e-9);
}

// Lengths are differences of large day counts; they must not lose a minute to rounding.
TEST(PlanetaryHours, StatusTextLengthsKeepTheirLastMinute)
{
    const RegionalSettings us = usEnglishRegionalSettings();
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
        for (DateTime day = kSunday; day < kSunday + 400; day += 37) {
            RiseSetTimes times = sundayTimes();
            times.SunRise = at(day, row.riseH, row.riseM);
            times.SunSet = at(day, row.setH, row.setM);
            times.NextSunRise = at(day + 1, row.nextH, row.nextM);
            EXPECT_EQ(computePlanetaryHours(times, day, kLongDatePattern, us).statusText,
                      row.expected)
                << "day " << day;
        }
    }
}

TEST(PlanetaryHours, HoursListHasTwoBlocksWithHeadingsEndingInABlank)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    const PlanetaryHoursReport report =
        computePlanetaryHours(sundayTimes(), kSunday, kLongDatePattern, us);

    ASSERT_EQ(report.hoursList.size(), 27u);
    EXPECT_EQ(report.hoursList[0], "Sunrise Sunday, June 04, 2000 e.v.  ");
    EXPECT_EQ(report.hoursList[2], "7:51 AM Venus");
    EXPECT_EQ(report.hoursList[13], " ");
    EXPECT_EQ(report.hoursList[14], "Sunset Sunday, June 04, 2000 e.v.  ");
    EXPECT_EQ(report.hoursList[15], "5:12 PM Jupiter");
    EXPECT_EQ(report.hoursList[26].substr(report.hoursList[26].size() - 8), " Mercury");
}

TEST(PlanetaryHours, SunAndMoonListLinesUpNineLines)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    const PlanetaryHoursReport report =
        computePlanetaryHours(sundayTimes(), kSunday, kLongDatePattern, us);
    const std::vector<std::string> expected = {"Sun   Nadir 12:06 AM",
                                               "Sun    Rise 7:00 AM",
                                               "Sun  Zenith 12:06 PM",
                                               "Sun     Set 5:12 PM",
                                               " ",
                                               "Moon  Nadir 3:40 AM",
                                               "Moon   Rise 9:15 AM",
                                               "Moon Zenith 4:02 PM",
                                               "Moon    Set 10:48 PM"};
    EXPECT_EQ(report.sunMoonList, expected);
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
    const RegionalSettings us = usEnglishRegionalSettings();
    const PlanetaryHoursReport report =
        computePlanetaryHours(sundayTimes(), kSunday - 1, kLongDatePattern, us);
    EXPECT_EQ(report.table[1][1], "Saturn");
}

TEST(HourEntryText, FixedColumnsWithTwelveHourClock)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    struct Row {
        const char* name;
        DateTime start;
        const char* ruler;
        const char* expected;
    };
    const Row rows[] = {
        {"morning", at(kSunday, 7, 51, 40), "Venus", "      06/04/2000 07:51am Venus         Hour"},
        {"five past noon", at(kSunday, 12, 5), "Sun",
         "      06/04/2000 12:05pm Sun           Hour"},
        {"five past midnight", at(kSunday, 0, 5), "Mercury",
         "      06/04/2000 12:05am Mercury       Hour"},
        {"evening", at(kSunday, 23, 59, 59), "Jupiter",
         "      06/04/2000 11:59pm Jupiter       Hour"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string entry = HourEntry(row.start, row.ruler, us);
        EXPECT_EQ(entry, row.expected);
        EXPECT_EQ(entry.size(), 43u);
        EXPECT_EQ(entry.substr(39, 4), "Hour");
    }
}

TEST(HourEntryText, DayFirstLocaleKeepsMonthFirstWithItsOwnSeparators)
{
    EXPECT_EQ(HourEntry(at(kSunday, 17, 12), "Jupiter", testing::finnish()),
              "      06.04.2000 05.12pm Jupiter       Hour");
}

TEST(PlanetaryHours, PolarDayOrNightGivesNoHoursAndNoEntries)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    struct Row {
        const char* name;
        RiseSetTimes times;
    };
    RiseSetTimes noRise = sundayTimes();
    noRise.SunRise = kNotFound;
    RiseSetTimes noSet = sundayTimes();
    noSet.SunSet = kNotFound;
    RiseSetTimes noNextRise = sundayTimes();
    noNextRise.NextSunRise = kNotFound;
    RiseSetTimes setBeforeRise = sundayTimes();
    setBeforeRise.SunSet = at(kSunday, 1, 30);  // the Sun sets once, then rises for good
    const Row rows[] = {{"no rise", noRise},
                        {"no set", noSet},
                        {"no rise next day", noNextRise},
                        {"set before rise", setBeforeRise}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PlanetaryHoursReport report =
            computePlanetaryHours(row.times, kSunday, kLongDatePattern, us);
        EXPECT_FALSE(report.hasHours);
        EXPECT_TRUE(report.hourEntries.empty());
        EXPECT_EQ(report.statusText, kNoSunriseText);
        ASSERT_EQ(report.hoursList.size(), 2u);
        EXPECT_EQ(report.hoursList[1], kNoSunriseText);
        for (int row2 = 1; row2 <= 12; ++row2)
            EXPECT_TRUE(report.table[row2][0].empty());
    }
}

TEST(PlanetaryHours, MissingEventsAreNamedNotShownAsMidnight)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    RiseSetTimes times = sundayTimes();
    times.SunRise = kNotFound;
    times.MoonSet = kNotFound;
    const PlanetaryHoursReport report = computePlanetaryHours(times, kSunday, kLongDatePattern, us);
    EXPECT_EQ(report.sunMoonList[1], "Sun    Rise not found");
    EXPECT_EQ(report.sunMoonList[8], "Moon    Set not found");
    EXPECT_EQ(report.hoursList[0], "Sunrise not found ");
}

}  // namespace
}  // namespace vantrel::core
