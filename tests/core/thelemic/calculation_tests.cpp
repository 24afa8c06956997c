// The whole calculation against fake ports and canned listings: composition, the day-begins rule
// and what the calculation does around the engine runs.

#include "core/thelemic/calculation.h"

#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "core/chart_engine/engine_program.h"
#include "core/chart_engine/engine_run.h"
#include "core/common/error.h"
#include "core/thelemic/composition.h"
#include "tests/core/error_text.h"
#include "tests/core/test_data.h"
#include "tests/fakes/test_locales.h"

namespace vantrel::core {
namespace {

using testing::FakeClipboard;
using testing::FakeMessages;
using testing::FakeProcessRunner;
using testing::RecordingMainView;
using testing::TempDir;

std::string fixture(const std::string& name)
{
    return testing::dataText(name);
}

const std::vector<std::string> kExampleOne = {
    "Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii", "Saturday, June 03, 2000 e.v. 8:03 PM"};

// Saturday 3 June 2000, with the listings of that day; the options of the first worked example.
struct CalculationFixture : ::testing::Test {
    TempDir dir;
    Settings settings;
    RegionalSettings regional = testing::usEnglishTwoDigitYear();
    LiveZone zone;
    FakeProcessRunner runner{dir.path()};
    EngineProgram engine{runner, settings, dir.path()};
    RecordingMainView view;
    FakeClipboard clipboard;
    FakeMessages messages;
    Calculator calculator{{settings, regional, zone, engine, view, clipboard, messages}};

    void SetUp() override
    {
        settings.yearPrefix = YearPrefix::Anno;
        settings.yearFormat = YearFormat::UpperRomanLowerRoman;
        settings.signDisplay = SignDisplay::SignOnly;
        settings.dateFormat = DateFormat::Long;
        settings.timeFormat = TimeFormat::Short;
        settings.lineCount = LineCount::Two;
        settings.dayStart = DayStart::Midnight;
        runner.responder = testing::exampleListings();
    }

    void calculate(int hour, int minute, int second = 0, Date date = *Date::fromCivil(2000, 6, 3))
    {
        calculator.calculate({date, *TimeOfDay::fromClock(hour, minute, second)});
    }
};

TEST_F(CalculationFixture, TwoLinesWithLongDateAndShortTime)
{
    calculate(20, 3, 15);
    EXPECT_EQ(view.lines, kExampleOne);
    EXPECT_EQ(calculator.thelemicDate().yearText, "IVviii");
    EXPECT_EQ(calculator.thelemicDate().dayName, "Saturnii");
    EXPECT_EQ(calculator.datePattern(), "dddddd \"e.v. \"");
    EXPECT_EQ(view.caption, "Vantrel");
    EXPECT_FALSE(clipboard.text.has_value());
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(messages.messages.empty());
}

// The options and the lines they lay out, each row changing the first worked example's options;
// the expected lines are the display's first ones.
TEST_F(CalculationFixture, OptionsLayOutTheDisplayLines)
{
    struct Row {
        const char* name;
        std::function<void(Settings&)> change;
        Date date;
        TimeOfDay time;
        std::vector<std::string> lines;
        std::string yearText;
        std::optional<std::string> moonText{};
    };
    const Date june2000 = *Date::fromCivil(2000, 6, 3);
    const Date june1904 = *Date::fromCivil(1904, 6, 1);
    const TimeOfDay evening = *TimeOfDay::fromClock(20, 3, 15);
    const TimeOfDay eveningMinute = *TimeOfDay::fromClock(20, 3);
    const TimeOfDay noon = *TimeOfDay::fromClock(12, 0);
    const Row rows[] = {
        {"one line with degrees, short date and no time: blanks collapsed",
         [](Settings& s) {
             s.signDisplay = SignDisplay::WithDegree;
             s.yearFormat = YearFormat::DigitsUpperRoman;
             s.yearPrefix = YearPrefix::An;
             s.lineCount = LineCount::One;
             s.dateFormat = DateFormat::Short;
             s.timeFormat = TimeFormat::Omitted;
         },
         june2000,
         evening,
         {"An 4VIII Sol 13\u00B0 Gemini, Luna 5\u00B0 Leo Dies Saturnii 6/3/00 e.v. "},
         "4VIII",
         " 5\u00B0 Leo" /* the record is not collapsed */},
        {"plain greetings and the long time",
         [](Settings& s) {
             s.greetings = true;
             s.timeFormat = TimeFormat::Long;
         },
         june2000,
         evening,
         {kExampleOne[0], "Saturday, June 03, 2000 e.v. 8:03:15 PM",
          "Do what thou wilt shall be the whole of the Law.", "Love is the law, love under will."},
         "IVviii"},
        {"no date and no time leave a single blank",
         [](Settings& s) {
             s.dateFormat = DateFormat::Omitted;
             s.timeFormat = TimeFormat::Omitted;
         },
         june2000,
         eveningMinute,
         {kExampleOne[0], " "},
         "IVviii"},
        {"no date and no time on one line",
         [](Settings& s) {
             s.dateFormat = DateFormat::Omitted;
             s.timeFormat = TimeFormat::Omitted;
             s.lineCount = LineCount::One;
         },
         june2000,
         eveningMinute,
         {"Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii  "},
         "IVviii"},
        {"an empty year without prefix starts with the Sol piece",
         [](Settings& s) { s.yearPrefix = YearPrefix::Omitted; },
         june1904,
         noon,
         {" Sol in Gemini, Luna in Leo Dies Mercurii"},
         ""},
        {"an empty year after its prefix",
         [](Settings&) {},
         june1904,
         noon,
         {"Anno Sol in Gemini, Luna in Leo Dies Mercurii"},
         ""},
    };
    for (const Row& row : rows) {
        settings = Settings{};
        SetUp();
        row.change(settings);
        calculator.calculate({row.date, row.time});
        ASSERT_GE(view.lines.size(), row.lines.size()) << row.name;
        EXPECT_EQ(std::vector<std::string>(view.lines.begin(),
                                           view.lines.begin() + std::ssize(row.lines)),
                  row.lines)
            << row.name;
        EXPECT_EQ(calculator.thelemicDate().yearText, row.yearText) << row.name;
        if (row.moonText) {
            EXPECT_EQ(calculator.thelemicDate().moonText, *row.moonText) << row.name;
        }
    }
}

TEST_F(CalculationFixture, SunsetTurnsTheLatinDayButNotTheCivilDate)
{
    settings.dayStart = DayStart::Sunset;
    calculate(21, 30);
    EXPECT_EQ(view.lines,
              (std::vector<std::string>{"Anno IVviii Sol in Gemini, Luna in Leo Dies Solis",
                                        "Saturday, June 03, 2000 e.v. 9:30 PM"}));
    EXPECT_EQ(calculator.thelemicDate().dayName, "Solis");
    EXPECT_EQ(runner.runs.size(), 3u) << "chart, then the day's and the next day's rise and set";
}

TEST_F(CalculationFixture, BeforeSunriseItIsStillTheDayBefore)
{
    settings.dayStart = DayStart::Sunrise;
    calculate(4, 10);
    EXPECT_EQ(calculator.thelemicDate().dayName, "Veneris");
    EXPECT_EQ(view.lines.at(1), "Saturday, June 03, 2000 e.v. 4:10 AM");
}

TEST_F(CalculationFixture, DayBeginsAtTheExactMomentsOfSunriseAndSunset)
{
    const struct {
        const char* name;
        DayStart dayBegins;
        int hour, minute, second;
        const char* day;
    } rows[] = {
        {"at sunset", DayStart::Sunset, 20, 52, 0, "Solis"},
        {"a second before sunset", DayStart::Sunset, 20, 51, 59, "Saturnii"},
        {"at sunrise", DayStart::Sunrise, 5, 26, 0, "Saturnii"},
        {"a second before sunrise", DayStart::Sunrise, 5, 25, 59, "Veneris"},
        {"common time ignores both", DayStart::Midnight, 23, 0, 0, "Saturnii"},
    };
    for (const auto& row : rows) {
        settings.dayStart = row.dayBegins;
        calculate(row.hour, row.minute, row.second);
        EXPECT_EQ(calculator.thelemicDate().dayName, row.day) << row.name;
    }
}

TEST_F(CalculationFixture, SundayBeforeSunriseIsDiesSaturnii)
{
    settings.dayStart = DayStart::Sunrise;
    runner.responder =
        FakeProcessRunner::cannedListings({{"chart.txt", fixture("chart_2000-06-03.txt")},
                                           {"riseset.txt", fixture("risesetn_2000-06-04.txt")}});
    calculate(4, 0, 0, *Date::fromCivil(2000, 6, 4));
    EXPECT_EQ(view.lines.at(0), "Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii");
    EXPECT_EQ(view.lines.at(1), "Sunday, June 04, 2000 e.v. 4:00 AM");
}

TEST_F(CalculationFixture, WithoutASunsetTheLatinDayFollowsTheCivilDay)
{
    settings.dayStart = DayStart::Sunset;
    runner.responder =
        FakeProcessRunner::cannedListings({{"chart.txt", fixture("chart_2000-06-03.txt")},
                                           {"riseset.txt", "No horizon events found.\r\n"},
                                           {"risesetn.txt", "No horizon events found.\r\n"}});
    calculate(23, 0);
    EXPECT_FALSE(calculator.riseSetTimes().sunset);
    EXPECT_EQ(calculator.thelemicDate().dayName, "Saturnii");
    settings.dayStart = DayStart::Sunrise;
    calculate(0, 30);
    EXPECT_EQ(calculator.thelemicDate().dayName, "Saturnii");
}

TEST_F(CalculationFixture, ThreeLinesWithQuotedGreetingsGoToTheClipboard)
{
    settings.lineCount = LineCount::Three;
    settings.greetings = true;
    settings.quotedGreetings = true;
    settings.copyEveryDate = true;
    calculate(20, 3, 15);
    const std::vector<std::string> expected = {
        "Anno IVviii Sol in Gemini, Luna in Leo", "Dies Saturnii",
        "Saturday, June 03, 2000 e.v. 8:03 PM",
        "\"Do what thou wilt shall be the whole of the Law.\" - AL I,40",
        "\"Love is the law, love under will.\" - AL I, 57"};
    EXPECT_EQ(view.lines, expected);
    EXPECT_EQ(clipboard.text, expected[0] + "\n" + expected[1] + "\n" + expected[2] + "\n" +
                                  expected[3] + "\n" + expected[4]);
    EXPECT_EQ(clipboard.writes, 1);
}

TEST_F(CalculationFixture, CaptionFollowsTheOptionAfterEveryCalculation)
{
    settings.dateInCaption = true;
    calculate(20, 3, 15);
    EXPECT_EQ(view.caption, "Saturday, June 03, 2000 e.v. 8:03 PM");
    settings.dateInCaption = false;
    calculate(20, 3, 15);
    EXPECT_EQ(view.caption, "Vantrel");
}

TEST_F(CalculationFixture, ShowsPleaseWaitDuringTheRunsAndClearsOldListings)
{
    for (const char* name :
         {"chart.txt", "riseset.txt", "risesetn.txt", "wheel.txt", "aspects.txt", "chart.wmf"})
        testing::writeWholeFile(dir.path() / name, "Sun : 29Pis59 left over\r\n");
    std::vector<std::string> linesDuringRun;
    runner.responder = [&](const std::filesystem::path& folder, const std::string&) {
        linesDuringRun = view.lines;
        for (const char* name : {"chart.txt", "aspects.txt", "chart.wmf"})
            EXPECT_FALSE(std::filesystem::exists(folder / name)) << name;
    };
    calculate(20, 3);
    EXPECT_EQ(linesDuringRun, std::vector<std::string>{"- Please wait -"});
    EXPECT_EQ(view.statusTexts, std::vector<std::string>{"- Please wait -"});
    EXPECT_EQ(view.lines.at(0), "Anno IVviii Dies Saturnii");
    EXPECT_EQ(view.calendarDate, *Date::fromCivil(2000, 6, 3));
    EXPECT_EQ(view.caretMoves, 1);
}

TEST_F(CalculationFixture, WheelAndAspectRunsFollowTheChartRun)
{
    settings.wheelChart = true;
    settings.aspectCharts = true;
    calculate(20, 3);
    ASSERT_EQ(runner.runs.size(), 3u);
    EXPECT_NE(runner.runs[0].commandFile.find("/os chart.txt"), std::string::npos);
    EXPECT_NE(runner.runs[1].commandFile.find("/os wheel.txt"), std::string::npos);
    EXPECT_NE(runner.runs[2].commandFile.find("/os aspects.txt"), std::string::npos);
    EXPECT_EQ(view.lines,
              (std::vector<std::string>{kExampleOne[0], "Saturday, June 03, 2000 e.v. 8:03 PM"}));
}

TEST_F(CalculationFixture, DataWindowIsRefreshedOnlyWhenShown)
{
    calculate(20, 3);
    EXPECT_EQ(view.dataWindowRefreshes, 0);
    view.dataWindowShown = true;
    calculate(20, 3);
    EXPECT_EQ(view.dataWindowRefreshes, 1);
}

TEST_F(CalculationFixture, AFailedEngineIsReportedOnceAndTheDateStillShown)
{
    // With every run asked for, the first failure ends the engine runs of the calculation.
    settings.wheelChart = true;
    settings.aspectCharts = true;
    settings.dayStart = DayStart::Sunrise;
    runner.outcome.started = false;
    runner.outcome.errorText = "No such file or directory";
    calculate(20, 3);
    EXPECT_EQ(runner.runs.size(), 1u);
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_NE(messages.errors[0].find("vantrel-engine"), std::string::npos);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(view.lines, (std::vector<std::string>{"Anno IVviii Dies Saturnii",
                                                    "Saturday, June 03, 2000 e.v. 8:03 PM"}));
    // The next calculation runs the engine again.
    runner.outcome = FakeProcessRunner::startedOutcome();
    calculate(20, 3);
    EXPECT_EQ(runner.runs.size(), 6u);
    EXPECT_EQ(messages.errors.size(), 1u);
}

TEST_F(CalculationFixture, FailuresThrowWhenTheCallerStopsOnThem)
{
    calculator.setEngineFailures(EngineFailures::Throw);
    runner.outcome.exitCode = 1;
    runner.outcome.errorOutput = "vantrel-engine: input.txt:2: /qb: bad zone\n";
    try {
        calculate(20, 3);
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.failure().summary, "Astrolog return code 1");
        EXPECT_EQ(error.failure().engineText, "vantrel-engine: input.txt:2: /qb: bad zone");
    }
    runner.outcome.exitCode = 0;
    runner.responder = FakeProcessRunner::cannedListings({{"chart.txt", "Sun : 13Gem10\r\n"}});
    EXPECT_THROW(calculate(20, 3), EngineError) << "a listing without a Moon row";
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(CalculationFixture, DatesOutsideTheEphemerisRangeRunNoEngine)
{
    calculate(12, 0, 0, *Date::fromCivil(3001, 1, 1));
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_EQ(messages.errors,
              std::vector<std::string>{"The date 1 January 3001 is outside the ephemeris range "
                                       "(1 January 1 to 31 December 3000)"});
    // On the last day the next day's rise and set are not asked for.
    settings.dayStart = DayStart::Sunrise;
    calculate(12, 0, 0, *Date::fromCivil(3000, 12, 31));
    EXPECT_EQ(runner.runs.size(), 2u);
    EXPECT_EQ(messages.errors.size(), 1u);
}

TEST_F(CalculationFixture, FailedRunKeepsTheLastSunAndMoon)
{
    calculate(20, 3);
    runner.responder = nullptr;
    runner.outcome.exitCode = 1;
    calculate(20, 3);
    EXPECT_EQ(messages.messages, std::vector<std::string>{"Astrolog return code 1"});
    EXPECT_TRUE(messages.errors.empty()) << "the missing listing is the same failure";
    EXPECT_EQ(calculator.thelemicDate().sunText, "Gemini");
    EXPECT_EQ(calculator.thelemicDate().moonText, "Leo");
    EXPECT_EQ(view.lines.at(0), "Anno IVviii Dies Saturnii");
}

TEST_F(CalculationFixture, MoonFirstListingPutsLunaFirst)
{
    settings.signDisplay = SignDisplay::WithDegree;
    runner.responder =
        FakeProcessRunner::cannedListings({{"chart.txt", fixture("chart_moon_first.txt")}});
    calculate(20, 3);
    EXPECT_EQ(view.lines.at(0),
              "Anno IVviii, Luna 27\u00B0 Pisces Sol 2\u00B0 Aries Dies Saturnii");
    EXPECT_EQ(calculator.thelemicDate().sunText, " 2\u00B0 Aries");
}

TEST_F(CalculationFixture, DamagedChartListingsAreReportedAndReadAsFarAsTheyGo)
{
    const std::string whole = fixture("chart_2000-06-03.txt");
    const std::string expected =
        "; expected the chart listing, with a row for the Sun and one for the Moon";
    const std::string layout = " does not hold the degree (0 to 29) in columns 7 and 8 and the "
                               "sign (Ari to Pis) in columns 9 to 11";
    const struct {
        const char* name;
        std::optional<std::string> listing;
        const char* firstLine;
        std::string problem;
    } rows[] = {
        {"missing", std::nullopt, "Anno IVviii Dies Saturnii",
         "The chart engine wrote no chart listing: chart.txt is missing" + expected},
        {"empty", "", "Anno IVviii Dies Saturnii", "chart.txt is empty" + expected},
        {"CR only", "Sun : 13Gem10\rMoon:  5Leo22\r",
         "Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii", ""},
        {"LF only", "Sun : 13Gem10\nMoon:  5Leo22",
         "Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii", ""},
        {"cut inside the Moon's sign", whole.substr(0, whole.find("Moon:") + 9),
         "Anno IVviii Sol in Gemini, Luna in  Dies Saturnii",
         "chart.txt, line 5: the Moon row \"Moon:  5L\"" + layout},
        {"cut before the Moon", whole.substr(0, whole.find("Moon:")),
         "Anno IVviii Sol in Gemini Dies Saturnii",
         "chart.txt holds no Moon row (a line beginning with \"Moon\")" + expected},
        {"binary noise", std::string("\0\xff\xfe\r\n\x01Sun", 9), "Anno IVviii Dies Saturnii",
         "chart.txt holds neither a Sun nor a Moon row" + expected},
        {"another engine's layout", "Sun   13 Gem 10\r\nMoon   5 Leo 22\r\n",
         "Anno IVviii Sol in , Luna in  Dies Saturnii",
         "chart.txt, line 1: the Sun row \"Sun   13 Gem 10\"" + layout},
        {"degree past 29", "Sun : 31Gem10\r\nMoon: \t5Leo22\r\n",
         "Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii",
         "chart.txt, line 1: the Sun row \"Sun : 31Gem10\"" + layout},
    };
    for (const auto& row : rows) {
        messages.errors.clear();
        runner.responder = row.listing
                               ? FakeProcessRunner::cannedListings({{"chart.txt", *row.listing}})
                               : FakeProcessRunner::Responder();
        calculate(20, 3);
        EXPECT_EQ(view.lines.at(0), row.firstLine) << row.name;
        EXPECT_EQ(messages.errors, row.problem.empty() ? std::vector<std::string>{}
                                                       : std::vector<std::string>{row.problem})
            << row.name;
    }
}

TEST_F(CalculationFixture, LocationThatWouldSplitTheCommandIsRefusedBeforeAnyFile)
{
    settings.longitude = "93W21 /os ../../x";
    const std::string message = testing::errorText([&] { calculate(20, 3); });
    EXPECT_NE(message.find("Longitude \"93W21 /os ../../x\""), std::string::npos) << message;
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "input.txt"));
}

TEST_F(CalculationFixture, CopyingJoinsTheDisplayLines)
{
    view.lines = {"one", "", "three "};
    calculator.copyToClipboard();
    EXPECT_EQ(clipboard.text, "one\n\nthree ");
}

TEST(collapseBlanks, PairsOfBlanksBecomeOne)
{
    const struct {
        const char* text;
        const char* collapsed;
    } rows[] = {{"a  ", "a "},      {"  ", " "},    {"   ", "  "},
                {"    ", "  "},     {" a ", " a "}, {"a  b   c", "a b  c"},
                {"", ""},           {" ", " "},     {"Luna  5", "Luna 5"},
                {"e.v.  ", "e.v. "}};
    for (const auto& row : rows)
        EXPECT_EQ(collapseBlanks(row.text), row.collapsed) << '"' << row.text << '"';
}

TEST(LatinDays, EveryWeekday)
{
    const char* names[] = {"Solis", "Lun\u00E6", "Martis",  "Mercurii",
                           "Jovis", "Veneris",   "Saturnii"};
    // 4 June 2000 was a Sunday.
    for (int offset = 0; offset < 7; ++offset) {
        const LocalDateTime noon{Date::fromCivil(2000, 6, 4)->plusDays(offset),
                                 *TimeOfDay::fromClock(12, 0)};
        EXPECT_EQ(latinDayName(latinWeekday(noon, DayStart::Midnight, {})), names[offset]);
    }
}

}  // namespace
}  // namespace vantrel::core
