// Running the engine through the process port, and the file-level writers.

#include "core/astrolog/astrolog_run.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "core/common/error.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using testing::FakeMessages;
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
    ZoneSnapshot zone;
    TimedRunner runner{dir.path()};
    FakeMessages messages;
    AstrologEnvironment env()
    {
        return {settings, zone, runner, messages, dir.path(), "/opt/v/vantrel-engine"};
    }
};

TEST_F(EngineFixture, DefaultEngineRunsOnTheCommandFileWithinTheTimeLimit)
{
    RunAstrolog(env());
    ASSERT_EQ(runner.runs.size(), 1u);
    EXPECT_EQ(runner.runs[0].program, "/opt/v/vantrel-engine");
    EXPECT_EQ(runner.runs[0].arguments, (std::vector<std::string>{"-i", "input.txt"}));
    EXPECT_EQ(runner.limits.at(0), std::chrono::seconds(60));
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(EngineFixture, ConfiguredCommandIsSplitIntoProgramAndLeadingArguments)
{
    settings.Astrolog = "  wine   /opt/astro/astrolog.exe\t-q ";
    RunAstrolog(env());
    EXPECT_EQ(runner.runs.at(0).program, "wine");
    EXPECT_EQ(runner.runs.at(0).arguments,
              (std::vector<std::string>{"/opt/astro/astrolog.exe", "-q", "-i", "input.txt"}));
}

TEST_F(EngineFixture, BlankConfiguredCommandMeansTheDefaultEngine)
{
    settings.Astrolog = "   ";
    RunAstrolog(env());
    EXPECT_EQ(runner.runs.at(0).program, "/opt/v/vantrel-engine");
}

TEST(EngineCommandAnchor, OnlyARelativePathWithAFolderPartIsAnchored)
{
    const std::pair<const char*, const char*> rows[] = {
        {"./astrolog -q", "/base/./astrolog -q"},
        {" bin/astrolog", " /base/bin/astrolog"},
        {"astrolog -q", "astrolog -q"},
        {"/opt/astrolog", "/opt/astrolog"},
        {"  ", "  "},
    };
    for (const auto& [command, anchored] : rows)
        EXPECT_EQ(anchoredEngineCommand(command, "/base"), anchored) << command;
}

TEST_F(EngineFixture, NonZeroExitCodeIsReportedAsUnsignedNumber)
{
    runner.outcome = {true, false, 3, {}, {}};
    RunAstrolog(env());
    runner.outcome = {true, false, -1, {}, {}};
    RunAstrolog(env());
    EXPECT_EQ(messages.messages, (std::vector<std::string>{"Astrolog return code 3",
                                                           "Astrolog return code 4294967295"}));
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(EngineFixture, EnginesOwnComplaintFollowsTheReturnCode)
{
    runner.outcome = {true,
                      false,
                      1,
                      {},
                      "vantrel-engine: input.txt:2: zone \"AM\" is not a number\nsecond line\n"};
    RunAstrolog(env());
    EXPECT_EQ(
        messages.messages,
        (std::vector<std::string>{
            "Astrolog return code 1\nvantrel-engine: input.txt:2: zone \"AM\" is not a number"}));
}

TEST_F(EngineFixture, EngineThatCannotBeStartedIsReportedWithCommandAndReason)
{
    settings.Astrolog = "astrolog -x";
    runner.outcome = {false, false, 0, "No such file or directory", {}};
    RunAstrolog(env());
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_NE(messages.errors[0].find("\"astrolog -x\""), std::string::npos) << messages.errors[0];
    EXPECT_NE(messages.errors[0].find("could not be started: No such file or directory"),
              std::string::npos)
        << messages.errors[0];
    EXPECT_TRUE(messages.messages.empty()) << "no return-code message for a run that never began";
}

TEST_F(EngineFixture, RunStoppedAtTheTimeLimitIsReportedAsTimedOut)
{
    runner.outcome = {true, true, 0, {}, {}};
    RunAstrolog(env());
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_NE(messages.errors[0].find("timed out"), std::string::npos) << messages.errors[0];
    EXPECT_NE(messages.errors[0].find("60 seconds"), std::string::npos) << messages.errors[0];
}

TEST_F(EngineFixture, FailureInsideTheRunIsReportedAndSwallowed)
{
    ThrowingRunner broken;
    const AstrologEnvironment environment{settings, zone, broken, messages, dir.path(), "e"};
    EXPECT_NO_THROW(RunAstrolog(environment));
    EXPECT_EQ(messages.messages, std::vector<std::string>{"Error executing Astrolog"});
}

TEST_F(EngineFixture, WritersReplaceTheCommandFileBeforeEachRun)
{
    const DateTime date = dateTimeFromDate(2000, 6, 3);
    const DateTime time = dateTimeFromTime({20, 3, 15, 0});
    testing::writeWholeFile(dir.path() / "input.txt",
                            "left over from an earlier run, longer than the new file\r\n");
    WriteChartInput(env(), "6", "93W21", "45N05", time, date);
    WriteWheelInput(env(), "6", "93W21", "45N05", time, date);
    WriteAspectsInput(env(), "6", "93W21", "45N05", time, date);
    WriteRiseSetInput(env(), "6", "93W21", "45N05", "riseset.txt", time, date + 1);
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
    AstrologEnvironment environment = env();
    environment.workDir = dir.path() / "missing-folder";
    try {
        WriteChartInput(environment, "6", "93W21", "45N05", 0.5, dateTimeFromDate(2000, 6, 3));
        FAIL() << "no error";
    } catch (const VantrelError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file input.txt");
    }
    EXPECT_TRUE(runner.runs.empty());
}

TEST_F(EngineFixture, RefusedLocationWritesNoFileAndRunsNothing)
{
    testing::writeWholeFile(dir.path() / "input.txt", "previous\r\n");
    EXPECT_THROW(
        WriteChartInput(env(), "6", "93W21 -Yd", "45N05", 0.5, dateTimeFromDate(2000, 6, 3)),
        VantrelError);
    EXPECT_EQ(testing::readWholeFile(dir.path() / "input.txt"), "previous\r\n");
    EXPECT_TRUE(runner.runs.empty());
}

}  // namespace
}  // namespace vantrel::core
