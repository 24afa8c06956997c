#include "core/batch/convert_batch.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/batch/batch_pipeline.h"
#include "core/batch/comma_text.h"
#include "core/chart_engine/engine_program.h"
#include "core/chart_engine/engine_run.h"
#include "core/common/error.h"
#include "core/common/text_file.h"
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
    bool showLastLine = false;

    void datePickerSet(Date date) override { dates.push_back(date); }
    void timePickerSet(TimeOfDay time) override { times.push_back(time); }
    bool showsLastLine() const override { return showLastLine; }
    bool progress(const BatchProgress& progress) override
    {
        progressCalls.push_back(progress.linesDone);
        return progress.linesDone < cancelAfter;
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
        return convertBatch({calculator, clock, observer}, input, output);
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
    EngineProgram engine{runner, settings};
    RecordingMainView view;
    FakeClipboard clipboard;
    FakeMessages messages;
    Calculator calculator{{settings, regional, zone, engine, view, clipboard, messages}};
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
    EXPECT_EQ(observer.progressCalls.front(), 0u);
    EXPECT_EQ(observer.progressCalls.back(), 3u);
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

// The lines' places never reach the settings: the window goes on calculating for the user's.
TEST_F(ConvertBatchTest, AfterwardsTheLocationIsTheUsersWhateverTheEnd)
{
    const std::string good = "a,1,3/14/2001,21:07,5,74W00,40N43\r\n";
    for (const char* second :
         {"b,2,3/14/2001,21:07,-1,2E21,48N52", "b,2,3/14/2001,21:07,-1,2E21"}) {
        writeWholeFile("dates.txt", good + second + "\r\n");
        const std::string error = testing::errorText([&] { convert("dates.txt"); });
        EXPECT_EQ(location(), (std::vector<std::string>{"6", "93W21", "45N05"})) << error;
    }
    EXPECT_NE(runner.runs[1].commandFile.find("-1 2E21 48N52"), std::string::npos);
}

TEST_F(ConvertBatchTest, TheWindowIsShownTheLastLineAtItsOwnPlace)
{
    writeWholeFile("riseset.txt", "stale listing");
    writeWholeFile("dates.txt", "a,1,3/14/2001,21:07,5,74W00,40N43\r\n"
                                "b,2,12/25/1999,6:30AM,-1,2E21,48N52\r\n");
    convert("dates.txt");
    EXPECT_TRUE(observer.dates.empty()) << "nothing is shown line by line";
    EXPECT_EQ(runner.runs.size(), 2u);

    observer.showLastLine = true;
    convert("dates.txt");
    ASSERT_EQ(observer.dates.size(), 1u);
    EXPECT_EQ(observer.dates.back().civil(), (CivilDate{1999, 12, 25}));
    EXPECT_EQ(observer.times.back(), TimeOfDay::fromClock(6, 30));
    ASSERT_EQ(runner.runs.size(), 5u);
    EXPECT_NE(runner.runs.back().commandFile.find("/qb 12 25 1999 6:30AM ST -1 2E21 48N52"),
              std::string::npos);
    EXPECT_EQ(view.lines.at(0),
              "An iv7 Sol 23\xC2\xB0 Pisces, Luna 1\xC2\xB0 Capricorn Dies Saturnii");
    // The last line's listings are in the work folder, and none older.
    EXPECT_EQ(readWholeFile("chart.txt"), kChartListing);
    EXPECT_FALSE(fs::exists("riseset.txt"));
    EXPECT_EQ(location(), (std::vector<std::string>{"6", "93W21", "45N05"}));
}

TEST_F(ConvertBatchTest, DayFirstOrderReadsDayFirstDates)
{
    regional = testing::german();
    writeWholeFile("dates.txt", "a,1,14.3.01,21:07,5,74W00,40N43\r\n");
    convert("dates.txt");
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_NE(runner.runs[0].commandFile.find("/qb 3 14 2001 "), std::string::npos);
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
                    "dates.txt, line 2: List index out of bounds (2)"},
        FailureCase{"NoTime", "a,b,3/14/2001", "dates.txt, line 1: List index out of bounds (3)"},
        FailureCase{"NoZone", "a,b,3/14/2001,21:07",
                    "dates.txt, line 1: List index out of bounds (4)"},
        FailureCase{"NoLongitude", "a,b,3/14/2001,21:07,5",
                    "dates.txt, line 1: List index out of bounds (5)"},
        FailureCase{"NoLatitude", "a,b,3/14/2001,21:07,5,74W00",
                    "dates.txt, line 1: List index out of bounds (6)"},
        FailureCase{"DateBeforeMissingTime", "a,b,2/30/2001",
                    "dates.txt, line 1: '2/30/2001' is not a valid date"},
        FailureCase{"BadDate", "a,b,14/3/2001,21:07,5,74W00,40N43",
                    "dates.txt, line 1: '14/3/2001' is not a valid date"},
        FailureCase{"BadTime",
                    kExampleLine + "\r\n" + kExampleLine + "\r\na,b,3/14/2001,25:07,5,74W00,40N43",
                    "dates.txt, line 3: '25:07' is not a valid time"},
        FailureCase{"BadLineAfterGoodOnes", kExampleLine + "\n" + kExampleLine + "\nx,y,z\n",
                    "dates.txt, line 3: 'z' is not a valid date"},
        FailureCase{"CalculationError",
                    kExampleLine + "\r\na,b,3/14/2001,21:07,5,\"74 W\",40N43\r\n",
                    "dates.txt, line 2: Longitude \"74 W\" must not contain blanks or control "
                    "characters"},
        FailureCase{"LineTooLong", kExampleLine + "\r\n" + std::string(1200000, 'x') + "\r\n",
                    "dates.txt, line 2 is longer than 1 MiB (1048576 bytes)"},
        FailureCase{"BinaryLine", kExampleLine + "\r\nab\x01" + std::string(70000, 'x'),
                    "dates.txt, line 2 holds the byte 0x01 at column 3: the input is not a text "
                    "file"},
        FailureCase{"MissingInput", kExampleLine, "Cannot open file nosuch.txt", "nosuch.txt"},
        FailureCase{"InputIsAFolder", kExampleLine, "Cannot open file .", "."},
        FailureCase{"OutputFolderMissing", kExampleLine,
                    "Cannot create file nofolder/out.txt: No such file or directory", "dates.txt",
                    "nofolder/out.txt"},
        FailureCase{"OutputIsAFolder", kExampleLine, "Cannot create file .: Is a directory",
                    "dates.txt", "."}),
    [](const auto& row) { return std::string(row.param.name); });

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
    EngineProgram program{stoppable, settings};
    Calculator own{{settings, regional, zone, program, view, clipboard, messages}};
    StopObserver stopper;
    writeWholeFile("output.txt", "earlier output\r\n");
    writeWholeFile("dates.txt", kExampleLine + "\r\n" + kExampleLine + "\r\n");
    EXPECT_EQ(convertBatch({own, clock, stopper}, "dates.txt", "output.txt"),
              BatchResult::Cancelled);
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
    const struct {
        const char* name;
        bool marked, aged, locked, removed;
    } rows[] = {
        {"vantrel-Ab12cD", true, true, false, true},            // its run was killed
        {"vantrel-batch-4194305-1", false, true, false, true},  // an older version's
        {"vantrel-Ef34gH", true, true, true, false},            // in use
        {"vantrel-Ij56kL", true, false, false, false},          // just made, not locked yet
        {"vantrel-backup", false, true, false, false},          // not the program's
        {"vantrel-batch-notes", false, true, false, false},
    };
    std::vector<int> locks;
    for (const auto& row : rows) {
        const fs::path made = temporary / row.name;
        fs::create_directories(made / "inside");
        if (row.marked)
            writeWholeFile(made / ".vantrel-private", "");
        if (row.aged)
            fs::last_write_time(made, fs::file_time_type::clock::now() - std::chrono::hours(1));
        if (row.locked) {
            locks.push_back(::open(made.c_str(), O_RDONLY | O_DIRECTORY));
            ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
        }
    }
    writeWholeFile("dates.txt", kExampleLine + "\r\n");
    convert("dates.txt");
    previous ? ::setenv("TMPDIR", saved.c_str(), 1) : ::unsetenv("TMPDIR");
    for (const int lock : locks)
        ::close(lock);
    std::size_t left = 0;
    for (const auto& row : rows) {
        EXPECT_EQ(fs::exists(temporary / row.name), !row.removed) << row.name;
        left += row.removed ? 0 : 1;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(temporary), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(left))
        << "the conversion's own folder was left behind";
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
    EXPECT_EQ(convertError("dates.txt"), "Cannot create file output.txt: Permission denied");
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
    EXPECT_EQ(convertError("input.txt"), "input.txt, line 2: List index out of bounds (2)");
    EXPECT_EQ(readWholeFile("input.txt"), original);
}

TEST_F(ConvertBatchTest, NamesFromAnotherFolderLeaveNoListingThere)
{
    const fs::path user = folder() / "user";
    fs::create_directory(user);
    writeWholeFile(user / "dates.txt", kExampleLine + "\r\n");
    convertBatch({calculator, clock, observer, nullptr, user}, "dates.txt", "out.txt");
    EXPECT_EQ(readWholeFile(user / "out.txt").rfind("Ann,", 0), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(user), fs::directory_iterator()), 2);
    EXPECT_EQ(
        testing::errorText([&] {
            convertBatch({calculator, clock, observer, nullptr, user}, "missing.txt", "out.txt");
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

// The built-in engine's stand-in for conversions on several threads: the Sun's degree is the
// chart's day of the month, so that each output line tells which input line it belongs to. A
// zone of "x" fails as the engine would; days from 20 on answer slowly, so that later chunks
// often finish first.
class ConcurrentEngine : public ChartEngine {
public:
    std::atomic<int> runs = 0;
    EngineRun run(std::string_view text) override
    {
        ++runs;
        const auto qb = text.find("/qb ");
        const auto monthEnd = text.find(' ', qb + 4);
        const int day = std::stoi(std::string(text.substr(monthEnd + 1, 2)));
        if (text.find(" ST x ") != std::string_view::npos)
            return {returnCodeFailure(1, "vantrel-engine: input.txt:2: /qb: zone 'x'"), {}};
        if (day >= 20)
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        char row[64];
        std::snprintf(row, sizeof row, "Sun   %2dPis59\r\nMoon   1Cap14\r\n", day);
        return {std::nullopt, {{"chart.txt", "heading\r\n\r\n" + std::string(row)}}};
    }
    bool takesTrimmedCommands() const override { return true; }
    bool runsConcurrently() const override { return true; }
};

class ThreadedConversion : public ConvertBatchTest {
protected:
    ConcurrentEngine concurrent;
    Calculator threaded{{settings, regional, zone, concurrent, view, clipboard, messages}};

    // Lines for 1 to 28 March 2001 over and over; a line's day is (number - 1) % 28 + 1.
    static std::string datesFile(std::size_t count, std::size_t failingLine = 0)
    {
        std::string text;
        for (std::size_t n = 1; n <= count; ++n)
            text += "n," + std::to_string(n) + ",3/" + std::to_string((n - 1) % 28 + 1) +
                    "/2001,12:00," + (n == failingLine ? "x" : "5") + ",74W00,40N43\r\n";
        return text;
    }
    BatchResult convertThreaded(const std::string& output = "output.txt")
    {
        return convertBatch({threaded, clock, observer}, "dates.txt", output);
    }
};

TEST_F(ThreadedConversion, LinesAreWrittenInTheirOrder)
{
    writeWholeFile("dates.txt", datesFile(3000));
    EXPECT_EQ(convertThreaded(), BatchResult::Converted);
    const auto lines = splitLines(readWholeFile("output.txt"));
    ASSERT_EQ(lines.size(), 3000u);
    for (std::size_t n = 1; n <= lines.size(); ++n) {
        const auto fields = splitCommaText(lines[n - 1]);
        char sun[16];
        std::snprintf(sun, sizeof sun, "%2d\xC2\xB0", static_cast<int>((n - 1) % 28 + 1));
        ASSERT_EQ(fields.at(1), std::to_string(n));
        ASSERT_NE(lines[n - 1].find("," + std::string(sun) + " Pisces,"), std::string::npos)
            << lines[n - 1];
    }
    EXPECT_EQ(concurrent.runs, 3000);
    EXPECT_TRUE(runner.runs.empty());
}

TEST_F(ThreadedConversion, TheEarliestFailingLineIsReportedAndNothingWritten)
{
    // Line 1500 fails too, and usually first: its chunk answers quickly.
    std::string text = datesFile(2000, 720);
    const std::string late = "n,1500,3/";
    text.replace(text.find(late), late.size() + 3, "n,1500,3/1/2001,12:00,x");
    writeWholeFile("output.txt", "earlier output\r\n");
    writeWholeFile("dates.txt", text);
    EXPECT_EQ(testing::errorText([&] { convertThreaded(); }),
              "dates.txt, line 720: Astrolog return code 1: /qb: zone 'x'");
    EXPECT_EQ(readWholeFile("output.txt"), "earlier output\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 2)
        << "the file beside the output is gone";
}

TEST_F(ThreadedConversion, CancelStopsTheWorkersAndWritesNothing)
{
    writeWholeFile("output.txt", "earlier output\r\n");
    writeWholeFile("dates.txt", datesFile(200000));
    observer.cancelAfter = 1;
    EXPECT_EQ(convertThreaded(), BatchResult::Cancelled);
    EXPECT_LT(concurrent.runs, 200000) << "the workers went on";
    EXPECT_EQ(readWholeFile("output.txt"), "earlier output\r\n");
    EXPECT_EQ(location(), (std::vector<std::string>{"6", "93W21", "45N05"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 2);
}

// The streaming bound: however long the input, the reader waits while as many chunks as the
// pipeline holds await the writer.
TEST(BatchPipelineBound, TheReaderWaitsWhileTheWriterIsBehind)
{
    constexpr std::size_t kCapacity = 3;
    BatchPipeline pipeline(kCapacity);
    std::atomic<std::size_t> put = 0;
    std::thread reader([&] {
        for (int i = 0; i < 20 && pipeline.putChunk(LineChunk{}); ++i)
            ++put;
        pipeline.endInput();
    });
    std::thread worker([&] {
        while (auto chunk = pipeline.takeChunk())
            pipeline.putResult(chunk->first, {});
    });
    for (int i = 0; i < 500 && put < kCapacity; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(put, kCapacity) << "the reader went on with no writer";
    ChunkResult result;
    std::size_t written = 0;
    while (pipeline.nextResult(result, std::chrono::seconds(5)) == BatchPipeline::Next::Result) {
        ++written;
        EXPECT_LE(pipeline.chunksHeld(), kCapacity);
    }
    reader.join();
    worker.join();
    EXPECT_EQ(written, 20u);
}

}  // namespace
}  // namespace vantrel::core
