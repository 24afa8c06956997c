// Command files: the chart-data line and the line lists of the four kinds of run.

#include "core/chart_engine/command_file.h"

#include <sstream>

#include <gtest/gtest.h>

#include "core/common/error.h"
#include "tests/core/error_text.h"
#include "tests/core/test_data.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

LocalDateTime at(int year, int month, int day, int hour, int minute, int second = 0)
{
    return testing::localDateTime(year, month, day, hour, minute, second);
}

std::string commandFileText(const std::vector<std::string>& lines)
{
    std::ostringstream out;
    writeCommandFile(out, lines);
    return out.str();
}

// The chart run in daylight time, month first; the next day's rise-and-set run in the system's
// zone, an hour east of Greenwich outside daylight saving, day first.
TEST(CommandFile, ChartAndNextDayRiseSetRunsMatchTheWorkedExamplesByteForByte)
{
    Settings settings;
    settings.houseSystem = HouseSystem::Koch;
    settings.zodiac = Zodiac::Sidereal;
    settings.timeMode = TimeMode::Daylight;
    const ChartPlace place{"5", "74W00", "40N43"};
    const auto chart = chartInputLines(place, at(2001, 3, 14, 21, 7), settings, {});
    settings.timeMode = TimeMode::SystemZone;
    testing::FakeZoneRules rules;
    rules.zones[""] = {-60, 0};
    const auto riseSet =
        riseSetInputLines(place, "risesetn.txt", at(2001, 3, 15, 21, 7), settings, {&rules, "-Yd"});
    EXPECT_EQ(commandFileText(chart),
              testing::dataText("../command_files/chart_input_2001-03-14.txt"));
    EXPECT_EQ(commandFileText(riseSet),
              testing::dataText("../command_files/risesetn_input_2001-03-15.txt"));
}

TEST(CommandFile, ClockTimesKeepTheTwentyFourHourFigureAndAddTheHalfOfDay)
{
    const struct {
        const char* name;
        LocalDateTime moment;
        const char* expected;
    } rows[] = {
        {"noon", at(2000, 6, 3, 12, 0), "/qb 6 3 2000 12:00PM ST 6 93W21 45N05"},
        {"midnight", at(2000, 6, 3, 0, 0), "/qb 6 3 2000 0:00AM ST 6 93W21 45N05"},
        {"morning", at(2000, 6, 3, 9, 5), "/qb 6 3 2000 9:05AM ST 6 93W21 45N05"},
        {"last minute", at(2000, 6, 3, 23, 59), "/qb 6 3 2000 23:59PM ST 6 93W21 45N05"},
        {"seconds are cut", at(2000, 6, 3, 9, 5, 59), "/qb 6 3 2000 9:05AM ST 6 93W21 45N05"},
        {"after midnight", at(2000, 6, 3, 0, 5), "/qb 6 3 2000 0:05AM ST 6 93W21 45N05"},
    };
    const Settings settings;
    for (const auto& row : rows) {
        EXPECT_EQ(chartDataLine({"6", "93W21", "45N05"}, row.moment, settings, {}), row.expected)
            << row.name;
    }
}

TEST(CommandFile, DateIsWrittenMonthDayYearWithoutLeadingZeros)
{
    const std::string line =
        chartDataLine({"6", "93W21", "45N05"}, at(2002, 1, 1, 8, 0), Settings{}, {});
    EXPECT_EQ(line.rfind("/qb 1 1 2002 8:00AM ST ", 0), 0u) << line;
}

// The daylight field and zone written for an answer of the zone rules.
std::string zoneFieldFor(const LiveZone& zone, const Settings& settings,
                         const LocalDateTime& moment = at(2002, 1, 1, 8, 0))
{
    const std::string line = chartDataLine({"", "1W00", "1N00"}, moment, settings, zone);
    const auto from = line.find("M ") + 1;
    return line.substr(from, line.find(" 1W00") - from);
}

Settings withTime(TimeMode mode, const std::string& zoneName = "")
{
    Settings settings;
    settings.timeMode = mode;
    settings.zoneName = zoneName;
    return settings;
}

// Offsets as the tz database gives them (zdump -v); the field must name the same universal
// time, with " DT " only for the engine's one-hour shift.
TEST(CommandFile, ZoneFromTheTzDatabaseNamesTheSameInstant)
{
    const struct {
        const char* name;
        ZoneOffset offset;
        const char* field;
    } rows[] = {
        {"Central Europe, winter", {-60, 0}, " ST -1"},
        {"Central Europe, summer", {-120, 60}, " DT -1"},
        {"Minnesota, summer", {300, 60}, " DT 6"},
        {"Greenwich", {0, 0}, " ST 0"},
        {"Dublin, winter: negative shift", {0, -60}, " ST 0"},
        {"Lord Howe, summer: half an hour", {-660, 30}, " ST -11"},
        {"Lord Howe, winter", {-630, 0}, " ST -10:30"},
        {"Adelaide, summer", {-630, 60}, " DT -9:30"},
        {"Newfoundland, summer", {150, 60}, " DT 3:30"},
        {"India", {-330, 0}, " ST -5:30"},
        {"Nepal", {-345, 0}, " ST -5:45"},
        {"Marquesas", {570, 0}, " ST 9:30"},
        {"London 1944: two hours", {-120, 120}, " ST -2"},
        {"New York before 1883: local mean time", {296, 0}, " ST 4:56"},
        {"Amsterdam 1937: twenty minutes east", {-20, 0}, " ST -0:20"},
    };
    testing::FakeZoneRules rules;
    for (const auto& row : rows) {
        rules.zones[""] = row.offset;
        rules.zones["Place/Zone"] = row.offset;
        EXPECT_EQ(zoneFieldFor({&rules, ""}, withTime(TimeMode::SystemZone)), row.field)
            << row.name;
        EXPECT_EQ(zoneFieldFor({&rules, ""}, withTime(TimeMode::PlaceZone, "Place/Zone")),
                  row.field)
            << row.name;
    }
}

TEST(CommandFile, ZoneRulesAreAskedForTheLocalMomentOfTheLine)
{
    testing::FakeZoneRules rules;
    rules.zones["Europe/Dublin"] = {0, -60};
    zoneFieldFor({&rules, ""}, withTime(TimeMode::SystemZone), at(2024, 3, 10, 2, 30, 59));
    zoneFieldFor({&rules, ""}, withTime(TimeMode::PlaceZone, "Europe/Dublin"),
                 at(2024, 3, 10, 23, 59));
    ASSERT_EQ(rules.asked.size(), 2u);
    EXPECT_EQ(rules.asked[0].first, at(2024, 3, 10, 2, 30, 59));
    EXPECT_EQ(rules.asked[0].second, "");
    EXPECT_EQ(rules.asked[1].first, at(2024, 3, 10, 23, 59));
    EXPECT_EQ(rules.asked[1].second, "Europe/Dublin");
}

TEST(CommandFile, ZoneThatCannotBeReadOrIsUnknown)
{
    // The system's zone unreadable: standard time at Greenwich, as before.
    testing::FakeZoneRules noSystemZone;
    noSystemZone.zones.clear();
    EXPECT_EQ(zoneFieldFor({&noSystemZone, ""}, withTime(TimeMode::SystemZone)), " ST 0");
    EXPECT_EQ(zoneFieldFor({}, withTime(TimeMode::SystemZone)), " ST 0");

    // A place's zone must be there and known: a chart in another zone would be hours off.
    testing::FakeZoneRules rules;
    const struct {
        const char* zoneName;
        std::string message;
    } rows[] = {
        {"", kNoPlaceZoneMessage},
        {"Atlantis/Capital",
         "The time zone \"Atlantis/Capital\" is not in this computer's time-zone database"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(testing::errorText([&] {
                      zoneFieldFor({&rules, ""}, withTime(TimeMode::PlaceZone, row.zoneName));
                  }),
                  row.message)
            << row.zoneName;
    }
}

TEST(CommandFile, DateOrderSwitchStandsOnItsOwnLineEvenWhenEmpty)
{
    const Settings settings;
    LiveZone dayFirst;
    dayFirst.dateOrderSwitch = "-Yd";
    const ChartPlace place{"6", "93W21", "45N05"};
    const LocalDateTime moment = at(2000, 6, 3, 8, 0);
    EXPECT_EQ(chartInputLines(place, moment, settings, {}).at(3), "");
    EXPECT_EQ(chartInputLines(place, moment, settings, dayFirst).at(3), "-Yd");
    EXPECT_EQ(wheelInputLines(place, moment, settings, dayFirst).at(3), "-Yd");
    EXPECT_EQ(aspectsInputLines(place, moment, settings, dayFirst).at(3), "-Yd");
    EXPECT_EQ(riseSetInputLines(place, "riseset.txt", moment, settings, {}).back(), "");
}

TEST(CommandFile, WheelRunSwitches)
{
    const ChartPlace place{"6", "93W21", "45N05"};
    const LocalDateTime moment = at(2000, 6, 3, 8, 0);
    Settings plain;
    plain.wheelReversed = false;
    plain.wheelMonochrome = false;
    const auto lines = wheelInputLines(place, moment, plain, {});
    const std::vector<std::string> tail(lines.begin() + 2, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"/os wheel.txt", "", "/R Chir", "/R Cere", "/R Pall",
                                              "/R Juno", "/R Vest", "/R Lili", "/XM0",
                                              "/Xo chart.wmf", "/c 0", "/w 10"}));

    Settings coloured;  // reversed and monochrome by default
    coloured.zodiac = Zodiac::Sidereal;
    coloured.houseSystem = HouseSystem::NoHouses;
    const auto full = wheelInputLines(place, moment, coloured, {});
    const std::vector<std::string> switches(full.begin() + 9, full.end());
    EXPECT_EQ(switches, (std::vector<std::string>{"/R Lili", "/XM0", "/Xr", "/Xm", "/Xo chart.wmf",
                                                  "/c 13", "/s", "/w 10"}));
}

TEST(CommandFile, AspectsRunSwitches)
{
    Settings settings;
    settings.houseSystem = HouseSystem::WholeSign;
    settings.zodiac = Zodiac::Sidereal;
    const auto lines =
        aspectsInputLines({"6", "93W21", "45N05"}, at(2000, 6, 3, 8, 0), settings, {});
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
        {"empty zone", {"", "93W21", "45N05"}, "Time Zone must not be empty"},
        {"empty latitude", {"6", "93W21", ""}, "Latitude must not be empty"},
    };
    for (const auto& row : rows) {
        const std::string message = testing::errorText(
            [&] { chartDataLine(row.place, at(2000, 6, 3, 8, 0), Settings{}, {}); });
        EXPECT_NE(message.find(row.field), std::string::npos) << row.name << ": " << message;
    }
}

TEST(CommandFile, ZoneTextIsNotCheckedWhileTheZoneComesFromTheRules)
{
    const testing::FakeZoneRules rules;
    EXPECT_NO_THROW(chartDataLine({"6 /s", "93W21", "45N05"}, at(2000, 6, 3, 8, 0),
                                  withTime(TimeMode::SystemZone), {&rules, ""}));
}

}  // namespace
}  // namespace vantrel::core
