#include <tuple>

#include <gtest/gtest.h>

// Only the constants: the core's range is compared with the engine's.
#include "core/chart_engine/ephemeris_range.h"
#include "engine/ephemeris.h"
#include "engine/run.h"
#include "tests/engine/engine_test_support.h"

using namespace vantrel::engine::testing;

namespace {

const std::string kGoodHead =
    "@0102  ; Astrolog chart info.\r\n/qb 3 14 2001 21:07PM DT 5 74W00 40N43\r\n";

int lineCount(const std::string& s)
{
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

}  // namespace

TEST(EngineRun, TheProgramsCommandFilesSucceedAndWriteTheirFiles)
{
    struct Row {
        const char* fixture;
        std::vector<std::string> outputs;
    } rows[] = {
        {"chart_input_2001-03-14.txt", {"chart.txt"}},
        {"risesetn_input_2001-03-15.txt", {"risesetn.txt"}},
        {"wheel_input_2001-03-14.txt", {"chart.wmf", "wheel.txt"}},
        {"aspects_input_2001-03-14.txt", {"aspects.txt"}},
    };
    for (const Row& row : rows) {
        ScratchFolder folder;
        folder.write("input.txt", fixture(row.fixture));
        const EngineRun run = runEngine(folder);
        EXPECT_EQ(run.exitCode, 0) << row.fixture << ": " << run.standardError;
        EXPECT_EQ(run.standardError, "") << row.fixture;
        std::vector<std::string> expected = row.outputs;
        expected.push_back("input.txt");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(folder.entries(), expected)
            << row.fixture << ": exactly the named files, no leftovers";
        for (const auto& name : row.outputs)
            EXPECT_FALSE(folder.read(name).empty()) << name;
    }
}

TEST(EngineRun, AnOutputNameAtTheLengthLimitIsWritten)
{
    const std::string longest(255, 'n');
    ScratchFolder folder;
    folder.write("input.txt", kGoodHead + "/os " + longest + "\r\n");
    const EngineRun run = runEngine(folder);
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"input.txt", longest}));
}

TEST(EngineRun, BadInputFailsWithOneLineAndWritesNothing)
{
    struct Row {
        const char* name;
        std::string text;
        std::string expected;  // the whole standard-error line after "vantrel-engine: "
    } rows[] = {
        {"month 13", "@\r\n/qb 13 14 2001 21:07PM DT 5 74W00 40N43\r\n/os chart.txt\r\n/XM0\r\n",
         "input.txt:2: /qb: month '13' is not 1 to 12"},
        {"31 February", "@\r\n/os chart.txt\r\n/qb 2 31 2001 21:07PM DT 5 74W00 40N43\r\n",
         "input.txt:3: /qb: day '31' does not exist in month 2 of 2001"},
        {"time 21:7", "@\r\n/qb 3 14 2001 21:7 DT 5 74W00 40N43\r\n/os chart.txt\r\n",
         "input.txt:2: /qb: time '21:7'"},
        {"zone 25", "@\r\n/qb 3 14 2001 21:07PM DT 25 74W00 40N43\r\n/os chart.txt\r\n",
         "input.txt:2: /qb: zone '25'"},
        {"longitude 93X21", "@\r\n/qb 3 14 2001 21:07PM DT 5 93X21 40N43\r\n/os chart.txt\r\n",
         "input.txt:2: /qb: longitude '93X21'"},
        {"missing field", "@\r\n/qb 3 14 2001 21:07PM DT 5 74W00\r\n/os chart.txt\r\n",
         "input.txt:2: /qb: the latitude is missing"},
        {"unknown switch", kGoodHead + "/os chart.txt\r\n/Xq\r\n",
         "input.txt:4: unknown switch '/Xq'"},
        {"not a command file", "/qb 3 14 2001 21:07PM DT 5 74W00 40N43\r\n/os chart.txt\r\n",
         "input.txt:1: not a command file"},
        {"/os names a folder", kGoodHead + "/os sub\r\n", "input.txt:3: /os: 'sub' is a folder"},
        {"/Xo names a folder", kGoodHead + "/os chart.txt\r\n/Xo sub\r\n",
         "input.txt:4: /Xo: 'sub' is a folder"},
        {"/os names a path", kGoodHead + "/os sub/chart.txt\r\n",
         "input.txt:3: /os: 'sub/chart.txt' is not a plain"},
        {"a NUL in /os", kGoodHead + std::string("/os chart.txt\0x\r\n", 17),
         "input.txt:3: /os: 'chart.txt\\x00x' is not a plain file name in the current folder\n"},
        {"/os and /Xo name one file", kGoodHead + "/os pic.wmf\r\n/Xo pic.wmf\r\n",
         "input.txt:4: /os and /Xo both name 'pic.wmf': the listing and the picture need a file "
         "each\n"},
        {"/os names the picture's default", kGoodHead + "/XM0\r\n/os chart.wmf\r\n",
         "input.txt:4: /os and /Xo both name 'chart.wmf'"},
        {"beyond the ephemeris", "@\r\n/qb 1 1 3001 12:00 ST 6 93W21 45N05\r\n/os chart.txt\r\n",
         "input.txt:2: /qb: 1 January 3001 is outside the ephemeris range (1 January 1 to 31 "
         "December 3000)\n"},
        {"events and a chart listing without chart data",
         "@\r\n/%e 2024\r\n/os chart.txt\r\n/a0\r\n",
         "input.txt:4: no chart data: the /qb line is missing\n"},
        {"a NUL in a field",
         std::string("@\r\n/qb 3 14 2001 21:07PM DT 5\0 74W00 40N43\r\n/os chart.txt\r\n", 53),
         "input.txt:2: /qb: zone '5\\x00' is not hours west of Greenwich (-24 to 24, H:MM or "
         "H.MM)\n"},
    };
    for (const Row& row : rows) {
        ScratchFolder folder;
        std::filesystem::create_directory(folder.path() / "sub");
        folder.write("input.txt", row.text);
        folder.write("chart.txt", "an earlier listing\r\n");
        const EngineRun run = runEngine(folder);
        EXPECT_EQ(run.exitCode, 1) << row.name;
        EXPECT_EQ(lineCount(run.standardError), 1) << row.name << ": " << run.standardError;
        EXPECT_EQ(run.standardError.rfind("vantrel-engine: " + row.expected, 0), 0u)
            << row.name << ": " << run.standardError;
        EXPECT_EQ(folder.read("chart.txt"), "an earlier listing\r\n") << row.name;
        EXPECT_EQ(folder.entries(), (std::vector<std::string>{"chart.txt", "input.txt", "sub"}))
            << row.name;
    }
}

// The first and the last day of the range, at the zones that take their universal time
// furthest out, with every output the program asks for.
TEST(EngineRun, TheWholeEphemerisRangeIsComputed)
{
    const std::string tail = "/os out.txt\r\n/s\r\n/XM0\r\n/Xo chart.wmf\r\n/w 4\r\n/a0\r\n/Zd\r\n";
    for (const char* chart : {"/qb 1 1 1 0:00 ST -24 0E00 0N00", "/qb 12 31 3000 23:59 DT 24 "
                                                                 "180W00 66N34"}) {
        ScratchFolder folder;
        folder.write("input.txt", "@\r\n" + std::string(chart) + "\r\n" + tail);
        const EngineRun run = runEngine(folder);
        EXPECT_EQ(run.exitCode, 0) << chart << ": " << run.standardError;
        EXPECT_NE(folder.read("out.txt").find("rises"), std::string::npos) << chart;
    }
}

TEST(EphemerisRange, TheProgramAsksForTheDatesTheEngineComputes)
{
    using vantrel::core::kFirstEphemerisDate;
    using vantrel::core::kLastEphemerisDate;
    using vantrel::engine::kFirstDate;
    using vantrel::engine::kLastDate;
    EXPECT_EQ(
        std::tie(kFirstEphemerisDate.year, kFirstEphemerisDate.month, kFirstEphemerisDate.day),
        std::tie(kFirstDate.year, kFirstDate.month, kFirstDate.day));
    EXPECT_EQ(std::tie(kLastEphemerisDate.year, kLastEphemerisDate.month, kLastEphemerisDate.day),
              std::tie(kLastDate.year, kLastDate.month, kLastDate.day));
}

TEST(EngineRun, UnreadableCommandFile)
{
    ScratchFolder folder;
    EngineRun run = runEngine(folder, "missing.txt");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        run.standardError,
        "vantrel-engine: missing.txt: cannot read the command file: No such file or directory\n");
    std::filesystem::create_directory(folder.path() / "folder.txt");
    run = runEngine(folder, "folder.txt");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        run.standardError.rfind("vantrel-engine: folder.txt: cannot read the command file", 0), 0u)
        << run.standardError;
}

TEST(EngineRun, WithoutOsTheListingGoesToStandardOutput)
{
    ScratchFolder folder;
    folder.write("input.txt", kGoodHead);
    const EngineRun run = runEngine(folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput.rfind(
                  "Chart of Wednesday  3/14/2001  9:07pm (DT 5:00 GMT) 74W00 40N43\r\n", 0),
              0u)
        << run.standardOutput;
}

// The events of a span, with no chart data; the equinox at the minute the U.S. Naval
// Observatory gives (2024 March 20, 03:06 UT).
TEST(EngineRun, EventsListingWithoutChartData)
{
    ScratchFolder folder;
    folder.write("input.txt", "@0102\r\n/%e 2024-03-19 2024-03-21\r\n/os events.txt\r\n");
    const EngineRun run = runEngine(folder);
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(run.standardError, "");
    const auto listing = lines(folder.read("events.txt"));
    ASSERT_EQ(listing.size(), 1u);
    EXPECT_EQ(listing[0].substr(0, 16), "2024-03-20 03:06");
    EXPECT_EQ(listing[0].substr(19), " UT  Sun   Aries           0.0000  0Ari00");
}

TEST(EngineRun, PolarHousesFallBackToPorphyryWithAWarning)
{
    ScratchFolder folder;
    folder.write("input.txt", "@\r\n/qb 6 21 2000 12:00 ST 0 25E00 78N00\r\n/c 0\r\n");
    const EngineRun run = runEngine(folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(
        run.standardError.find("Placidus houses do not exist at latitude 78N00; using Porphyry"),
        std::string::npos)
        << run.standardError;
    EXPECT_NE(run.standardOutput.find("Porphyry Houses."), std::string::npos);
}

// Without the ephemeris files the engine still answers, from the built-in Moshier theory,
// and says so; the asteroids, which have no built-in theory, are left out.
TEST(EngineRun, MissingEphemerisFilesFallBackToTheBuiltInTheory)
{
    ScratchFolder folder;
    folder.write("input.txt", kGoodHead + "/os chart.txt\r\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const auto fallback =
        vantrel::engine::runCommandFile("input.txt", (folder.path() / "no-such-folder").string());
    const std::string withoutFiles = folder.read("chart.txt");
    const auto normal =
        vantrel::engine::runCommandFile("input.txt", vantrel::engine::Ephemeris::kDefaultFolder);
    const std::string withFiles = folder.read("chart.txt");
    std::filesystem::current_path(previous);

    EXPECT_EQ(fallback.exitCode, 0) << fallback.error;
    ASSERT_EQ(fallback.warnings.size(), 2u);
    EXPECT_NE(fallback.warnings[0].find("using the built-in Moshier theory"), std::string::npos);
    EXPECT_NE(fallback.warnings[1].find("Chiron, Ceres, Pallas, Juno and Vesta are left out"),
              std::string::npos);
    EXPECT_TRUE(normal.warnings.empty());
    EXPECT_EQ(withoutFiles.find("Chir:"), std::string::npos);
    EXPECT_NE(withFiles.find("Chir:"), std::string::npos);
    // the two theories agree on the Sun and the Moon to the minute here
    const auto a = lines(withoutFiles), b = lines(withFiles);
    EXPECT_EQ(a[3].substr(0, 13), b[3].substr(0, 13));
    EXPECT_EQ(a[4].substr(0, 13), b[4].substr(0, 13));
}

TEST(EngineRun, HelpAndVersionExitZero)
{
    for (const char* option : {"--help", "--version"}) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::execl(VANTREL_ENGINE_PATH, VANTREL_ENGINE_PATH, option, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << option;
    }
}
