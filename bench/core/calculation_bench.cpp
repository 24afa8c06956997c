// Time of one calculation's own work (command files, listing reading, composition, file
// deletion), with an engine stand-in that writes canned listings. The stand-in's own time is
// measured and taken out. Prints figures; never fails. The work folder lies in TMPDIR (or
// /tmp): on a RAM disk the figure is the program's own work, on a disk it includes the file
// system's cost of creating and removing the listings.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <unistd.h>

#include "core/chart_engine/engine_program.h"
#include "core/ports/clipboard.h"
#include "core/ports/main_view.h"
#include "core/ports/messages.h"
#include "core/ports/process_runner.h"
#include "core/thelemic/calculation.h"

namespace {

using namespace vantrel::core;
using Clock = std::chrono::steady_clock;

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes the listing the command file asks for, as the engine would.
class CannedEngine : public ProcessRunner {
public:
    CannedEngine(std::filesystem::path workDir, std::map<std::string, std::string> listings)
        : m_workDir(std::move(workDir)), m_listings(std::move(listings))
    {
    }
    Clock::duration spent{};
    long runs = 0;

    ProcessOutcome run(const std::string&, const std::vector<std::string>&,
                       std::chrono::milliseconds) override
    {
        const auto start = Clock::now();
        const std::string command = fileText(m_workDir / "input.txt");
        const auto at = command.find("/os ");
        const auto end = command.find('\r', at);
        const std::string name = command.substr(at + 4, end - at - 4);
        if (const auto found = m_listings.find(name); found != m_listings.end()) {
            std::ofstream out(m_workDir / name, std::ios::binary);
            out << found->second;
        }
        ++runs;
        spent += Clock::now() - start;
        ProcessOutcome outcome;
        outcome.started = true;
        return outcome;
    }

private:
    std::filesystem::path m_workDir;
    std::map<std::string, std::string> m_listings;
};

class QuietMessages : public Messages {
public:
    int count = 0;
    void showError(const std::string&) override { ++count; }
    void showMessage(const std::string&) override { ++count; }
};

void measure(const char* name, const std::filesystem::path& dataDir, DayStart dayBegins, int rounds)
{
    const auto workDir =
        std::filesystem::temp_directory_path() / ("vantrel-bench-" + std::to_string(::getpid()) +
                                                  "-" + std::to_string(choiceIndex(dayBegins)));
    std::filesystem::create_directories(workDir);
    CannedEngine engine(workDir, {{"chart.txt", fileText(dataDir / "chart_2000-06-03.txt")},
                                  {"riseset.txt", fileText(dataDir / "riseset_2000-06-03.txt")},
                                  {"risesetn.txt", fileText(dataDir / "risesetn_2000-06-04.txt")}});
    Settings settings;
    settings.dayStart = dayBegins;
    const RegionalSettings regional = usEnglishRegionalSettings();
    const LiveZone zone;
    NullMainView view;
    NullClipboard clipboard;
    QuietMessages messages;
    EngineProgram program(engine, settings, workDir);
    Calculator calculator({settings, regional, zone, program, view, clipboard, messages});

    const Date date = *Date::fromCivil(2000, 6, 3);
    const auto start = Clock::now();
    for (int round = 0; round < rounds; ++round)
        calculator.calculate({date, *TimeOfDay::fromClock(20, 3 + round % 50, 15)});
    const auto total = Clock::now() - start;
    const double ownMs = std::chrono::duration<double, std::milli>(total - engine.spent).count();
    const double engineMs = std::chrono::duration<double, std::milli>(engine.spent).count();
    std::printf("%-28s %6d calculations, %ld engine runs: %.4f ms each (engine stand-in %.4f ms "
                "each, excluded); target <= 0.5 ms; messages %d\n",
                name, rounds, engine.runs, ownMs / rounds, engineMs / rounds, messages.count);
    std::printf("  last display: %s\n",
                view.displayLines().empty() ? "" : view.displayLines()[0].c_str());
    std::filesystem::remove_all(workDir);
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::filesystem::path dataDir = VANTREL_BENCH_DATA_DIR;
    measure("day begins 12:00", dataDir, DayStart::Midnight, rounds);
    measure("day begins Sun Set", dataDir, DayStart::Sunset, rounds);
    return 0;
}
