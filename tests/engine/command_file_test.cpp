#include "engine/command_file.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"

using namespace vantrel::engine;
using vantrel::engine::testing::fixture;

namespace {

int restrictedCount(const Request& r)
{
    int n = 0;
    for (bool b : r.restricted)
        n += b ? 1 : 0;
    return n;
}

}  // namespace

TEST(CommandFile, ChartFileAsTheProgramWritesIt)
{
    const Request r = parseCommandFile(fixture("chart_input_2001-03-14.txt"));
    ASSERT_TRUE(r.chart);
    EXPECT_EQ(r.chart->month, 3);
    EXPECT_EQ(r.chart->day, 14);
    EXPECT_EQ(r.chart->year, 2001);
    EXPECT_EQ(r.chart->hour, 21);
    EXPECT_EQ(r.chart->minute, 7);
    EXPECT_TRUE(r.chart->daylight);
    EXPECT_EQ(r.chart->zoneMinutesWest, 300);
    EXPECT_DOUBLE_EQ(r.chart->longitudeEastDeg, -74.0);
    EXPECT_NEAR(r.chart->latitudeNorthDeg, 40 + 43 / 60.0, 1e-12);
    EXPECT_EQ(r.chartLine, 2);
    EXPECT_EQ(r.textOutput, "chart.txt");
    EXPECT_EQ(r.houseSystem, 1);
    EXPECT_TRUE(r.sidereal);
    EXPECT_FALSE(r.dayFirst);
    EXPECT_EQ(restrictedCount(r), 6);
    EXPECT_TRUE(r.restricted[static_cast<int>(Object::Chiron)]);
    EXPECT_TRUE(r.restricted[static_cast<int>(Object::Lilith)]);
    EXPECT_FALSE(r.riseSet);
}

TEST(CommandFile, RiseSetFileWithDayFirstSwitchAfterTheDisplaySwitch)
{
    const Request r = parseCommandFile(fixture("risesetn_input_2001-03-15.txt"));
    EXPECT_EQ(r.chart->zoneMinutesWest, -60);
    EXPECT_FALSE(r.chart->daylight);
    EXPECT_EQ(r.textOutput, "risesetn.txt");
    EXPECT_TRUE(r.riseSet);
    EXPECT_TRUE(r.dayFirst);
}

TEST(CommandFile, WheelAndAspectFiles)
{
    const Request w = parseCommandFile(fixture("wheel_input_2001-03-14.txt"));
    EXPECT_TRUE(w.pictureRequested);
    EXPECT_EQ(w.pictureOutput, "chart.wmf");
    EXPECT_TRUE(w.reversedColors);
    EXPECT_FALSE(w.monochrome);
    EXPECT_EQ(w.wheelLines, 10);
    const Request a = parseCommandFile(fixture("aspects_input_2001-03-14.txt"));
    EXPECT_TRUE(a.aspectList && a.aspectGrid && a.influence && a.horizon);
    EXPECT_FALSE(a.riseSet);
}

TEST(CommandFile, EveryLineEndingAndCommentsAndBlankLines)
{
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        const std::string text = std::string("@0102  ; header") + eol + eol +
                                 "  /qb 1 1 2002 8:00AM ST 6 93W21 45N05 ; note" + eol +
                                 "\t/R\tChir  Cere" + eol + "/s" + eol + "_s";
        const Request r = parseCommandFile(text);
        EXPECT_EQ(r.chart->hour, 8) << "line end " << static_cast<int>(eol[0]);
        EXPECT_EQ(restrictedCount(r), 2);
        EXPECT_FALSE(r.sidereal) << "'_' forces off after '/' toggled on";
    }
}

TEST(CommandFile, ToggleForceOnAndForceOff)
{
    const Request r = parseCommandFile("@\n/qb 1 1 2002 8:00 ST 0 0E00 0N00\n/R Chir\n/R chi\n=R "
                                       "Ven\n=R Ven\n_R Mars\n-Yd\n-Yd\n=Yd\n");
    EXPECT_FALSE(r.restricted[static_cast<int>(Object::Chiron)]) << "toggled twice";
    EXPECT_TRUE(r.restricted[static_cast<int>(Object::Venus)]);
    EXPECT_FALSE(r.restricted[static_cast<int>(Object::Mars)]);
    EXPECT_TRUE(r.dayFirst);
}

// Each on/off switch sets its own field: '=' on, '_' off, '/' and '-' toggle.
TEST(CommandFile, EachFlagSwitchSetsItsField)
{
    const struct {
        const char* name;
        bool Request::*field;
    } rows[] = {
        {"Yd", &Request::dayFirst},   {"s", &Request::sidereal},
        {"a0", &Request::aspectList}, {"g0", &Request::aspectGrid},
        {"j0", &Request::influence},  {"Z", &Request::horizon},
        {"Zd", &Request::riseSet},    {"Xr", &Request::reversedColors},
        {"Xm", &Request::monochrome}, {"XM0", &Request::pictureRequested},
    };
    const std::string head = "@\n/qb 1 1 2002 8:00 ST 0 0E00 0N00\n";
    const Request none = parseCommandFile(head);
    for (const auto& row : rows) {
        const std::string name = row.name;
        const Request on = parseCommandFile(head + "=" + name + "\n");
        const Request off = parseCommandFile(head + "=" + name + "\n_" + name + "\n");
        EXPECT_FALSE(none.*row.field) << name;
        EXPECT_TRUE(on.*row.field) << name;
        EXPECT_FALSE(off.*row.field) << name;
        for (const auto& other : rows)
            EXPECT_TRUE(other.field == row.field || !(on.*other.field))
                << name << " sets " << other.name;
    }
    // /XM0 asks for the picture whether written with '/' or '-': it never toggles it off.
    EXPECT_TRUE(parseCommandFile(head + "/XM0\n-XM0\n").pictureRequested);
    EXPECT_FALSE(parseCommandFile(head + "/s\n-s\n").sidereal);
}

// Events need no chart data; a year is its universal-time calendar year.
TEST(CommandFile, EventSpans)
{
    const Request year = parseCommandFile("@\n/%e 2024\n");
    EXPECT_FALSE(year.chart);
    ASSERT_TRUE(year.events);
    EXPECT_EQ(year.events->startJdUt, 2460310.5);
    EXPECT_EQ(year.events->endJdUt, 2460676.5);
    const Request whole = parseCommandFile("@\n=%e 0001-01-01 3001-01-01T00:00\n");
    EXPECT_EQ(whole.events->startJdUt, 1721425.5);
    EXPECT_EQ(whole.events->endJdUt, 2817152.5);
    const Request span = parseCommandFile("@\n/%e 2000-02-29T12:30 2000-03-01\n");
    EXPECT_EQ(span.events->startJdUt, 2451604.0 + 0.5 / 24);
    EXPECT_EQ(span.events->endJdUt, 2451604.5);
}

TEST(CommandFile, ObjectNamesByTheirFirstLetters)
{
    const std::pair<const char*, std::optional<Object>> rows[] = {
        {"Chir", Object::Chiron}, {"LILI", Object::Lilith},    {"Mer", Object::Mercury},
        {"Mar", Object::Mars},    {"East", Object::EastPoint}, {"EastPoint", Object::EastPoint},
        {"Ve", std::nullopt},     {"Chirox", std::nullopt}};
    for (const auto& [prefix, object] : rows)
        EXPECT_EQ(objectFromPrefix(prefix), object) << prefix;
}

TEST(ChartData, TwelveHourMarkers)
{
    struct Row {
        const char* time;
        int hour, minute;
    } rows[] = {
        {"21:07PM", 21, 7}, {"0:05AM", 0, 5},   {"12:00PM", 12, 0}, {"12:30AM", 0, 30},
        {"9:05am", 9, 5},   {"3:15pm", 15, 15}, {"23:59", 23, 59},  {"0:00AM", 0, 0},
    };
    for (const Row& row : rows) {
        const ChartData d =
            parseChartData(std::string("6 3 2000 ") + row.time + " ST 6 93W21 45N05");
        EXPECT_EQ(d.hour, row.hour) << row.time;
        EXPECT_EQ(d.minute, row.minute) << row.time;
    }
}

TEST(ChartData, ZoneDaylightAndPlaceForms)
{
    struct Row {
        const char *zone, *dst;
        int minutesWest;
        bool daylight;
    } rows[] = {
        {"6", "ST", 360, false},    {"-1", "DT", -60, true},  {"5:30", "S", 330, false},
        {"-5:30", "D", -330, true}, {"5.30", "Y", 330, true}, {"-24", "T", -1440, true},
        {"24", "N", 1440, false},   {"+3", "F", 180, false},  {"-0:45", "dt", -45, true},
    };
    for (const Row& row : rows) {
        const ChartData d = parseChartData(std::string("2 29 2000 12:00 ") + row.dst + " " +
                                           row.zone + " 151E12 33S52");
        EXPECT_EQ(d.zoneMinutesWest, row.minutesWest) << row.zone;
        EXPECT_EQ(d.daylight, row.daylight) << row.dst;
        EXPECT_NEAR(d.longitudeEastDeg, 151.2, 1e-12);
        EXPECT_NEAR(d.latitudeNorthDeg, -(33 + 52 / 60.0), 1e-12);
    }
    EXPECT_NEAR(parseChartData("1 1 2000 0:00 ST 0 180W00 90N00").longitudeEastDeg, -180, 1e-12);
    EXPECT_NEAR(parseChartData("1 1 2000 0:00 ST 0 0e05 90s00").latitudeNorthDeg, -90, 1e-12);
}

TEST(ChartData, MalformedFieldsNameTheField)
{
    struct Row {
        const char* fields;
        const char* expected;
    } rows[] = {
        {"13 1 2000 12:00 ST 6 93W21 45N05", "month '13'"},
        {"0 1 2000 12:00 ST 6 93W21 45N05", "month '0'"},
        {"2 31 2000 12:00 ST 6 93W21 45N05", "day '31'"},
        {"2 29 1900 12:00 ST 6 93W21 45N05", "day '29'"},
        {"4 31 2001 12:00 ST 6 93W21 45N05", "day '31'"},
        {"1 1 0 12:00 ST 6 93W21 45N05", "year '0'"},
        {"1 1 10000 12:00 ST 6 93W21 45N05", "year '10000'"},
        {"1 1 2000 21:7 ST 6 93W21 45N05", "time '21:7'"},
        {"1 1 2000 24:00 ST 6 93W21 45N05", "time '24:00'"},
        {"1 1 2000 12:60 ST 6 93W21 45N05", "time '12:60'"},
        {"1 1 2000 1200 ST 6 93W21 45N05", "time '1200'"},
        {"1 1 2000 12:00XM ST 6 93W21 45N05", "time '12:00XM'"},
        {"1 1 2000 12:00 QT 6 93W21 45N05", "daylight field 'QT'"},
        {"1 1 2000 12:00 ST 25 93W21 45N05", "zone '25'"},
        {"1 1 2000 12:00 ST 24:01 93W21 45N05", "zone '24:01'"},
        {"1 1 2000 12:00 ST 5:3 93W21 45N05", "zone '5:3'"},
        {"1 1 2000 12:00 ST EST 93W21 45N05", "zone 'EST'"},
        {"1 1 2000 12:00 ST 6 93X21 45N05", "longitude '93X21'"},
        {"1 1 2000 12:00 ST 6 181W00 45N05", "longitude '181W00'"},
        {"1 1 2000 12:00 ST 6 93W60 45N05", "longitude '93W60'"},
        {"1 1 2000 12:00 ST 6 93W2 45N05", "longitude '93W2'"},
        {"1 1 2000 12:00 ST 6 93W21 45E05", "latitude '45E05'"},
        {"1 1 2000 12:00 ST 6 93W21 91N00", "latitude '91N00'"},
        {"1 1 2000 12:00 ST 6 93W21", "latitude is missing"},
        {"1 1 2000 12:00 ST 93W21 45N05", "latitude is missing"},
        {"1 1", "year is missing"},
        {"1 1 2000 12:00 ST 6 93W21 45N05 extra", "unexpected field 'extra'"},
    };
    for (const Row& row : rows) {
        try {
            parseChartData(row.fields);
            ADD_FAILURE() << "accepted: " << row.fields;
        } catch (const CommandError& e) {
            EXPECT_NE(std::string(e.what()).find(row.expected), std::string::npos)
                << row.fields << " -> " << e.what();
        }
    }
}

TEST(CommandFile, ErrorsCarryTheirLine)
{
    struct Row {
        const char* text;
        int line;
        const char* expected;
    } rows[] = {
        {"/qb 1 1 2000 12:00 ST 6 93W21 45N05\n", 1, "not a command file"},
        {"", 1, "not a command file"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n/Q\n", 3, "unknown switch '/Q'"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n\n\nhello\n", 5, "unknown switch 'hello'"},
        {"@\r\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\r\n/c 14\r\n", 3, "house system '14'"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n/w 12\n", 3, "lines per house '12'"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n=c\n", 3,
         "=c: house system (missing) is not 0 to 13"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n/w 0\n", 3,
         "/w: lines per house '0' is not 1 to 11"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n_Zd on\n", 3, "_Zd: unexpected argument 'on'"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n/R\n", 3, "/R: no object named"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n/os a.txt b.txt\n", 3,
         "/os: unexpected 'b.txt' after the file name"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n/R Xyz\n", 3, "unknown object 'Xyz'"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n/os\n", 3, "file name is missing"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n/os dir/chart.txt\n", 3, "not a plain file name"},
        {"@\n/qb 1 1 2000 12:00 ST 6 93W21 45N05\n/Xo ..\n", 3, "not a plain file name"},
        {"@\n/os chart.txt\n", 2, "/qb line is missing"},
        {"@\r/qb 2 30 2000 12:00 ST 6 93W21 45N05\r", 2, "day '30'"},
        {"@\n/%e 3001\n", 2, "/%e: year '3001' is not 1 to 3000"},
        {"@\n/%e\n", 2, "/%e: expected a year, or the first and the end moment (0 arguments"},
        {"@\n/%e 2024 2025 2026\n", 2, "(3 arguments given)"},
        {"@\n/%e 2023-02-29 2024-01-01\n", 2, "'2023-02-29' is not YYYY-MM-DD or"},
        {"@\n/%e 2024-01-01 2024-01-02T24:00\n", 2, "'2024-01-02T24:00' is not YYYY-MM-DD"},
        {"@\n/%e 2024-1-01 2024-01-02\n", 2, "'2024-1-01' is not YYYY-MM-DD"},
        {"@\n/%e 2024-01-02 2024-01-02\n", 2, "'2024-01-02' is not before '2024-01-02'"},
        {"@\n/%e 3000-12-01 3001-01-01T00:01\n", 2, "'3001-01-01T00:01' is outside the ephemeris"},
        {"@\n/%e 2024\n/Zd\n", 3, "/qb line is missing"},
        {"@\n/%e 2024\n_%e\n", 3, "/qb line is missing"},
    };
    for (const Row& row : rows) {
        try {
            parseCommandFile(row.text);
            ADD_FAILURE() << "accepted: " << row.text;
        } catch (const CommandError& e) {
            EXPECT_EQ(e.line(), row.line) << row.text;
            EXPECT_NE(std::string(e.what()).find(row.expected), std::string::npos) << e.what();
        }
    }
}
