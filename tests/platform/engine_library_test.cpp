// The engine built into the program against the engine program, both behind the engine port, over
// the program's own command texts; and conversions with the built-in engine.

#include "platform/engine_library.h"

#include <atomic>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/batch/convert_batch.h"
#include "core/chart_engine/command_file.h"
#include "core/chart_engine/configured_engine.h"
#include "core/chart_engine/engine_program.h"
#include "core/chart_engine/engine_run.h"
#include "core/common/text_file.h"
#include "core/ports/process_runner.h"
#include "core/thelemic/calculation.h"
#include "tests/fakes/fake_places.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using testing::FakeZoneRules;
using testing::TempDir;

// Runs a program in the current directory with fork and exec, as the program's own runner does,
// keeping its standard error.
class ForkingRunner : public ProcessRunner {
public:
    ProcessOutcome run(const std::string& program, const std::vector<std::string>& arguments,
                       std::chrono::milliseconds) override
    {
        int errors[2];
        if (::pipe(errors) != 0)
            return {};
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(errors[1], 2);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(errors[1]);
        ProcessOutcome outcome;
        outcome.started = child > 0;
        char buffer[4096];
        for (ssize_t got; (got = ::read(errors[0], buffer, sizeof buffer)) > 0;)
            outcome.errorOutput.append(buffer, static_cast<std::size_t>(got));
        ::close(errors[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
        outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        return outcome;
    }
};

// The command texts a calculation writes, for moments from 1800 to 2200 at places on every
// continent, under the choices that change them; with some that the engine refuses.
std::vector<std::string> programCommandTexts(std::size_t count)
{
    const ChartPlace places[] = {{"6", "93W16", "44N59"},    {"-5:30", "77E13", "28N37"},
                                 {"-10", "151E12", "33S52"}, {"-1", "18E57", "69N39"},
                                 {"3", "58W23", "34S36"},    {"x", "0W07", "51N30"}};
    std::mt19937 random(20010314);
    const auto pick = [&random](int n) {
        return static_cast<int>(random() % static_cast<unsigned>(n));
    };
    std::vector<std::string> texts;
    LiveZone zone;
    for (std::size_t i = 0; texts.size() < count; ++i) {
        Settings settings;
        settings.houseSystem = static_cast<HouseSystem>(pick(14));
        settings.zodiac = pick(3) == 0 ? Zodiac::Sidereal : Zodiac::Tropical;
        settings.timeMode = pick(2) == 0 ? TimeMode::Standard : TimeMode::Daylight;
        settings.wheelReversed = pick(2) == 0;
        settings.wheelMonochrome = pick(2) == 0;
        zone.dateOrderSwitch = pick(2) == 0 ? "-Yd" : "";
        const LocalDateTime moment{*Date::fromCivil(1800 + pick(400), 1 + pick(12), 1 + pick(28)),
                                   *TimeOfDay::fromClock(pick(24), pick(60))};
        const ChartPlace& place = places[pick(std::size(places)) % (i % 10 == 0 ? 6 : 5)];
        const std::vector<std::string> lines[] = {
            chartInputLines(place, moment, settings, zone),
            trimmedChartInputLines(place, moment, settings, zone),
            wheelInputLines(place, moment, settings, zone),
            aspectsInputLines(place, moment, settings, zone),
            riseSetInputLines(place, "riseset.txt", moment, settings, zone),
            trimmedRiseSetInputLines(place, "risesetn.txt", moment, settings, zone)};
        texts.push_back(commandText(lines[i % std::size(lines)]));
    }
    return texts;
}

TEST(EngineLibrary, GivesWhatTheEngineProgramGivesForTheProgramsCommandTexts)
{
    TempDir folder;
    Settings settings;
    ForkingRunner runner;
    EngineProgram program(runner, settings, folder.path(), VANTREL_ENGINE_PATH);
    platform::EngineLibrary library;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    std::size_t failed = 0, pictures = 0;
    for (const std::string& text : programCommandTexts(240)) {
        const EngineRun byProcess = program.run(text);
        const EngineRun inMemory = library.run(text);
        failed += byProcess.failure.has_value();
        pictures += byProcess.output("chart.wmf") != nullptr;
        ASSERT_EQ(inMemory.failure.has_value(), byProcess.failure.has_value()) << text;
        if (byProcess.failure) {
            EXPECT_EQ(inMemory.failure->message(), byProcess.failure->message()) << text;
            EXPECT_EQ(inMemory.failure->plainMessage, byProcess.failure->plainMessage);
        }
        ASSERT_EQ(inMemory.outputs.size(), byProcess.outputs.size()) << text;
        for (std::size_t i = 0; i < inMemory.outputs.size(); ++i) {
            EXPECT_EQ(inMemory.outputs[i].name, byProcess.outputs[i].name);
            EXPECT_TRUE(inMemory.outputs[i].bytes == byProcess.outputs[i].bytes)
                << inMemory.outputs[i].name << " differs for\n"
                << text;
        }
    }
    std::filesystem::current_path(previous);
    EXPECT_GT(failed, 4u) << "the corpus holds texts the engine refuses";
    EXPECT_GT(pictures, 20u) << "and pictures";
}

// A conversion with the built-in engine, as the command line runs one.
struct BuiltInConversion : ::testing::Test {
    TempDir dir;
    std::filesystem::path previous = std::filesystem::current_path();
    Settings settings;
    RegionalSettings regional = usEnglishRegionalSettings();
    FakeZoneRules rules;
    LiveZone zone{&rules, ""};
    testing::FakeProcessRunner runner{"."};
    EngineProgram program{runner, settings};
    platform::EngineLibrary library;
    ConfiguredEngine engine{&library, program, settings};
    NullMainView view;
    testing::FakeClipboard clipboard;
    testing::FakeMessages messages;
    Calculator calculator{{settings, regional, zone, engine, view, clipboard, messages}};
    testing::FakeClock clock{testing::localDateTime(2026, 6, 1)};
    testing::FakePlaceLookup places;
    BatchObserver observer;

    BuiltInConversion() { std::filesystem::current_path(dir.path()); }
    ~BuiltInConversion() override { std::filesystem::current_path(previous); }

    // The values after the seven input fields of each output line.
    std::vector<std::string> converted(const std::string& input)
    {
        testing::writeWholeFile("dates.txt", input);
        EXPECT_EQ(convertBatch({calculator, clock, observer, &places}, "dates.txt", "out.txt"),
                  BatchResult::Converted);
        std::vector<std::string> pieces;
        for (const std::string& line : splitLines(testing::readWholeFile("out.txt"))) {
            std::size_t at = 0;
            for (int comma = 0; comma < 7; ++comma)
                at = line.find(',', at) + 1;
            pieces.push_back(line.substr(at));
        }
        return pieces;
    }
};

TEST_F(BuiltInConversion, UnderThePlacesZoneEachLineIsReadAtItsOwnPlace)
{
    // 15 January 2024, 12:00 universal time, on the clocks of Minneapolis, Dublin and Dublin in
    // California (no daylight saving in January), and far out in the Atlantic, where no place
    // is near and the line's own zone counts as standard time. The zone fields of the first
    // three are wrong on purpose: the places' zones count.
    rules.zones = {{"", {360, 0}},
                   {"America/Chicago", {360, 0}},
                   {"Europe/Dublin", {0, 0}},
                   {"America/Los_Angeles", {480, 0}},
                   {"Asia/Tokyo", {-540, 0}}};
    settings.timeMode = TimeMode::PlaceZone;
    settings.zoneName = "Asia/Tokyo";  // the settings' own place does not count
    const std::vector<std::string> pieces = converted("a,b,1/15/2024,6:00,0,93W16,44N59\r\n"
                                                      "a,b,1/15/2024,12:00,9,6W15,53N20\r\n"
                                                      "a,b,1/15/2024,4:00,0,121W56,37N42\r\n"
                                                      "a,b,1/15/2024,10:00,2,30W00,0N00\r\n");
    ASSERT_EQ(pieces.size(), 4u);
    for (const std::string& line : pieces)
        EXPECT_EQ(line, pieces[0]);
    EXPECT_NE(pieces[0].find(" Capricorn,"), std::string::npos) << pieces[0];
    EXPECT_EQ(settings.zoneName, "Asia/Tokyo");
    EXPECT_TRUE(runner.runs.empty()) << "no engine program ran";
}

TEST_F(BuiltInConversion, OnlyTheDaysStartIsAskedAndEachDayOnce)
{
    // Sunrise in Minneapolis on Saturday 3 June 2000: 5:26 daylight time, 4:26 standard time
    // (the Naval Observatory's table); before it, Friday's day goes on.
    struct Counting : ChartEngine {
        ChartEngine& inner;
        std::atomic<int> runs = 0;
        explicit Counting(ChartEngine& engine) : inner(engine) {}
        EngineRun run(std::string_view text) override
        {
            ++runs;
            return inner.run(text);
        }
        bool takesTrimmedCommands() const override { return true; }
        bool runsConcurrently() const override { return true; }
    } counting{library};
    Calculator counted{{settings, regional, zone, counting, view, clipboard, messages}};
    settings.dayStart = DayStart::Sunrise;
    std::string input;
    for (const char* time : {"2:30", "3:30", "5:30", "6:30", "7:30"})
        input += "a,b,6/3/2000," + std::string(time) + ",6,93W16,44N59\r\n";
    testing::writeWholeFile("dates.txt", input);
    convertBatch({counted, clock, observer}, "dates.txt", "out.txt");
    const auto lines = splitLines(testing::readWholeFile("out.txt"));
    ASSERT_EQ(lines.size(), 5u);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].ends_with(i < 2 ? ",Veneris," : ",Saturnii,")) << lines[i];
    EXPECT_EQ(counting.runs, 5 + 1) << "five charts, and the day's rising and setting once";
}

}  // namespace
}  // namespace vantrel::core
