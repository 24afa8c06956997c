// Running the engine program through the process port, choosing between it and the built-in
// engine, and the writers.

#include "core/chart_engine/engine_run.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "core/chart_engine/configured_engine.h"
#include "core/chart_engine/engine_program.h"
#include "core/common/error.h"
#include "tests/core/error_text.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using testing::FakeProcessRunner;
using testing::TempDir;

// Records the time limit each run was given.
class TimedRunner : public FakeProcessRunner {
public:
    using FakeProcessRunner::FakeProcessRunner;
    std::vector<std::chrono::milliseconds> limits;
    ProcessOutcome run(const std::string& program, const std::vector<std::string>& arguments,
                       std::chrono::milliseconds timeLimit) override
    {
        limits.push_back(timeLimit);
        return FakeProcessRunner::run(program, arguments, timeLimit);
    }
};

class ThrowingRunner : public ProcessRunner {
public:
    ProcessOutcome run(const std::string&, const std::vector<std::string>&,
                       std::chrono::milliseconds) override
    {
        throw std::runtime_error("pipe broke");
    }
};

struct EngineFixture : ::testing::Test {
    TempDir dir;
    Settings settings;
    LiveZone zone;
    TimedRunner runner{dir.path()};
    EngineProgram program{runner, settings, dir.path(), "/opt/v/vantrel-engine"};
    EngineEnvironment env() { return {settings, zone, program}; }
    std::optional<EngineFailure> runProgram() { return program.run("@\r\n").failure; }
};

TEST_F(EngineFixture, DefaultEngineRunsOnTheCommandFileWithinTheTimeLimit)
{
    EXPECT_EQ(runProgram(), std::nullopt);
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(runner.runs[0].program, "/opt/v/vantrel-engine");
    EXPECT_EQ(runner.runs[0].arguments, (std::vector<std::string>{"-i", "input.txt"}));
    EXPECT_EQ(runner.limits.at(0), std::chrono::seconds(60));
}

TEST_F(EngineFixture, ConfiguredCommandIsSplitIntoProgramAndLeadingArguments)
{
    settings.engineCommand = "  wine   /opt/astro/astrolog.exe\t-q ";
    EXPECT_EQ(runProgram(), std::nullopt);
    EXPECT_EQ(runner.runs.at(0).program, "wine");
    EXPECT_EQ(runner.runs.at(0).arguments,
              (std::vector<std::string>{"/opt/astro/astrolog.exe", "-q", "-i", "input.txt"}));
    settings.engineCommand = "   ";
    EXPECT_EQ(runProgram(), std::nullopt);
    EXPECT_EQ(runner.runs.at(1).program, "/opt/v/vantrel-engine");
    // A path in double quotes keeps its blanks.
    settings.engineCommand = "\"/home/Jane Doe/astrolog\" -q";
    EXPECT_EQ(runProgram(), std::nullopt);
    EXPECT_EQ(runner.runs.at(2).program, "/home/Jane Doe/astrolog");
    EXPECT_EQ(runner.runs.at(2).arguments, (std::vector<std::string>{"-q", "-i", "input.txt"}));
}

TEST(EngineCommandAnchor, OnlyARelativePathWithAFolderPartIsAnchored)
{
    const std::pair<const char*, const char*> rows[] = {
        {"./astrolog -q", "/base/./astrolog -q"},
        {" bin/astrolog", " /base/bin/astrolog"},
        {"astrolog -q", "astrolog -q"},
        {"/opt/astrolog", "/opt/astrolog"},
        {"  ", "  "},
        {"\"./my engine\" -q", "\"/base/./my engine\" -q"},
        {"\"/opt/my engine\"", "\"/opt/my engine\""},
    };
    for (const auto& [command, anchored] : rows)
        EXPECT_EQ(anchoredEngineCommand(command, "/base"), anchored) << command;
    // A folder with a blank stays one word.
    EXPECT_EQ(anchoredEngineCommand("./astrolog -q", "/home/Jane Doe"),
              "\"/home/Jane Doe/./astrolog\" -q");
}

ProcessOutcome outcomeOf(bool started, bool timedOut, int exitCode, int signal,
                         std::string errorText, std::string errorOutput)
{
    ProcessOutcome outcome;
    outcome.started = started;
    outcome.timedOut = timedOut;
    outcome.exitCode = exitCode;
    outcome.signal = signal;
    outcome.errorText = std::move(errorText);
    outcome.errorOutput = std::move(errorOutput);
    return outcome;
}

TEST_F(EngineFixture, EachWayARunFailsIsToldApart)
{
    settings.engineCommand = "astrolog -x";
    const struct {
        const char* name;
        ProcessOutcome outcome;
        EngineFailure expected;
    } rows[] = {
        {"exit code, unsigned",
         outcomeOf(true, false, -1, 0, "", ""),
         {"Astrolog return code 4294967295", "", true}},
        {"the engine's own complaint, first line",
         outcomeOf(true, false, 1, 0, "",
                   "vantrel-engine: input.txt:2: zone \"AM\" is not a number\nsecond line\n"),
         {"Astrolog return code 1", "vantrel-engine: input.txt:2: zone \"AM\" is not a number",
          true}},
        {"not started",
         outcomeOf(false, false, 0, 0, "No such file or directory", ""),
         {"The chart engine \"astrolog -x\" could not be started: No such file or directory", "",
          false}},
        {"timed out",
         outcomeOf(true, true, 0, 0, "", ""),
         {"The chart engine \"astrolog -x\" timed out: still running after 60 seconds, it was "
          "stopped",
          "", false}},
        {"crashed",
         outcomeOf(true, false, 0, 11, "Segmentation fault", "half a line\0"),
         {"The chart engine \"astrolog -x\" crashed (signal 11, Segmentation fault)", "half a line",
          false}},
        {"a NUL in the complaint",
         outcomeOf(true, false, 2, 0, "", std::string("bad '\0x'", 8)),
         {"Astrolog return code 2", "bad '\\x00x'", true}},
    };
    for (const auto& row : rows) {
        runner.outcome = row.outcome;
        const auto failure = runProgram();
        ASSERT_TRUE(failure) << row.name;
        EXPECT_EQ(failure->summary, row.expected.summary) << row.name;
        EXPECT_EQ(failure->engineText, row.expected.engineText) << row.name;
        EXPECT_EQ(failure->plainMessage, row.expected.plainMessage) << row.name;
    }
}

TEST_F(EngineFixture, AStoppedRunEndsTheCalculation)
{
    runner.outcome.stopped = true;
    EXPECT_THROW((void)runProgram(), EngineRunStopped);
}

TEST_F(EngineFixture, FailureInsideTheRunIsReportedAndSwallowed)
{
    ThrowingRunner broken;
    EngineProgram brokenProgram{broken, settings, dir.path(), "e"};
    const auto failure = brokenProgram.run("@\r\n").failure;
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message(), "Error executing Astrolog");
}

TEST(EngineText, ThePlaceInTheProgramsCommandFileIsLeftOut)
{
    EXPECT_EQ(engineTextWithoutCommandFile("vantrel-engine: input.txt:2: /qb: zone 'x' is bad"),
              "/qb: zone 'x' is bad");
    EXPECT_EQ(engineTextWithoutCommandFile("error in input.txt: no line"),
              "error in input.txt: no line");
}

TEST_F(EngineFixture, WritersReplaceTheCommandFileBeforeEachRun)
{
    const LocalDateTime moment = testing::localDateTime(2000, 6, 3, 20, 3, 15);
    testing::writeWholeFile(dir.path() / "input.txt",
                            "left over from an earlier run, longer than the new file\r\n");
    EXPECT_FALSE(runChartCommand(env(), "6", "93W21", "45N05", moment).failure);
    EXPECT_FALSE(runWheelCommand(env(), "6", "93W21", "45N05", moment).failure);
    EXPECT_FALSE(runAspectsCommand(env(), "6", "93W21", "45N05", moment).failure);
    EXPECT_FALSE(runRiseSetCommand(env(), "6", "93W21", "45N05", "riseset.txt",
                                   {moment.date.plusDays(1), moment.time})
                     .failure);
    ASSERT_EQ(runner.runs.size(), 4u);
    EXPECT_EQ(runner.runs[0].commandFile.rfind("@0102  ; Astrolog chart info.\r\n/qb 6 3 2000 "
                                               "20:03PM ST 6 93W21 45N05\r\n/os chart.txt\r\n",
                                               0),
              0u);
    EXPECT_NE(runner.runs[1].commandFile.find("/os wheel.txt\r\n"), std::string::npos);
    EXPECT_NE(runner.runs[2].commandFile.find("/os aspects.txt\r\n"), std::string::npos);
    EXPECT_NE(runner.runs[3].commandFile.find("/qb 6 4 2000 20:03PM"), std::string::npos);
    EXPECT_TRUE(runner.runs[3].commandFile.ends_with("/Zd\r\n\r\n"));
    EXPECT_EQ(runner.runs[3].commandFile, testing::readWholeFile(dir.path() / "input.txt"));
}

TEST_F(EngineFixture, CommandFileThatCannotBeCreatedStopsBeforeTheRun)
{
    EngineProgram elsewhere{runner, settings, dir.path() / "missing-folder"};
    EXPECT_EQ(testing::errorText([&] {
                  (void)runChartCommand({settings, zone, elsewhere}, "6", "93W21", "45N05",
                                        testing::localDateTime(2000, 6, 3, 12, 0));
              }),
              "Cannot create file " + (dir.path() / "missing-folder" / "input.txt").string() +
                  ": No such file or directory");
    EXPECT_TRUE(runner.runs.empty());
}

TEST_F(EngineFixture, RefusedLocationWritesNoFileAndRunsNothing)
{
    testing::writeWholeFile(dir.path() / "input.txt", "previous\r\n");
    EXPECT_THROW((void)runChartCommand(env(), "6", "93W21 -Yd", "45N05",
                                       testing::localDateTime(2000, 6, 3, 12, 0)),
                 VantrelError);
    EXPECT_EQ(testing::readWholeFile(dir.path() / "input.txt"), "previous\r\n");
    EXPECT_TRUE(runner.runs.empty());
}

TEST_F(EngineFixture, TheNamedOutputsAreReadBackAndNoStaleOneIsRead)
{
    EXPECT_EQ(commandOutputNames("@0102\r\n/os wheel.txt\r\n/XM0\r\n/Xo chart.wmf\r\n"),
              (std::vector<std::string>{"wheel.txt", "chart.wmf"}));
    testing::writeWholeFile(dir.path() / "wheel.txt", "from an earlier run");
    testing::writeWholeFile(dir.path() / "chart.wmf", "from an earlier run");
    runner.responder = FakeProcessRunner::cannedListings({{"wheel.txt", "wheel\r\n"}});
    const EngineRun run = program.run("@0102\r\n/os wheel.txt\r\n/Xo chart.wmf\r\n");
    ASSERT_EQ(run.outputs.size(), 1u) << "the picture the run did not write is gone";
    EXPECT_EQ(run.output("wheel.txt")->bytes, "wheel\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "chart.wmf"));
}

// The built-in engine as a stand-in: it answers every run with one listing.
class FakeBuiltInEngine : public ChartEngine {
public:
    std::vector<std::string> texts;
    EngineRun run(std::string_view text) override
    {
        texts.emplace_back(text);
        return {std::nullopt, {{"chart.txt", "built in\r\n"}}};
    }
    bool takesTrimmedCommands() const override { return true; }
    bool runsConcurrently() const override { return true; }
};

TEST_F(EngineFixture, TheBuiltInEngineRunsUnlessTheSettingsNameAProgram)
{
    FakeBuiltInEngine builtIn;
    ConfiguredEngine inMemory{&builtIn, program, settings};
    ConfiguredEngine withFiles{&builtIn, program, settings, dir.path()};
    ConfiguredEngine noneBuiltIn{nullptr, program, settings};
    const struct {
        const char* name;
        ConfiguredEngine& engine;
        std::string engineCommand;
        std::size_t builtInRuns, programRuns;
        bool trimmed, file, commandFile;
    } rows[] = {
        {"in memory", inMemory, "", 1, 0, true, false, false},
        {"in memory, blank command", inMemory, " \t", 1, 0, true, false, false},
        {"listings kept as files", withFiles, "", 1, 0, false, true, true},
        {"a program named", inMemory, "astrolog", 0, 1, false, false, true},
        {"a program named, with files", withFiles, "astrolog", 0, 1, false, false, true},
        {"none built in", noneBuiltIn, "", 0, 1, false, false, true},
    };
    for (const auto& row : rows) {
        builtIn.texts.clear();
        runner.runs.clear();
        std::filesystem::remove(dir.path() / "chart.txt");
        std::filesystem::remove(dir.path() / "input.txt");
        settings.engineCommand = row.engineCommand;
        (void)row.engine.run("@0102\r\n/os chart.txt\r\n");
        EXPECT_EQ(builtIn.texts.size(), row.builtInRuns) << row.name;
        EXPECT_EQ(runner.runs.size(), row.programRuns) << row.name;
        EXPECT_EQ(row.engine.takesTrimmedCommands(), row.trimmed) << row.name;
        EXPECT_EQ(row.engine.runsConcurrently(), row.trimmed) << row.name;
        EXPECT_EQ(std::filesystem::exists(dir.path() / "chart.txt"), row.file) << row.name;
        EXPECT_EQ(std::filesystem::exists(dir.path() / "input.txt"), row.commandFile) << row.name;
    }
    settings.engineCommand.clear();
    withFiles.discardOutputs();
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "chart.txt"));
}

}  // namespace
}  // namespace vantrel::core
