// Command files: the chart-data line and the line lists of the four kinds of run.

#include "core/astrolog/command_file.h"

#include <sstream>

#include <gtest/gtest.h>

#include "core/common/error.h"
#include "tests/core/test_data.h"

namespace vantrel::core {
namespace {

DateTime at(int hour, int minute, int second = 0)
{
    return dateTimeFromTime({hour, minute, second, 0});
}

std::string commandFileText(const std::vector<std::string>& lines)
{
    std::ostringstream out;
    writeCommandFile(out, lines);
    return out.str();
}

TEST(CommandFile, ChartRunMatchesTheWorkedExampleByteForByte)
{
    Settings settings;
    settings.OTime = TimeMode::Daylight;
    settings.OHouseSystem = HouseSystem::Koch;
    settings.OZodiac = Zodiac::Sidereal;
    const ZoneSnapshot monthFirst;
    const auto lines = chartInputLines({"5", "74W00", "40N43"}, at(21, 7),
                                       dateTimeFromDate(2001, 3, 14), settings, monthFirst);
    EXPECT_EQ(commandFileText(lines),
              testing::dataText("../command_files/chart_input_2001-03-14.txt"));
}

TEST(CommandFile, NextDayRiseSetRunInSystemZoneMatchesTheWorkedExample)
{
    Settings settings;
    settings.OTime = TimeMode::SystemZone;
    settings.OHouseSystem = HouseSystem::Koch;
    settings.OZodiac = Zodiac::Sidereal;
    ZoneSnapshot zone;
    zone.SystemZoneHours = -1;
    zone.systemZoneMinutesWest = -60;
    zone.DaylightStart = dateTimeFromDate(2001, 3, 25) + at(2, 0);
    zone.DaylightEnd = dateTimeFromDate(2001, 10, 28) + at(3, 0);
    zone.DateOrderSwitch = "-Yd";
    const auto lines = riseSetInputLines({"5", "74W00", "40N43"}, "risesetn.txt", at(21, 7),
                                         dateTimeFromDate(2001, 3, 15), settings, zone);
    EXPECT_EQ(commandFileText(lines),
              testing::dataText("../command_files/risesetn_input_2001-03-15.txt"));
}

TEST(CommandFile, ClockTimesKeepTheTwentyFourHourFigureAndAddTheHalfOfDay)
{
    const struct {
        const char* name;
        DateTime time;
        const char* expected;
    } rows[] = {
        {"noon", at(12, 0), "/qb 6 3 2000 12:00PM ST 6 93W21 45N05"},
        {"midnight", at(0, 0), "/qb 6 3 2000 0:00AM ST 6 93W21 45N05"},
        {"morning", at(9, 5), "/qb 6 3 2000 9:05AM ST 6 93W21 45N05"},
        {"last minute", at(23, 59), "/qb 6 3 2000 23:59PM ST 6 93W21 45N05"},
        {"seconds are cut", at(9, 5, 59), "/qb 6 3 2000 9:05AM ST 6 93W21 45N05"},
        {"after midnight", at(0, 5), "/qb 6 3 2000 0:05AM ST 6 93W21 45N05"},
    };
    const Settings settings;
    for (const auto& row : rows) {
        EXPECT_EQ(chartDataLine({"6", "93W21", "45N05"}, row.time, dateTimeFromDate(2000, 6, 3),
                                settings, {}),
                  row.expected)
            << row.name;
    }
}

TEST(CommandFile, DateIsWrittenMonthDayYearWithoutLeadingZeros)
{
    const std::string line = chartDataLine({"6", "93W21", "45N05"}, at(8, 0),
                                           dateTimeFromDate(2002, 1, 1), Settings{}, {});
    EXPECT_EQ(line.rfind("/qb 1 1 2002 8:00AM ST ", 0), 0u) << line;
}

TEST(CommandFile, EmptyZoneLeavesTwoBlanksBeforeTheLongitude)
{
    Settings daylight;
    daylight.OTime = TimeMode::Daylight;
    EXPECT_EQ(
        chartDataLine({"", "93W21", "45N05"}, at(8, 0), dateTimeFromDate(2002, 1, 1), daylight, {}),
        "/qb 1 1 2002 8:00AM DT  93W21 45N05");
}

ZoneSnapshot systemZone(int minutesWest)
{
    ZoneSnapshot zone;
    zone.systemZoneMinutesWest = minutesWest;
    zone.SystemZoneHours = minutesWest / 60;
    return zone;
}

TEST(CommandFile, SystemZoneIsWrittenInHoursWestAndInHoursAndMinutesWhenNotWhole)
{
    const struct {
        const char* name;
        int minutesWest;
        const char* zone;
    } rows[] = {
        {"Central Europe", -60, "-1"}, {"Greenwich", 0, "0"},
        {"Minnesota", 360, "6"},       {"one hour west", 60, "1"},
        {"India", -330, "-5:30"},      {"Nepal", -345, "-5:45"},
        {"Newfoundland", 210, "3:30"}, {"central Australia", -570, "-9:30"},
        {"Iran", -210, "-3:30"},       {"Marquesas", 570, "9:30"},
    };
    Settings settings;
    settings.OTime = TimeMode::SystemZone;
    for (const auto& row : rows) {
        EXPECT_EQ(chartDataLine({"ignored", "93W21", "45N05"}, at(8, 0),
                                dateTimeFromDate(2002, 1, 1), settings,
                                systemZone(row.minutesWest)),
                  std::string("/qb 1 1 2002 8:00AM ST ") + row.zone + " 93W21 45N05")
            << row.name;
    }
}

TEST(CommandFile, SnapshotWithoutMinutesStillWritesItsWholeHours)
{
    ZoneSnapshot zone;
    zone.SystemZoneHours = 5;  // minutes left at zero by a caller that only knows the hours
    Settings settings;
    settings.OTime = TimeMode::SystemZone;
    EXPECT_EQ(
        chartDataLine({"", "1W00", "1N00"}, at(8, 0), dateTimeFromDate(2002, 1, 1), settings, zone),
        "/qb 1 1 2002 8:00AM ST 5 1W00 1N00");
}

std::string daylightField(const ZoneSnapshot& zone, DateTime date, DateTime time = at(12, 0))
{
    Settings settings;
    settings.OTime = TimeMode::SystemZone;
    const std::string line = chartDataLine({"", "1W00", "1N00"}, time, date, settings, zone);
    return line.substr(line.find("M ") + 1, 4);
}

TEST(CommandFile, SystemDaylightHoldsStrictlyBetweenStartAndEnd)
{
    ZoneSnapshot zone = systemZone(360);
    zone.DaylightStart = dateTimeFromDate(2001, 4, 1);
    zone.DaylightEnd = dateTimeFromDate(2001, 10, 28);
    EXPECT_EQ(daylightField(zone, dateTimeFromDate(2001, 3, 31)), " ST ");
    EXPECT_EQ(daylightField(zone, dateTimeFromDate(2001, 4, 1), at(0, 0)), " ST ")
        << "equal to the start";
    EXPECT_EQ(daylightField(zone, dateTimeFromDate(2001, 4, 2)), " DT ");
    EXPECT_EQ(daylightField(zone, dateTimeFromDate(2001, 10, 27)), " DT ");
    EXPECT_EQ(daylightField(zone, dateTimeFromDate(2001, 10, 28), at(0, 0)), " ST ")
        << "equal to the end";
}

TEST(CommandFile, OnTheDaysTheClocksChangeTheTimeOfDayDecides)
{
    // Chicago 2024: daylight time from 10 March 3:00 (after the jump) to 3 November 1:00
    // (after the fall back), as the zone adapter reports the local moments.
    ZoneSnapshot zone = systemZone(360);
    zone.DaylightStart = dateTimeFromDate(2024, 3, 10) + at(3, 0);
    zone.DaylightEnd = dateTimeFromDate(2024, 11, 3) + at(1, 0);
    const DateTime springDay = dateTimeFromDate(2024, 3, 10);
    const DateTime autumnDay = dateTimeFromDate(2024, 11, 3);
    EXPECT_EQ(daylightField(zone, springDay, at(1, 59)), " ST ") << "before the jump";
    EXPECT_EQ(daylightField(zone, springDay, at(3, 1)), " DT ") << "after the jump";
    EXPECT_EQ(daylightField(zone, springDay, at(20, 0)), " DT ") << "evening of the first day";
    EXPECT_EQ(daylightField(zone, autumnDay, at(0, 59)), " DT ") << "before the fall back";
    EXPECT_EQ(daylightField(zone, autumnDay, at(2, 0)), " ST ") << "after the fall back";
}

TEST(CommandFile, SouthernDaylightPeriodOverTheTurnOfTheYearCounts)
{
    ZoneSnapshot sydney = systemZone(-600);
    sydney.DaylightStart = dateTimeFromDate(2001, 10, 28) + at(2, 0);
    sydney.DaylightEnd = dateTimeFromDate(2001, 3, 25) + at(3, 0);
    EXPECT_EQ(daylightField(sydney, dateTimeFromDate(2001, 1, 15)), " DT ") << "summer, January";
    EXPECT_EQ(daylightField(sydney, dateTimeFromDate(2001, 12, 24)), " DT ") << "summer, December";
    EXPECT_EQ(daylightField(sydney, dateTimeFromDate(2001, 7, 1)), " ST ") << "winter";
    EXPECT_EQ(daylightField(sydney, dateTimeFromDate(2001, 3, 26)), " ST ") << "day after the end";
}

TEST(CommandFile, NoDaylightPeriodMeansStandardTimeAllYear)
{
    const ZoneSnapshot zone = systemZone(-330);
    EXPECT_EQ(daylightField(zone, dateTimeFromDate(2001, 1, 1)), " ST ");
    EXPECT_EQ(daylightField(zone, dateTimeFromDate(2001, 7, 1)), " ST ");
}

TEST(CommandFile, DateOrderSwitchStandsOnItsOwnLineEvenWhenEmpty)
{
    const Settings settings;
    ZoneSnapshot dayFirst;
    dayFirst.DateOrderSwitch = "-Yd";
    const ChartPlace place{"6", "93W21", "45N05"};
    const DateTime date = dateTimeFromDate(2000, 6, 3);
    EXPECT_EQ(chartInputLines(place, at(8, 0), date, settings, {}).at(3), "");
    EXPECT_EQ(chartInputLines(place, at(8, 0), date, settings, dayFirst).at(3), "-Yd");
    EXPECT_EQ(wheelInputLines(place, at(8, 0), date, settings, dayFirst).at(3), "-Yd");
    EXPECT_EQ(aspectsInputLines(place, at(8, 0), date, settings, dayFirst).at(3), "-Yd");
    EXPECT_EQ(riseSetInputLines(place, "riseset.txt", at(8, 0), date, settings, {}).back(), "");
}

TEST(CommandFile, WheelRunSwitches)
{
    const ChartPlace place{"6", "93W21", "45N05"};
    const DateTime date = dateTimeFromDate(2000, 6, 3);
    Settings plain;
    plain.WheelReverse = false;
    plain.Monochrome = false;
    const auto lines = wheelInputLines(place, at(8, 0), date, plain, {});
    const std::vector<std::string> tail(lines.begin() + 2, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"/os wheel.txt", "", "/R Chir", "/R Cere", "/R Pall",
                                              "/R Juno", "/R Vest", "/R Lili", "/XM0",
                                              "/Xo chart.wmf", "/c 0", "/w 10"}));

    Settings coloured;  // reversed and monochrome by default
    coloured.OZodiac = Zodiac::Sidereal;
    coloured.OHouseSystem = HouseSystem::NoHouses;
    const auto full = wheelInputLines(place, at(8, 0), date, coloured, {});
    const std::vector<std::string> switches(full.begin() + 9, full.end());
    EXPECT_EQ(switches, (std::vector<std::string>{"/R Lili", "/XM0", "/Xr", "/Xm", "/Xo chart.wmf",
                                                  "/c 13", "/s", "/w 10"}));
}

TEST(CommandFile, AspectsRunSwitches)
{
    Settings settings;
    settings.OHouseSystem = HouseSystem::WholeSign;
    settings.OZodiac = Zodiac::Sidereal;
    const auto lines = aspectsInputLines({"6", "93W21", "45N05"}, at(8, 0),
                                         dateTimeFromDate(2000, 6, 3), settings, {});
    const std::vector<std::string> tail(lines.begin() + 2, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"/os aspects.txt", "", "/c 12", "/s", "/a0", "/g0",
                                              "/j0", "/R Chir", "/R Cere", "/R Pall", "/R Juno",
                                              "/R Vest", "/R Lili", "/Z"}));
    EXPECT_EQ(lines.front(), "@0102  ; Astrolog chart info.");
}

TEST(CommandFile, LocationTextsThatWouldSplitTheLineAreRefused)
{
    const struct {
        const char* name;
        ChartPlace place;
        const char* field;
    } rows[] = {
        {"switch after the longitude", {"6", "93W21 /s", "45N05"}, "Longitude \"93W21 /s\""},
        {"line break in the latitude",
         {"6", "93W21", "45N05\r\n/os x"},
         "Latitude \"45N05\\r\\n/os x\""},
        {"tab in the zone", {"6\t5", "93W21", "45N05"}, "Time Zone \"6\\t5\""},
        {"leading blank", {" 6", "93W21", "45N05"}, "Time Zone \" 6\""},
        {"control character", {"6", "93\x01W21", "45N05"}, "Longitude \"93\\x01W21\""},
    };
    for (const auto& row : rows) {
        try {
            chartDataLine(row.place, at(8, 0), dateTimeFromDate(2000, 6, 3), Settings{}, {});
            ADD_FAILURE() << row.name << ": accepted";
        } catch (const VantrelError& error) {
            EXPECT_NE(std::string(error.what()).find(row.field), std::string::npos)
                << row.name << ": " << error.what();
        }
    }
}

TEST(CommandFile, ZoneIsNotCheckedWhileTheSystemZoneIsUsed)
{
    Settings settings;
    settings.OTime = TimeMode::SystemZone;
    EXPECT_NO_THROW(chartDataLine({"6 /s", "93W21", "45N05"}, at(8, 0),
                                  dateTimeFromDate(2000, 6, 3), settings, systemZone(360)));
}

}  // namespace
}  // namespace vantrel::core
