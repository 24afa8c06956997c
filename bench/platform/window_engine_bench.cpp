// The engine's share of a calculation in the window, with the engine built into the program: the
// full command texts, the listings also written as files into a working folder as the window has
// them. Times the engine's runs (with and without writing their files) and the whole calculation,
// for the day beginning at midnight and at sunrise: a new day for each calculation, and the live
// mode's once a minute through one day, whose rise and set listings stay the same. Prints
// figures; never fails on them.
//
// usage: bench_platform_window_engine [CALCULATIONS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "core/chart_engine/configured_engine.h"
#include "core/chart_engine/live_zone.h"
#include "core/common/regional_settings.h"
#include "core/ports/clipboard.h"
#include "core/ports/main_view.h"
#include "core/ports/messages.h"
#include "core/settings/settings.h"
#include "core/thelemic/calculation.h"
#include "platform/engine_library.h"

namespace {

using namespace vantrel::core;
using Clock = std::chrono::steady_clock;

// Adds up the time spent in another engine's runs.
class TimedEngine : public ChartEngine {
public:
    explicit TimedEngine(ChartEngine& inner) : m_inner(inner) {}
    Clock::duration spent{};
    long runs = 0;
    EngineRun run(std::string_view text) override
    {
        const auto start = Clock::now();
        EngineRun run = m_inner.run(text);
        spent += Clock::now() - start;
        ++runs;
        return run;
    }
    void discardOutputs() override { m_inner.discardOutputs(); }

private:
    ChartEngine& m_inner;
};

class CountedMessages : public Messages {
public:
    int count = 0;
    void showError(const std::string&) override { ++count; }
    void showMessage(const std::string&) override { ++count; }
};

double msEach(Clock::duration total, int count)
{
    return std::chrono::duration<double, std::milli>(total).count() / count;
}

// The moment of the i-th calculation: a new day each time, or the next minute of one day.
LocalDateTime momentOf(int i, bool oneDay)
{
    const Date first = *Date::fromCivil(1990, 1, 1);
    if (oneDay)
        return {first, *TimeOfDay::fromClock(i / 60 % 24, i % 60, 0)};
    return {first.plusDays(i * 37 % 20000), *TimeOfDay::fromClock(i % 24, i * 7 % 60, 0)};
}

void measure(const char* name, DayStart dayStart, bool oneDay, int calculations)
{
    const auto folder = std::filesystem::temp_directory_path() /
                        ("vantrel-window-engine-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    Settings settings;
    settings.dayStart = dayStart;
    const RegionalSettings regional = usEnglishRegionalSettings();
    const LiveZone zone;
    NullMainView view;
    NullClipboard clipboard;
    CountedMessages messages;
    vantrel::platform::EngineLibrary library;
    TimedEngine timedLibrary(library);
    ConfiguredEngine configured(&timedLibrary, library, settings, folder);
    TimedEngine engine(configured);
    Calculator calculator({settings, regional, zone, engine, view, clipboard, messages});

    calculator.calculate(momentOf(0, oneDay));  // ephemeris files opened
    engine.spent = timedLibrary.spent = {};
    engine.runs = 0;
    const auto start = Clock::now();
    for (int i = 0; i < calculations; ++i)
        calculator.calculate(momentOf(i, oneDay));
    const auto total = Clock::now() - start;
    std::printf("%-36s %d calculations, %.1f engine runs each: engine %.3f ms (computing %.3f, "
                "files %.3f), whole calculation %.3f ms; target engine < 1 ms; messages %d\n",
                name, calculations, static_cast<double>(engine.runs) / calculations,
                msEach(engine.spent, calculations), msEach(timedLibrary.spent, calculations),
                msEach(engine.spent - timedLibrary.spent, calculations),
                msEach(total, calculations), messages.count);
    std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv)
{
    const int calculations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    measure("day begins at midnight, new days", DayStart::Midnight, false, calculations);
    measure("day begins at sunrise, new days", DayStart::Sunrise, false, calculations);
    measure("day begins at midnight, live minutes", DayStart::Midnight, true, calculations);
    measure("day begins at sunrise, live minutes", DayStart::Sunrise, true, calculations);
    return 0;
}
