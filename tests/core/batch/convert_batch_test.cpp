#include "core/batch/convert_batch.h"

#include <cstdlib>

#include <unistd.h>

#include <gtest/gtest.h>

#include "core/batch/comma_text.h"
#include "core/chart_engine/engine_run.h"
#include "core/common/error.h"
#include "core/thelemic/calculation.h"
#include "tests/core/error_text.h"
#include "tests/fakes/as_user.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/test_locales.h"

namespace vantrel::core {
namespace {

using testing::FakeClipboard;
using testing::FakeClock;
using testing::FakeMessages;
using testing::FakeProcessRunner;
using testing::readWholeFile;
using testing::RecordingMainView;
using testing::TempDir;
using testing::writeWholeFile;
namespace fs = std::filesystem;

// A chart listing as the engine writes it: degree in characters 7-8, sign in 9-11.
const std::string kChartListing = "Vantrel chart heading\r\nBody  Locat. Ret.\r\n\r\nSun   23Pis59 "
                                  "+ 0:00\r\nMoon   1Cap14 + 5:09\r\n";
const std::string kExampleLine = "Ann,birthday,3/14/2001,21:07,5,74W00,40N43";

class RecordingObserver : public BatchObserver {
public:
    std::vector<Date> dates;
    std::vector<TimeOfDay> times;
    std::vector<std::size_t> progressCalls;
    std::size_t cancelAfter = static_cast<std::size_t>(-1);

    void datePickerSet(Date date) override { dates.push_back(date); }
    void timePickerSet(TimeOfDay time) override { times.push_back(time); }
    bool progress(std::size_t done, std::size_t) override
    {
        progressCalls.push_back(done);
        return done < cancelAfter;
    }
};

// Each test runs with a fresh temporary folder as the current directory, as the program runs in
// the user's folder.
class ConvertBatchTest : public ::testing::Test {
protected:
    ConvertBatchTest() : m_previous(fs::current_path())
    {
        fs::current_path(m_dir.path());
        runner.responder = FakeProcessRunner::cannedListings({{"chart.txt", kChartListing}});
    }
    ~ConvertBatchTest() override { fs::current_path(m_previous); }

    BatchResult convert(const std::string& input, const std::string& output = "output.txt")
    {
        return convertBatch(calculator, clock, input, output, observer);
    }
    std::string convertError(const std::string& input, const std::string& output = "output.txt")
    {
        return testing::errorText([&] { convert(input, output); });
    }
    fs::path folder() const { return m_dir.path(); }
    // The place as the settings hold it: zone, longitude, latitude.
    std::vector<std::string> location() const
    {
        return {settings.zone, settings.longitude, settings.latitude};
    }

    TempDir m_dir;
    fs::path m_previous;
    Settings settings;
    RegionalSettings regional = usEnglishRegionalSettings();
    LiveZone zone;
    FakeProcessRunner runner{"."};
    RecordingMainView view;
    FakeClipboard clipboard;
    FakeMessages messages;
    Calculator calculator{{settings, regional, zone, runner, view, clipboard, messages}};
    FakeClock clock{testing::localDateTime(2026, 6, 1)};
    RecordingObserver observer;
};

TEST_F(ConvertBatchTest, ExampleLineGivesSevenFieldsThenTheFourPieces)
{
    writeWholeFile("dates.txt", kExampleLine + "\r\n");
    EXPECT_EQ(convert("dates.txt"), BatchResult::Converted);
    // 14 March 2001 is a Wednesday in Thelemic year 96 (cycle 4, year 8, format "iv5").
    EXPECT_EQ(readWholeFile("output.txt"),
              "Ann,birthday,3/14/2001,21:07,5,74W00,40N43,iv8,23\xC2\xB0 Pisces, 1\xC2\xB0 "
              "Capricorn,Mercurii,\r\n");
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_NE(runner.runs[0].commandFile.find("/qb 3 14 2001 21:07PM ST 5 74W00 40N43"),
              std::string::npos);
}

TEST_F(ConvertBatchTest, EveryLineBecomesOneOutputLineInOrder)
{
    writeWholeFile("dates.txt", "a,1,3/14/2001,21:07,5,74W00,40N43\r"
                                "b,2,3/15/2001,21:07,5,74W00,40N43,ignored,too\n"
                                "c,3,3/16/2001,9:07PM,5,74W00,40N43");
    convert("dates.txt");
    EXPECT_EQ(
        readWholeFile("output.txt"),
        "a,1,3/14/2001,21:07,5,74W00,40N43,iv8,23\xC2\xB0 Pisces, 1\xC2\xB0 Capricorn,Mercurii,\r\n"
        "b,2,3/15/2001,21:07,5,74W00,40N43,iv8,23\xC2\xB0 Pisces, 1\xC2\xB0 Capricorn,Jovis,\r\n"
        "c,3,3/16/2001,9:07PM,5,74W00,40N43,iv8,23\xC2\xB0 Pisces, 1\xC2\xB0 "
        "Capricorn,Veneris,\r\n");
    EXPECT_EQ(runner.runs.size(), 3u);
    EXPECT_EQ(observer.progressCalls, (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST_F(ConvertBatchTest, EmptyFileGivesEmptyOutputAndKeepsTheLocation)
{
    writeWholeFile("output.txt", "earlier output\r\n");
    writeWholeFile("dates.txt", "");
    EXPECT_EQ(convert("dates.txt"), BatchResult::Converted);
    EXPECT_TRUE(fs::exists("output.txt"));
    EXPECT_EQ(readWholeFile("output.txt"), "");
    EXPECT_EQ(location(), (std::vector<std::string>{"6", "93W21", "45N05"}));
    EXPECT_TRUE(runner.runs.empty());
}

TEST_F(ConvertBatchTest, AfterSuccessLongAndLatAreBackButZoneIsTheLastLines)
{
    writeWholeFile("dates.txt", "a,1,3/14/2001,21:07,5,74W00,40N43\r\n"
                                "b,2,3/14/2001,21:07,-1,2E21,48N52\r\n");
    convert("dates.txt");
    EXPECT_EQ(location(), (std::vector<std::string>{"-1", "93W21", "45N05"}));
    EXPECT_NE(runner.runs[1].commandFile.find("-1 2E21 48N52"), std::string::npos);
}

TEST_F(ConvertBatchTest, PickersAreToldEachLinesDateAndTime)
{
    writeWholeFile("dates.txt", "a,1,3/14/2001,21:07,5,74W00,40N43\r\n"
                                "b,2,12/25/1999,6:30AM,5,74W00,40N43\r\n");
    convert("dates.txt");
    ASSERT_EQ(observer.dates.size(), 2u);
    ASSERT_EQ(observer.times.size(), 2u);
    EXPECT_EQ(observer.dates.back().civil(), (CivilDate{1999, 12, 25}));
    EXPECT_EQ(observer.times.back(), TimeOfDay::fromClock(6, 30));
}

TEST_F(ConvertBatchTest, DayFirstOrderReadsDayFirstDates)
{
    regional = testing::german();
    writeWholeFile("dates.txt", "a,1,14.3.01,21:07,5,74W00,40N43\r\n");
    convert("dates.txt");
    EXPECT_EQ(observer.dates.back().civil(), (CivilDate{2001, 3, 14}));
    EXPECT_NE(readWholeFile("output.txt").find(",Mercurii,\r\n"), std::string::npos);
}

struct FailureCase {
    const char* name;
    std::string input;  // the content of "dates.txt"
    std::string message;
    std::string inputName = "dates.txt";
    std::string outputName = "output.txt";
};

class ConvertBatchFailure : public ConvertBatchTest,
                            public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ConvertBatchFailure, EndsWithTheMessageAndWritesNothing)
{
    writeWholeFile("output.txt", "earlier output\r\n");
    writeWholeFile("dates.txt", GetParam().input);
    EXPECT_EQ(convertError(GetParam().inputName, GetParam().outputName), GetParam().message);
    EXPECT_EQ(readWholeFile("output.txt"), "earlier output\r\n");
}

// The list-index number is the first field, counted from 0, that the line lacks when it is
// needed: the date (2), the time (3), then zone, longitude and latitude. A location text that
// would split the command file ends the conversion as a calculation error.
INSTANTIATE_TEST_SUITE_P(
    Messages, ConvertBatchFailure,
    ::testing::Values(
        FailureCase{"EmptyLineInTheMiddle", kExampleLine + "\r\n\r\n" + kExampleLine + "\r\n",
                    "List index out of bounds (2)"},
        FailureCase{"NoTime", "a,b,3/14/2001", "List index out of bounds (3)"},
        FailureCase{"NoZone", "a,b,3/14/2001,21:07", "List index out of bounds (4)"},
        FailureCase{"NoLongitude", "a,b,3/14/2001,21:07,5", "List index out of bounds (5)"},
        FailureCase{"NoLatitude", "a,b,3/14/2001,21:07,5,74W00", "List index out of bounds (6)"},
        FailureCase{"DateBeforeMissingTime", "a,b,2/30/2001", "'2/30/2001' is not a valid date"},
        FailureCase{"BadDate", "a,b,14/3/2001,21:07,5,74W00,40N43",
                    "'14/3/2001' is not a valid date"},
        FailureCase{"BadTime", "a,b,3/14/2001,25:07,5,74W00,40N43", "'25:07' is not a valid time"},
        FailureCase{"BadLineAfterGoodOnes", kExampleLine + "\n" + kExampleLine + "\nx,y,z\n",
                    "'z' is not a valid date"},
        FailureCase{"CalculationError",
                    kExampleLine + "\r\na,b,3/14/2001,21:07,5,\"74 W\",40N43\r\n",
                    "Longitude \"74 W\" must not contain blanks or control characters"},
        FailureCase{"MissingInput", kExampleLine, "Cannot open file nosuch.txt", "nosuch.txt"},
        FailureCase{"InputIsAFolder", kExampleLine, "Cannot open file .", "."},
        FailureCase{"OutputFolderMissing", kExampleLine, "Cannot create file nofolder/out.txt",
                    "dates.txt", "nofolder/out.txt"},
        FailureCase{"OutputIsAFolder", kExampleLine, "Cannot create file .", "dates.txt", "."}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ConvertBatchTest, AfterFailureTheLocationKeepsTheTextsLastPutIntoIt)
{
    writeWholeFile("dates.txt", "a,1,3/14/2001,21:07,5,74W00,40N43\r\n"
                                "b,2,3/14/2001,21:07,-1,2E21\r\n");
    EXPECT_EQ(convertError("dates.txt"), "List index out of bounds (6)");
    EXPECT_EQ(location(), (std::vector<std::string>{"-1", "2E21", "40N43"}));
}

TEST_F(ConvertBatchTest, AnEngineFailureStopsTheConversionAtItsLine)
{
    const std::string badSecondLine = kExampleLine + "\r\na,b,3/15/2001,21:07,x,74W00,40N43\r\n";
    const std::string expected =
        "; expected the chart listing, with a row for the Sun and one for the Moon";
    const struct {
        const char* name;
        std::string input;
        int exitCode;
        bool timedOut;
        bool listings;
        std::string message;
    } rows[] = {
        {"the engine's complaint names the user's line", badSecondLine, 1, false, true,
         "dates.txt, line 2: Astrolog return code 1: /qb: zone 'x' is not hours west"},
        {"no listing", kExampleLine + "\r\n", 0, false, false,
         "dates.txt, line 1: The chart engine wrote no chart listing: chart.txt is missing" +
             expected},
        {"the first time-out", kExampleLine + "\r\n" + kExampleLine, 0, true, true,
         "dates.txt, line 1: The chart engine \"vantrel-engine\" timed out: still running "
         "after 60 seconds, it was stopped"},
        {"a date beyond the ephemeris", kExampleLine + "\r\na,b,1/1/3001,21:07,5,74W00,40N43", 0,
         false, true,
         "dates.txt, line 2: The date 1 January 3001 is outside the ephemeris range (1 January "
         "1 to 31 December 3000)"},
    };
    for (const auto& row : rows) {
        runner.runs.clear();
        runner.outcome.exitCode = 0;
        runner.outcome.timedOut = row.timedOut;
        runner.outcome.errorOutput = "vantrel-engine: input.txt:2: /qb: zone 'x' is not hours west";
        // The run for 15 March fails with the row's exit code.
        runner.responder = [&](const fs::path& dir, const std::string& command) {
            const bool failing = command.find("/qb 3 15 2001") != std::string::npos;
            runner.outcome.exitCode = failing ? row.exitCode : 0;
            if (row.listings && !failing)
                writeWholeFile(dir / "chart.txt", kChartListing);
        };
        writeWholeFile("output.txt", "earlier output\r\n");
        writeWholeFile("dates.txt", row.input);
        EXPECT_EQ(convertError("dates.txt"), row.message) << row.name;
        EXPECT_EQ(readWholeFile("output.txt"), "earlier output\r\n") << row.name;
        EXPECT_TRUE(messages.errors.empty() && messages.messages.empty()) << row.name;
        if (row.timedOut) {
            EXPECT_EQ(runner.runs.size(), 1u) << "the conversion waited on";
        }
    }
    EXPECT_EQ(calculator.engineFailures(), EngineFailures::Report) << "the mode was not restored";
}

// A runner that asks its stop check, as the real one does while the engine runs.
class StoppableRunner : public FakeProcessRunner {
public:
    using FakeProcessRunner::FakeProcessRunner;
    bool stopAsked = false;
    ProcessOutcome run(const std::string& program, const std::vector<std::string>& arguments,
                       std::chrono::milliseconds limit) override
    {
        ProcessOutcome result = FakeProcessRunner::run(program, arguments, limit);
        result.stopped = stopAsked = stopRequested();
        return result;
    }
    bool stopCheckInstalled() const { return stopRequested(); }
};

class StopObserver : public RecordingObserver {
public:
    bool stopRequested() override { return true; }
};

TEST_F(ConvertBatchTest, StoppingARunningEngineCancelsTheConversion)
{
    StoppableRunner stoppable{"."};
    stoppable.responder = runner.responder;
    Calculator own{{settings, regional, zone, stoppable, view, clipboard, messages}};
    StopObserver stopper;
    writeWholeFile("output.txt", "earlier output\r\n");
    writeWholeFile("dates.txt", kExampleLine + "\r\n" + kExampleLine + "\r\n");
    EXPECT_EQ(convertBatch(own, clock, "dates.txt", "output.txt", stopper), BatchResult::Cancelled);
    EXPECT_TRUE(stoppable.stopAsked);
    EXPECT_EQ(stoppable.runs.size(), 1u);
    EXPECT_EQ(readWholeFile("output.txt"), "earlier output\r\n");
    EXPECT_FALSE(stoppable.stopCheckInstalled()) << "the observer outlives its conversion";
}

TEST_F(ConvertBatchTest, AnOutputThatIsTheInputIsRefusedBeforeConverting)
{
    const std::string original = kExampleLine + "\r\n";
    writeWholeFile("dates.txt", original);
    fs::create_symlink("dates.txt", "link.txt");
    fs::create_hard_link("dates.txt", "hard.txt");
    for (const char* output : {"dates.txt", "./dates.txt", "link.txt", "hard.txt"}) {
        EXPECT_EQ(convertError("dates.txt", output),
                  "The output file " + std::string(output) +
                      " is the input file dates.txt; the conversion would replace its own "
                      "input. Name another output file");
    }
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_EQ(readWholeFile("dates.txt"), original);
}

TEST_F(ConvertBatchTest, FoldersOfKilledConversionsAreRemovedNextTime)
{
    // Only the temporary folder named here is looked at; pids never exceed 2^22.
    const fs::path temporary = folder() / "tmp";
    fs::create_directory(temporary);
    const char* const previous = std::getenv("TMPDIR");
    const std::string saved = previous ? previous : "";
    ::setenv("TMPDIR", temporary.c_str(), 1);
    const fs::path abandoned = temporary / "vantrel-batch-4194305-1";
    const fs::path running = temporary / ("vantrel-batch-" + std::to_string(::getpid()) + "-1");
    const fs::path other = temporary / "vantrel-batch-notes";
    for (const fs::path& made : {abandoned, running, other})
        fs::create_directories(made / "inside");
    writeWholeFile("dates.txt", kExampleLine + "\r\n");
    convert("dates.txt");
    previous ? ::setenv("TMPDIR", saved.c_str(), 1) : ::unsetenv("TMPDIR");
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(running / "inside"));
    EXPECT_TRUE(fs::exists(other / "inside"));
    std::size_t left = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(temporary))
        ++left;
    EXPECT_EQ(left, 2u) << "the conversion's own folder was left behind";
}

TEST_F(ConvertBatchTest, ValuesWithCommasOrQuotesAreQuotedAndReadBack)
{
    writeWholeFile("dates.txt",
                   "\"Smith, Ann\",\"said \"\"hi\"\"\",3/14/2001,\"9:07 PM\",5,74W00,40N43\r\n");
    convert("dates.txt");
    const std::string output = readWholeFile("output.txt");
    EXPECT_EQ(output.substr(0, output.find("3/14")), "\"Smith, Ann\",\"said \"\"hi\"\"\",");
    const auto fields = splitCommaText(output.substr(0, output.size() - 2));
    // "9:07 PM" and the Sun and Moon texts each hold a blank, written as it stands.
    ASSERT_EQ(fields.size(), 11u + 3u);
    EXPECT_EQ(fields[0], "Smith, Ann");
    EXPECT_EQ(fields[1], "said \"hi\"");
    EXPECT_EQ(fields[3], "9:07");  // a blank is written as it stands
}

TEST_F(ConvertBatchTest, UnquotedBlankInTheTimeShiftsTheLaterFields)
{
    writeWholeFile("dates.txt", "Ann,birthday,3/14/2001,9:07 PM,5,74W00,40N43\r\n");
    convert("dates.txt");
    EXPECT_EQ(readWholeFile("output.txt").rfind("Ann,birthday,3/14/2001,9:07,PM,5,74W00,iv8,", 0),
              0u);
    EXPECT_EQ(settings.zone, "PM");
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_NE(runner.runs[0].commandFile.find("/qb 3 14 2001 9:07AM ST PM 5 74W00"),
              std::string::npos);
}

TEST_F(ConvertBatchTest, EightBitInputIsReadAsWindowsWesternLineByLine)
{
    // One line in Windows-1252 does not turn the UTF-8 of the others into "JosÃ©".
    writeWholeFile("dates.txt", "Jos\xC3\xA9,utf8,3/14/2001,21:07,5,74W00,40N43\r\n"
                                "Jos\xE9,ansi,3/14/2001,21:07,5,74W00,40N43\r\n");
    convert("dates.txt");
    const std::string output = readWholeFile("output.txt");
    EXPECT_EQ(output.rfind("Jos\xC3\xA9,utf8,", 0), 0u) << output;
    EXPECT_NE(output.find("\r\nJos\xC3\xA9,ansi,"), std::string::npos) << output;
}

using ConvertBatchAsUser = ConvertBatchTest;

TEST_F(ConvertBatchAsUser, AWriteProtectedOutputIsNeverReplaced)
{
    VANTREL_SKIP_AS_ROOT();
    writeWholeFile("output.txt", "earlier output\r\n");
    fs::permissions("output.txt", fs::perms::owner_read);
    writeWholeFile("dates.txt", kExampleLine + "\r\n");
    EXPECT_EQ(convertError("dates.txt"), "Cannot create file output.txt");
    EXPECT_EQ(readWholeFile("output.txt"), "earlier output\r\n");
}

TEST_F(ConvertBatchTest, ByteOrderMarkIsNotPartOfTheFirstField)
{
    writeWholeFile("dates.txt", "\xEF\xBB\xBF" + kExampleLine + "\r\n");
    convert("dates.txt");
    EXPECT_EQ(readWholeFile("output.txt").rfind("Ann,birthday,", 0), 0u);
}

TEST_F(ConvertBatchTest, CommandFileNamedInputIsLeftAsTheUserWroteIt)
{
    const std::string original = kExampleLine + "\r\n" + kExampleLine + "\r\n";
    writeWholeFile("input.txt", original);
    const fs::path userFile = folder() / "input.txt";
    // Were the conversion killed during any engine run, the file must already be whole.
    std::vector<std::string> seenDuringRuns;
    runner.responder = [&](const fs::path& dir, const std::string& command) {
        seenDuringRuns.push_back(readWholeFile(userFile));
        FakeProcessRunner::cannedListings({{"chart.txt", kChartListing}})(dir, command);
    };
    EXPECT_EQ(convert("input.txt"), BatchResult::Converted);
    EXPECT_EQ(readWholeFile("input.txt"), original);
    EXPECT_EQ(seenDuringRuns, (std::vector<std::string>{original, original}));
    EXPECT_NE(readWholeFile("output.txt").find("Mercurii,"), std::string::npos);
}

TEST_F(ConvertBatchTest, CommandFileNamedInputSurvivesAFailedConversion)
{
    const std::string original = kExampleLine + "\r\nbad line\r\n";
    writeWholeFile("input.txt", original);
    EXPECT_EQ(convertError("input.txt"), "List index out of bounds (2)");
    EXPECT_EQ(readWholeFile("input.txt"), original);
}

TEST_F(ConvertBatchTest, LastLinesListingsAreLeftInTheWorkFolder)
{
    writeWholeFile("riseset.txt", "stale listing");
    writeWholeFile("dates.txt", kExampleLine + "\r\n");
    convert("dates.txt");
    EXPECT_EQ(readWholeFile("chart.txt"), kChartListing);
    EXPECT_FALSE(fs::exists("riseset.txt"));
}

TEST_F(ConvertBatchTest, NamesFromAnotherFolderLeaveNoListingThere)
{
    const fs::path user = folder() / "user";
    fs::create_directory(user);
    writeWholeFile(user / "dates.txt", kExampleLine + "\r\n");
    convertBatch(calculator, clock, "dates.txt", "out.txt", observer, user);
    EXPECT_EQ(readWholeFile(user / "out.txt").rfind("Ann,", 0), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(user), fs::directory_iterator()), 2);
    EXPECT_EQ(readWholeFile("chart.txt"), kChartListing);
    EXPECT_EQ(testing::errorText([&] {
                  convertBatch(calculator, clock, "missing.txt", "out.txt", observer, user);
              }),
              "Cannot open file missing.txt");
}

TEST_F(ConvertBatchTest, UsersFilesNamedLikeListingsAreNotReplaced)
{
    writeWholeFile("chart.txt", kExampleLine + "\r\n");
    writeWholeFile("wheel.txt", "earlier output\r\n");
    convert("chart.txt", "wheel.txt");
    EXPECT_EQ(readWholeFile("chart.txt"), kExampleLine + "\r\n");
    EXPECT_EQ(readWholeFile("wheel.txt").rfind("Ann,", 0), 0u);
}

TEST_F(ConvertBatchTest, EngineNamedByRelativePathIsFoundDuringTheConversion)
{
    settings.engineCommand = "./tools/engine -x";
    writeWholeFile("dates.txt", kExampleLine + "\r\n");
    convert("dates.txt");
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(fs::path(runner.runs[0].program), folder() / "./tools/engine");
    EXPECT_EQ(runner.runs[0].arguments.front(), "-x");
    EXPECT_EQ(settings.engineCommand, "./tools/engine -x");
}

TEST_F(ConvertBatchTest, CurrentDirectoryIsTheUsersAgainAfterwards)
{
    writeWholeFile("dates.txt", kExampleLine + "\r\nbad\r\n");
    convertError("dates.txt");
    EXPECT_EQ(fs::current_path(), folder());
}

TEST_F(ConvertBatchTest, WorkFolderGivenByFullPathIsRefusedBeforeAnythingRuns)
{
    writeWholeFile("dates.txt", kExampleLine + "\r\n");
    Calculator elsewhere{{settings, regional, zone, runner, view, clipboard, messages, folder()}};
    EXPECT_THROW(convertBatch(elsewhere, clock, "dates.txt", "output.txt", observer),
                 std::logic_error);
    EXPECT_TRUE(runner.runs.empty());
    EXPECT_FALSE(fs::exists("output.txt"));
}

TEST_F(ConvertBatchTest, CancelWritesNothingAndRestoresTheLocation)
{
    writeWholeFile("output.txt", "earlier output\r\n");
    writeWholeFile("dates.txt", "a,1,3/14/2001,21:07,5,74W00,40N43\r\n"
                                "b,2,3/14/2001,21:07,-1,2E21,48N52\r\n");
    observer.cancelAfter = 1;
    EXPECT_EQ(convert("dates.txt"), BatchResult::Cancelled);
    EXPECT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(readWholeFile("output.txt"), "earlier output\r\n");
    EXPECT_EQ(location(), (std::vector<std::string>{"6", "93W21", "45N05"}));
}

}  // namespace
}  // namespace vantrel::core
