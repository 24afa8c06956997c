// Reading rise, zenith, set and nadir times from the two rise-and-set listings.

#include "core/hours/rise_set_reading.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "core/chart_engine/engine_program.h"
#include "core/thelemic/calculation.h"
#include "tests/core/test_data.h"
#include "tests/fakes/test_locales.h"

namespace vantrel::core {
namespace {

using testing::FakeClipboard;
using testing::FakeMessages;
using testing::FakeProcessRunner;
using testing::finnish;
using testing::german;
using testing::RecordingMainView;
using testing::TempDir;

std::vector<std::string> fixture(const std::string& name)
{
    return testing::dataLines(name);
}

std::optional<LocalDateTime> moment(int year, int month, int day, int hour, int minute)
{
    return testing::localDateTime(year, month, day, hour, minute);
}

// An event line in the engine's layout; `date` is the ten characters of columns 7 to 16.
std::string eventLine(const std::string& date, const std::string& time, const std::string& body,
                      const std::string& event)
{
    char line[96];
    std::snprintf(line, sizeof line, "(Sat) %10s %7s %7s (Gem) %-7s at  57:14'", date.c_str(),
                  time.c_str(), body.c_str(), event.c_str());
    return line;
}

void expectJune2000Times(const RiseSetTimes& times)
{
    EXPECT_EQ(times.sunNadir, moment(2000, 6, 3, 1, 7));
    EXPECT_EQ(times.sunrise, moment(2000, 6, 3, 5, 26));
    EXPECT_EQ(times.sunZenith, moment(2000, 6, 3, 13, 9));
    EXPECT_EQ(times.sunset, moment(2000, 6, 3, 20, 52));
    EXPECT_EQ(times.moonrise, moment(2000, 6, 3, 6, 2));
    EXPECT_EQ(times.moonZenith, moment(2000, 6, 3, 14, 20));
    EXPECT_EQ(times.moonset, moment(2000, 6, 3, 22, 31));
    // The day's listing has no lunar nadir; the next day's first one stands in.
    EXPECT_EQ(times.moonNadir, moment(2000, 6, 4, 2, 41));
    EXPECT_EQ(times.nextSunrise, moment(2000, 6, 4, 5, 25));
}

// Without "-Yd" the engine writes its dates month first with "/" and its times with ":",
// whatever the user's own order and separators, and they are read so. With it the dates are
// day first, read also where the time separator is not a colon.
TEST(RiseSetReading, ListingsFillEveryFieldInEveryLocaleWithOrWithoutTheSwitch)
{
    RegionalSettings hungarian = testing::yearFirst();
    hungarian.shortDateFormat = "yyyy. mm. dd.";
    hungarian.dateSeparator = ".";
    hungarian.timeSeparator = ".";
    RegionalSettings monthFirstDashes;
    monthFirstDashes.shortDateFormat = "m-d-yyyy";
    monthFirstDashes.dateSeparator = "-";
    monthFirstDashes.timeSeparator = ".";
    const struct {
        const char* name;
        RegionalSettings regional;
        const char* dateOrderSwitch;
    } rows[] = {
        {"United States", RegionalSettings{}, ""},
        {"year first with dashes", testing::yearFirst(), ""},
        {"year first with dots", hungarian, ""},
        {"month first with dashes and dotted times", monthFirstDashes, ""},
        {"day first with dotted times", finnish(), "-Yd"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string dayFirst = *row.dateOrderSwitch ? "_dayfirst" : "";
        RiseSetTimes times;
        EXPECT_EQ(readRiseSetListings(fixture("riseset_2000-06-03" + dayFirst + ".txt"),
                                      fixture("risesetn_2000-06-04" + dayFirst + ".txt"),
                                      row.dateOrderSwitch, row.regional, times),
                  RiseSetReadResult::Complete);
        expectJune2000Times(times);
    }
}

// The engine writes years before 1000 right-aligned in four columns, just before the time.
TEST(RiseSetReading, ListingDatesInEitherOrderAndOfAnyYear)
{
    const struct {
        const char* name;
        const char* date;
        const char* dateOrderSwitch;
        RegionalSettings regional;
        std::optional<LocalDateTime> sunrise;
    } rows[] = {
        {"day first with dots", "26- 1-2000", "-Yd", german(), moment(2000, 1, 26, 10, 29)},
        {"year 1, month first", " 1/ 2/   1", "", RegionalSettings{}, moment(1, 1, 2, 10, 29)},
        {"year 999, day first", " 2- 1- 999", "-Yd", german(), moment(999, 1, 2, 10, 29)},
    };
    for (const auto& row : rows) {
        RiseSetTimes times;
        EXPECT_EQ(readRiseSetListings({eventLine(row.date, "10:29am", "Sun", "rises")}, {},
                                      row.dateOrderSwitch, row.regional, times),
                  RiseSetReadResult::Complete)
            << row.name;
        EXPECT_EQ(times.sunrise, row.sunrise) << row.name;
    }
}

TEST(RiseSetReading, LocalizeSeparatorsOnlyInDayFirstMode)
{
    EXPECT_EQ(localizeSeparators(" 3- 6-2000 5:28am", "", finnish()), " 3- 6-2000 5:28am");
    EXPECT_EQ(localizeSeparators(" 3- 6-2000 5:28am", "-Yd", finnish()), " 3. 6.2000 5.28am");
    EXPECT_EQ(localizeSeparators("26-01-2000", "-Yd", german()), "26.01.2000");
    EXPECT_EQ(localizeSeparators("", "-Yd", german()), "");
    RegionalSettings longSeparator = german();
    longSeparator.dateSeparator = ". ";
    EXPECT_EQ(localizeSeparators("1-2", "-Yd", longSeparator), "1. 2");
}

TEST(RiseSetReading, BodyNameMustStandAtItsColumnAsTheFirstOccurrence)
{
    RiseSetTimes times;
    // " Sun" first occurs in a heading before column 29, so this line counts for nothing.
    const std::string heading =
        "Rise Sun" + eventLine(" 6/ 3/2000", " 5:26am", "Sun", "rises").substr(8);
    const std::vector<std::string> day = {
        heading,
        eventLine(" 6/ 3/2000", " 5:26am", "Moon", "rises").substr(1),  // Moon one column early
        eventLine(" 6/ 3/2000", " 5:26am", "Sun", "rises") + " Moon",  // a Moon later on a Sun line
    };
    ASSERT_EQ(heading.rfind(" Sun"), 28u);
    EXPECT_EQ(readRiseSetListings({day[0], day[1]}, {}, "", RegionalSettings{}, times),
              RiseSetReadResult::Complete);
    EXPECT_EQ(times.sunrise, std::nullopt);
    EXPECT_EQ(times.moonrise, std::nullopt);
    readRiseSetListings({day[2]}, {}, "", RegionalSettings{}, times);
    EXPECT_EQ(times.sunrise, moment(2000, 6, 3, 5, 26));
    EXPECT_EQ(times.moonrise, std::nullopt);
}

TEST(RiseSetReading, LineWithTwoEventWordsSetsBothFields)
{
    RiseSetTimes times;
    const std::string line = eventLine(" 6/ 3/2000", " 8:52pm", "Sun", "sets") + " rises";
    readRiseSetListings({line}, {}, "", RegionalSettings{}, times);
    EXPECT_EQ(times.sunset, moment(2000, 6, 3, 20, 52));
    EXPECT_EQ(times.sunrise, times.sunset);
}

TEST(RiseSetReading, LaterLineWinsOnTheDayFirstLineOnTheNextDay)
{
    RiseSetTimes times;
    const std::vector<std::string> day = {eventLine(" 6/ 3/2000", "12:10am", "Moon", "rises"),
                                          eventLine(" 6/ 3/2000", "11:58pm", "Moon", "rises")};
    const std::vector<std::string> next = {eventLine(" 6/ 4/2000", "12:40am", "Moon", "sets"),
                                           eventLine(" 6/ 4/2000", " 1:05am", "Moon", "rises"),
                                           eventLine(" 6/ 4/2000", "11:59pm", "Moon", "sets")};
    readRiseSetListings(day, next, "", RegionalSettings{}, times);
    EXPECT_EQ(times.moonrise, moment(2000, 6, 3, 23, 58)) << "the day's later line wins";
    EXPECT_EQ(times.moonset, moment(2000, 6, 4, 0, 40)) << "the next day's first line";
}

TEST(RiseSetReading, MoonThatDoesNotRiseOnTheDayTakesTheNextDaysRising)
{
    RiseSetTimes times;
    auto day = fixture("riseset_2000-06-03.txt");
    std::erase_if(day, [](const std::string& line) {
        return line.find(" Moon") == 27 && line.find("rises") != std::string::npos;
    });
    readRiseSetListings(day, fixture("risesetn_2000-06-04.txt"), "", RegionalSettings{}, times);
    EXPECT_EQ(times.moonrise, moment(2000, 6, 4, 7, 10));
    EXPECT_EQ(times.moonset, moment(2000, 6, 3, 22, 31));
}

TEST(RiseSetReading, WithoutTheDaysListingEverythingComesFromTheNextDay)
{
    RiseSetTimes times;
    readRiseSetListings({}, fixture("risesetn_2000-06-04.txt"), "", RegionalSettings{}, times);
    EXPECT_EQ(times.sunrise, moment(2000, 6, 4, 5, 25));
    EXPECT_EQ(times.nextSunrise, times.sunrise);
    EXPECT_EQ(times.sunset, moment(2000, 6, 4, 20, 53));
    EXPECT_EQ(times.moonNadir, moment(2000, 6, 4, 2, 41));
}

TEST(RiseSetReading, PolarDayLeavesTheMarker)
{
    RiseSetTimes times;
    const std::vector<std::string> day = {eventLine(" 6/21/2000", "12:40pm", "Sun", "zeniths"),
                                          eventLine(" 6/21/2000", "12:40am", "Sun", "nadirs")};
    readRiseSetListings(day, {"No horizon events found."}, "", RegionalSettings{}, times);
    EXPECT_EQ(times.sunrise, std::nullopt);
    EXPECT_EQ(times.sunset, std::nullopt);
    EXPECT_EQ(times.nextSunrise, std::nullopt);
    EXPECT_EQ(times.sunZenith, moment(2000, 6, 21, 12, 40));
    EXPECT_EQ(times.sunNadir, moment(2000, 6, 21, 0, 40));
}

TEST(RiseSetReading, UnreadableDateStopsAtOnceAndKeepsWhatWasRead)
{
    RiseSetTimes times;
    const std::vector<std::string> day = {eventLine(" 6/ 3/2000", " 5:26am", "Sun", "rises"),
                                          eventLine(" 3- 6-2000", " 8:52pm", "Sun", "sets"),
                                          eventLine(" 6/ 3/2000", " 6:02am", "Moon", "rises")};
    EXPECT_EQ(
        readRiseSetListings(day, fixture("risesetn_2000-06-04.txt"), "", RegionalSettings{}, times),
        RiseSetReadResult::UnreadableDate);
    EXPECT_EQ(times.sunrise, moment(2000, 6, 3, 5, 26));
    EXPECT_EQ(times.sunset, std::nullopt);
    EXPECT_EQ(times.moonrise, std::nullopt) << "no line after the failure";
    EXPECT_EQ(times.nextSunrise, std::nullopt) << "the next day's listing is not read";
}

TEST(RiseSetReading, MalformedLinesDoNotCrash)
{
    const std::string full = eventLine(" 6/ 3/2000", " 5:26am", "Sun", "rises");
    const std::vector<std::string> day = {"",
                                          "(Sat)",
                                          full.substr(0, 20),
                                          full.substr(0, 28),
                                          std::string(200, ' '),
                                          "\r",
                                          "No horizon events found."};
    RiseSetTimes times;
    EXPECT_EQ(readRiseSetListings(day, day, "", RegionalSettings{}, times),
              RiseSetReadResult::Complete);
    EXPECT_EQ(times.sunrise, std::nullopt);
    // A Sun line cut right after the name has no time to read.
    EXPECT_EQ(
        readRiseSetListings({full.substr(0, 38) + "rises"}, {}, "", RegionalSettings{}, times),
        RiseSetReadResult::Complete);
    EXPECT_EQ(times.sunrise, moment(2000, 6, 3, 5, 26));
    const std::string noTime = full.substr(0, 17) + std::string(11, ' ') + " Sun rises";
    ASSERT_EQ(noTime.find(" Sun"), 28u);
    EXPECT_EQ(readRiseSetListings({noTime}, {}, "", RegionalSettings{}, times),
              RiseSetReadResult::UnreadableDate);
}

// The reading as the calculator runs it: two engine runs, then the two files.
struct ReadingFixture : ::testing::Test {
    TempDir dir;
    Settings settings;
    RegionalSettings regional;
    LiveZone zone;
    FakeProcessRunner runner{dir.path()};
    EngineProgram engine{runner, settings, dir.path()};
    RecordingMainView view;
    FakeClipboard clipboard;
    FakeMessages messages;
    Calculator calculator{{settings, regional, zone, engine, view, clipboard, messages}};
};

TEST_F(ReadingFixture, RunsTheDayAndTheNextDayThenReads)
{
    runner.responder = testing::exampleListings();
    calculator.readRiseSetTimes(testing::localDateTime(2000, 6, 3, 20, 3, 15));
    ASSERT_EQ(runner.runs.size(), 2u);
    EXPECT_NE(runner.runs[0].commandFile.find(
                  "/qb 6 3 2000 20:03PM ST 6 93W21 45N05\r\n/os riseset.txt\r\n"),
              std::string::npos);
    EXPECT_NE(runner.runs[1].commandFile.find(
                  "/qb 6 4 2000 20:03PM ST 6 93W21 45N05\r\n/os risesetn.txt\r\n"),
              std::string::npos);
    expectJune2000Times(calculator.riseSetTimes());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ReadingFixture, UnreadableListingShowsTheDateOrderMessageOnce)
{
    regional = german();
    zone.dateOrderSwitch = "-Yd";
    // Month-first listings in a day-first setting: June 3 reads as the 6th of March, but
    // "6/ 3/2000" has the wrong separator for this locale.
    runner.responder = testing::exampleListings();
    calculator.readRiseSetTimes(testing::localDateTime(2000, 6, 3, 12, 0));
    EXPECT_EQ(messages.messages, std::vector<std::string>{kDateOrderMessage});
    EXPECT_EQ(calculator.riseSetTimes().sunrise, std::nullopt);
}

TEST_F(ReadingFixture, EmptyCrOnlyAndMissingListingsAreHarmless)
{
    const std::string crOnly = eventLine(" 6/ 3/2000", " 5:26am", "Sun", "rises") + "\r" +
                               eventLine(" 6/ 3/2000", " 8:52pm", "Sun", "sets") + "\r";
    runner.responder =
        FakeProcessRunner::cannedListings({{"riseset.txt", crOnly}, {"risesetn.txt", ""}});
    calculator.readRiseSetTimes(testing::localDateTime(2000, 6, 3, 12, 0));
    EXPECT_EQ(calculator.riseSetTimes().sunrise, moment(2000, 6, 3, 5, 26));
    EXPECT_EQ(calculator.riseSetTimes().sunset, moment(2000, 6, 3, 20, 52));
    EXPECT_EQ(calculator.riseSetTimes().nextSunrise, std::nullopt);

    // A run that fails leaves no listing of its own; the last run's must not be read instead.
    runner.responder = nullptr;
    calculator.readRiseSetTimes(testing::localDateTime(2000, 6, 10, 12, 0));
    EXPECT_EQ(calculator.riseSetTimes().sunrise, std::nullopt) << "stale files were not read";
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ReadingFixture, TruncatedListingIsReadAsFarAsItGoes)
{
    const std::string whole = testing::dataText("riseset_2000-06-03.txt");
    const auto cut = whole.find("Moon (Can) rises");
    runner.responder =
        FakeProcessRunner::cannedListings({{"riseset.txt", whole.substr(0, cut + 7)}});
    calculator.readRiseSetTimes(testing::localDateTime(2000, 6, 3, 12, 0));
    EXPECT_EQ(calculator.riseSetTimes().sunrise, moment(2000, 6, 3, 5, 26));
    EXPECT_EQ(calculator.riseSetTimes().moonrise, std::nullopt);
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace vantrel::core
