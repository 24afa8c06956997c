// The engine in the program's own process against the ephemeris floor, for what a batch line
// asks: (a) the chart of the Sun and the Moon; (b) that and the Sun's rise and set on the
// line's day and the next. The floor asks the Swiss Ephemeris for the same in one thread. Each
// figure is the best of several rounds, the kinds interleaved so that a busy moment of the
// machine falls on each alike. Prints figures; never fails on them.
//
// usage: inprocess_bench MOMENTS [ROUNDS [HOUSES]]
//   MOMENTS: the plain file of bench/batch/make_batch_input.py N MOMENTS
//   HOUSES: the charts' house system as /c numbers it (0 Placidus, the first-run setting;
//   13 None, which a chart of the Sun and the Moon computes without the ephemeris's houses)

#include <algorithm>
#include <atomic>
#include <barrier>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <time.h>

#include "bench/engine/ephemeris_floor.h"
#include "engine/ephemeris.h"
#include "engine/run.h"

namespace {

using vantrel::engine::runCommandText;

struct Line {
    floor_moment moment{};
    std::string chart;                 // the chart of the Sun and the Moon
    std::string riseSet, nextRiseSet;  // the Sun's rise and set, the line's day and the next
};

const char* const kHead = "@0102  ; Astrolog chart info.\r\n";
const char* const kAllButSunAndMoon =
    "/R Mer Ven Mar Jup Sat Ura Nep Plu Chi Cer Pal Jun Ves Nod Lil For Ver Eas\r\n";

std::string chartData(const floor_moment& m, int dayOffset, const std::string& place)
{
    using namespace std::chrono;
    const year_month_day date{sys_days{year{m.year} / m.month / m.day} + days{dayOffset}};
    char text[96];
    std::snprintf(text, sizeof text, "/qb %u %u %d %d:%02d%s ST %s\r\n",
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(date.year()), m.hour % 12 == 0 ? 12 : m.hour % 12, m.minute,
                  m.hour < 12 ? "AM" : "PM", place.c_str());
    return text;
}

std::vector<Line> readLines(const char* path, int houses)
{
    std::ifstream in(path);
    std::vector<Line> lines;
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream fields(text);
        Line l;
        floor_moment& m = l.moment;
        std::string zone, lon, lat;
        if (!(fields >> m.year >> m.month >> m.day >> m.hour >> m.minute >> m.zone_minutes_west >>
              m.longitude_east >> m.latitude_north >> zone >> lon >> lat))
            break;
        const std::string place = zone + " " + lon + " " + lat;
        l.chart = kHead + chartData(m, 0, place) + "/os chart.txt\r\n/c " + std::to_string(houses) +
                  "\r\n" + kAllButSunAndMoon;
        const std::string riseTail =
            "/os riseset.txt\r\n/R Moo\r\n" + std::string(kAllButSunAndMoon) + "/Zd\r\n";
        l.riseSet = kHead + chartData(m, 0, place) + riseTail;
        l.nextRiseSet = kHead + chartData(m, 1, place) + riseTail;
        lines.push_back(std::move(l));
    }
    return lines;
}

struct Timing {
    double wall = 1e300;       // seconds
    double processor = 1e300;  // seconds, the threads' together
    void keepBest(const Timing& t)
    {
        wall = std::min(wall, t.wall);
        processor = std::min(processor, t.processor);
    }
};

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// Runs work(first, step) on each of threads threads (the slices interleave the lines) after
// prepare() on each; times the work alone.
Timing timed(int threads, const std::function<void()>& prepare,
             const std::function<void(std::size_t, std::size_t)>& work)
{
    std::vector<double> processor(static_cast<std::size_t>(threads));
    std::barrier ready(threads + 1);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            prepare();
            ready.arrive_and_wait();
            const double start = threadSeconds();
            work(static_cast<std::size_t>(t), static_cast<std::size_t>(threads));
            processor[static_cast<std::size_t>(t)] = threadSeconds() - start;
        });
    ready.arrive_and_wait();
    const auto start = std::chrono::steady_clock::now();
    for (auto& t : pool)
        t.join();
    Timing timing;
    timing.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    timing.processor = 0;
    for (double p : processor)
        timing.processor += p;
    return timing;
}

std::atomic<bool> g_failed = false;

// Runs each line's texts; a run that fails or lists other bodies than asked stops the figures.
void runEngine(const std::vector<Line>& lines, bool riseSet, std::size_t first, std::size_t step)
{
    const auto run = [](const std::string& text, const char* shown, const char* notShown) {
        const auto outcome = runCommandText(text);
        const std::string& listing = outcome.files.empty() ? outcome.error : outcome.files[0].bytes;
        if (outcome.exitCode != 0 || outcome.files.size() != 1 ||
            listing.find(shown) == std::string::npos ||
            listing.find(notShown) != std::string::npos) {
            std::fprintf(stderr, "engine run failed: %s\n%s", outcome.error.c_str(), text.c_str());
            g_failed = true;
        }
    };
    for (std::size_t i = first; i < lines.size(); i += step) {
        run(lines[i].chart, "\r\nMoon: ", "\r\nMerc: ");
        if (riseSet) {
            run(lines[i].riseSet, "     Sun (", "    Moon (");
            run(lines[i].nextRiseSet, "     Sun (", "    Moon (");
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s MOMENTS [ROUNDS [HOUSES]]\n", argv[0]);
        return 1;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int houses = argc > 3 ? std::atoi(argv[3]) : 0;
    const std::vector<Line> lines = readLines(argv[1], houses);
    if (lines.empty()) {
        std::fprintf(stderr, "%s: no moments\n", argv[1]);
        return 1;
    }
    std::vector<floor_moment> moments;
    for (const Line& l : lines)
        moments.push_back(l.moment);

    const char* const names[] = {"midnight (the Sun and the Moon)",
                                 "sunrise (and the Sun's rise and set)"};
    Timing best[2][3];  // setting; the floor, the engine on one thread, on two
    bool floorFailed = false;
    for (int round = 0; round < rounds; ++round) {
        for (int setting = 0; setting < 2; ++setting) {
            // Each thread opens the ephemeris anew, as a worker does once, and reads its files
            // in before the clock starts.
            best[setting][0].keepBest(timed(
                1,
                [&] {
                    floor_open(vantrel::engine::Ephemeris::kDefaultFolder);
                    floor_run(moments.data(), moments.size(), setting);
                },
                [&](std::size_t, std::size_t) {
                    floorFailed =
                        floorFailed || floor_run(moments.data(), moments.size(), setting) < 0;
                }));
            for (int threads : {1, 2})
                best[setting][threads].keepBest(timed(
                    threads, [&] { runCommandText(lines.front().chart); },
                    [&](std::size_t first, std::size_t step) {
                        runEngine(lines, setting == 1, first, step);
                    }));
        }
    }
    if (floorFailed || g_failed) {
        std::fprintf(stderr, "the ephemeris floor or the engine failed\n");
        return 1;
    }
    const double n = static_cast<double>(lines.size());
    std::printf("%zu lines, house system %d, best of %d rounds\n", lines.size(), houses, rounds);
    std::printf("%-40s %10s %10s %10s\n", "", "floor", "engine", "engine");
    std::printf("%-40s %10s %10s %10s\n", "day begins at", "1 thread", "1 thread", "2 threads");
    for (int setting = 0; setting < 2; ++setting) {
        const Timing* t = best[setting];
        std::printf("%s\n", names[setting]);
        std::printf("%-40s %10.0f %10.0f %10.0f\n", "  lines per second", n / t[0].wall,
                    n / t[1].wall, n / t[2].wall);
        std::printf("%-40s %10s %10.2f %10.2f\n", "  ratio to the floor", "", t[0].wall / t[1].wall,
                    t[0].wall / t[2].wall);
        std::printf("%-40s %10.1f %10.1f %10.1f\n", "  processor microseconds per line",
                    1e6 * t[0].processor / n, 1e6 * t[1].processor / n, 1e6 * t[2].processor / n);
        std::printf("%-40s %10s %10.2f %10.2f\n", "  per-line processor time, engine / floor", "",
                    t[1].processor / t[0].processor, t[2].processor / t[0].processor);
    }
    return 0;
}
