// The engine run in memory against the engine run as a process, and on several threads at once.

#include <cstdlib>
#include <map>
#include <random>
#include <thread>

#include <locale.h>

#include <gtest/gtest.h>

#include "engine/run.h"
#include "tests/engine/engine_test_support.h"

using namespace vantrel::engine;
using namespace vantrel::engine::testing;

namespace {

// A command file of a random chart anywhere in the range, with a random choice of outputs,
// restrictions and line ends, its lines in any order; about one in eight has a fault.
std::string randomCommandFile(std::mt19937& rng)
{
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto chance = [&pick](int percent) { return pick(100) < percent; };
    auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    const int hour = pick(24);
    const std::string time = chance(50) ? std::to_string(hour) + ":" + two(pick(60))
                                        : std::to_string(hour % 12 == 0 ? 12 : hour % 12) + ":" +
                                              two(pick(60)) + (hour < 12 ? "AM" : "PM");
    static const char* const zones[] = {"0", "6", "-1", "5:30", "-5:30", "5.30", "-12", "-9:30"};
    const int year = chance(90) ? 1800 + pick(600) : 1 + pick(3000);
    std::vector<std::string> lines = {
        "/qb " + std::to_string(1 + pick(12)) + " " + std::to_string(1 + pick(28)) + " " +
        std::to_string(year) + " " + time + (chance(30) ? " DT " : " ST ") + zones[pick(8)] + " " +
        std::to_string(pick(180)) + (chance(50) ? "W" : "E") + two(pick(60)) + " " +
        std::to_string(pick(90)) + (chance(50) ? "N" : "S") + two(pick(60))};
    static const char* const modes = "-/=_";
    for (const char* flag : {"Yd", "s", "a0", "g0", "j0", "Z", "Zd", "Xr", "Xm", "XM0"})
        if (chance(20))
            lines.push_back(modes[pick(4)] + std::string(flag));
    if (chance(80))  // now and then the name the picture takes by default
        lines.push_back(chance(90) ? "/os out.txt" : "/os chart.wmf");
    if (chance(15))
        lines.push_back("/Xo picture.wmf");
    if (chance(50))
        lines.push_back("/c " + std::to_string(pick(14)));
    if (chance(20))
        lines.push_back("/w " + std::to_string(1 + pick(11)));
    for (int n = pick(4); n > 0; --n) {
        std::string restriction = modes[pick(4)] + std::string("R");
        for (int k = 1 + pick(8); k > 0; --k)
            restriction += " " + std::string(kObjectNames[pick(kObjectCount)].substr(0, 3));
        lines.push_back(restriction);
    }
    if (chance(8)) {  // the year's events, now and then without a chart
        lines.push_back("/%e " + std::to_string(1 + pick(3000)));
        if (chance(40))
            lines.erase(lines.begin());
    }
    static const char* const faults[] = {"/qb 2 30 2001 12:00 ST 0 0E00 0N00",
                                         "/c 14",
                                         "/w 0",
                                         "/Xq",
                                         "/R Xyz",
                                         "/os a/b.txt",
                                         "_Zd on"};
    if (chance(12))
        lines.push_back(faults[pick(7)]);
    std::shuffle(lines.begin(), lines.end(), rng);
    const std::string eol = chance(80) ? "\r\n" : chance(50) ? "\n" : "\r";
    std::string text = "@0102  ; Astrolog chart info." + eol;
    for (const auto& line : lines)
        text += line + eol;
    return text;
}

// The corpus: the program's own command files, then random ones.
std::vector<std::string> corpus(std::size_t randomCount, unsigned seed)
{
    std::vector<std::string> texts;
    for (const char* name : {"chart_input_2001-03-14.txt", "risesetn_input_2001-03-15.txt",
                             "wheel_input_2001-03-14.txt", "aspects_input_2001-03-14.txt"})
        texts.push_back(fixture(name));
    std::mt19937 rng(seed);
    while (texts.size() < randomCount + 4)
        texts.push_back(randomCommandFile(rng));
    return texts;
}

struct Outputs {
    int exitCode = -1;
    std::string standardOutput, standardError;
    std::map<std::string, std::string> files;
    bool operator==(const Outputs&) const = default;
};

Outputs inMemory(const std::string& text)
{
    const RunOutcome outcome = runCommandText(text);
    Outputs o{outcome.exitCode, outcome.standardOutput, standardErrorText(outcome), {}};
    for (const OutputFile& f : outcome.files)
        o.files[f.name] = f.bytes;
    return o;
}

Outputs asProcess(const std::string& text, const char* engine)
{
    ScratchFolder folder;
    folder.write("input.txt", text);
    const EngineRun run = runEngine(folder, "input.txt", engine);
    Outputs o{run.exitCode, run.standardOutput, run.standardError, {}};
    for (const auto& name : folder.entries())
        if (name != "input.txt")
            o.files[name] = folder.read(name);
    return o;
}

std::size_t environmentNumber(const char* name, std::size_t otherwise)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::strtoul(value, nullptr, 10) : otherwise;
}

}  // namespace

// Every output byte, the exit code and standard error agree. VANTREL_SAME_BYTES_COUNT sets the
// number of random command files, VANTREL_SAME_BYTES_ENGINE another engine to run as the
// process (an earlier build, say).
TEST(InMemory, SameBytesAsTheEngineRunAsAProcess)
{
    const char* engine = std::getenv("VANTREL_SAME_BYTES_ENGINE");
    const auto texts = corpus(environmentNumber("VANTREL_SAME_BYTES_COUNT", 300), 20010314);
    std::size_t failed = 0, pictures = 0, mismatches = 0;
    for (const std::string& text : texts) {
        const Outputs process = asProcess(text, engine != nullptr ? engine : VANTREL_ENGINE_PATH);
        const Outputs memory = inMemory(text);
        failed += process.exitCode != 0;
        pictures += process.files.size() > 1;
        if (!(memory == process) && ++mismatches <= 3)
            ADD_FAILURE() << "differ on:\n"
                          << text << "\nprocess: " << process.exitCode << " "
                          << process.standardError << "memory:  " << memory.exitCode << " "
                          << memory.standardError;
    }
    std::printf("%zu command files, %zu failing, %zu with a picture: %zu differ\n", texts.size(),
                failed, pictures, mismatches);
    EXPECT_EQ(mismatches, 0u);
    EXPECT_GT(failed, texts.size() / 20) << "the corpus holds faults";
    EXPECT_GT(pictures, texts.size() / 20) << "and pictures";
}

TEST(InMemory, WritesNoFileAndNamesItsInputAsTold)
{
    ScratchFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const RunOutcome wheel = runCommandText(fixture("wheel_input_2001-03-14.txt"));
    const RunOutcome bad = runCommandText("@\n/qb 2 30 2001 12:00 ST 0 0E00 0N00\n",
                                          Ephemeris::kDefaultFolder, "batch line 7");
    std::filesystem::current_path(previous);
    EXPECT_TRUE(folder.entries().empty());
    ASSERT_EQ(wheel.files.size(), 2u);
    EXPECT_EQ(wheel.files[0].name, "wheel.txt");
    EXPECT_EQ(wheel.files[1].name, "chart.wmf");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.error, "batch line 7:2: /qb: day '30' does not exist in month 2 of 2001");
    EXPECT_TRUE(bad.files.empty());
}

// The program runs in the user's locale, which may write a decimal comma; the listings the
// engine gives it are those of the engine run as a process all the same.
TEST(InMemory, ListingsDoNotFollowTheCallersLocale)
{
    // Turkish is the one the test set-up generates; German is found on many machines.
    locale_t comma = newlocale(LC_ALL_MASK, "de_DE.UTF-8", nullptr);
    if (comma == nullptr)
        comma = newlocale(LC_ALL_MASK, "tr_TR.UTF-8", nullptr);
    ASSERT_NE(comma, nullptr) << "no locale with a decimal comma (scripts/setup.sh --tests)";
    const std::string text = fixture("aspects_input_2001-03-14.txt");
    const Outputs process = asProcess(text, VANTREL_ENGINE_PATH);
    const locale_t previous = uselocale(comma);
    const Outputs memory = inMemory(text);
    uselocale(previous);
    freelocale(comma);
    EXPECT_TRUE(memory == process);
}

// Near the ends of the ephemeris files what the library gives depends on the files open: a
// file also serves some days past the dates its name stands for, but only when an earlier run
// opened it. A run there gives what the engine run as a process gives all the same.
TEST(InMemory, EarlierRunsLeaveNoTraceNearTheEndsOfTheFiles)
{
    const std::string opener = "@\r\n/qb 6 1 2000 12:00 ST 0 0E00 51N30\r\n/os out.txt\r\n";
    for (const char* chart : {"/qb 12 19 2400 8:53PM ST -12 95W40 75S16",  // asteroids
                              "/qb 1 4 2400 12:00 ST 0 0E00 51N30",        // planets
                              "/qb 12 28 1799 12:00 ST 0 0E00 51N30"}) {   // the Moon
        const std::string text = "@\r\n" + std::string(chart) + "\r\n/os out.txt\r\n/XM0\r\n";
        Outputs memory;
        // a thread of its own, whose library the opening run alone has used
        std::thread([&] {
            inMemory(opener);
            memory = inMemory(text);
        }).join();
        EXPECT_TRUE(memory == asProcess(text, VANTREL_ENGINE_PATH)) << chart;
    }
}

TEST(InMemory, ThreadsGiveWhatOneThreadGives)
{
    const auto texts = corpus(120, 93);
    std::vector<Outputs> expected;
    for (const auto& text : texts)
        expected.push_back(inMemory(text));
    constexpr std::size_t kThreads = 4;
    std::vector<std::vector<Outputs>> got(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            // each thread from its own starting point, so that different charts run together
            for (std::size_t i = 0; i < texts.size(); ++i)
                got[t].push_back(inMemory(texts[(i + t * 31) % texts.size()]));
        });
    for (auto& thread : threads)
        thread.join();
    for (std::size_t t = 0; t < kThreads; ++t)
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_TRUE(got[t][i] == expected[(i + t * 31) % texts.size()])
                << "thread " << t << ":\n"
                << texts[(i + t * 31) % texts.size()];
}
