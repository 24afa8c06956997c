// Time of the search for a whole year's phases and entries of the Sun, in process: the median
// of many runs, for years within the ephemeris files and beyond them (the built-in theory),
// tropical and sidereal. Prints figures; never fails.
//
// usage: vantrel_sky_events_bench [RUNS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/sky_events.h"

using namespace vantrel::engine;

namespace {

double medianMillis(Ephemeris& ephemeris, int year, Zodiac zodiac, int runs, std::size_t& count)
{
    const double start = Ephemeris::julianDay(year, 1, 1, 0.0);
    const double end = std::min(Ephemeris::julianDay(year + 1, 1, 1, 0.0), endServedJdUt());
    std::vector<double> millis;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        count = findSkyEvents(ephemeris, start, end, zodiac).size();
        const auto t1 = std::chrono::steady_clock::now();
        millis.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(millis.begin(), millis.end());
    return millis[millis.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    struct Case {
        const char* name;
        const char* folder;
        int year;
        Zodiac zodiac;
    } cases[] = {
        {"files, tropical", Ephemeris::kDefaultFolder, 2024, Zodiac::Tropical},
        {"files, sidereal", Ephemeris::kDefaultFolder, 2024, Zodiac::Sidereal},
        {"built-in theory", "/nonexistent", 2024, Zodiac::Tropical},
        {"built-in theory", "/nonexistent", 1500, Zodiac::Tropical},
        {"beyond the files", Ephemeris::kDefaultFolder, 1500, Zodiac::Tropical},
        {"beyond the files", Ephemeris::kDefaultFolder, 2800, Zodiac::Tropical},
    };
    std::printf("%-18s %5s %7s %12s\n", "ephemeris", "year", "events", "ms per year");
    for (const Case& c : cases) {
        std::size_t count = 0;
        Ephemeris ephemeris(c.folder);
        const double ms = medianMillis(ephemeris, c.year, c.zodiac, runs, count);
        std::printf("%-18s %5d %7zu %12.2f\n", c.name, c.year, count, ms);
    }
    return 0;
}
