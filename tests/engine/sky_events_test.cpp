#include "engine/sky_events.h"

#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "engine/chart.h"
#include "engine/command_file.h"
#include "engine/listings.h"
#include "engine/text_format.h"

using namespace vantrel::engine;

namespace {

double julianDay(int year, int month, int day, int hour, int minute, double second)
{
    return Ephemeris::julianDay(year, month, day, hour + minute / 60.0 + second / 3600.0);
}

constexpr SkyEventKind kPhase = SkyEventKind::MoonPhase;
constexpr SkyEventKind kEntry = SkyEventKind::SunEntersSign;

}  // namespace

// Published moments, each within a minute. Meeus, Astronomical Algorithms (2nd ed.), gives
// dynamical time: example 49.a (New Moon 1977 February, from his series; the full theory
// gives 2 s earlier), example 49.b (Last Quarter 2044 January), example 27.a (June solstice
// 1962). The U.S. Naval Observatory's "Phases of the Moon" and "Earth's Seasons" for 2024
// give universal time to the minute.
TEST(SkyEvents, PublishedMomentsWithinAMinute)
{
    struct Row {
        const char* name;
        SkyEventKind kind;
        int index;
        int year, month, day, hour, minute, second;
        bool dynamicalTime;
    } rows[] = {
        {"Meeus 49.a New Moon", kPhase, 0, 1977, 2, 18, 3, 37, 42, true},
        {"Meeus 49.b Last Quarter", kPhase, 3, 2044, 1, 21, 23, 48, 17, true},
        {"Meeus 27.a June solstice", kEntry, 3, 1962, 6, 21, 21, 25, 8, true},
        {"USNO 2024 March equinox", kEntry, 0, 2024, 3, 20, 3, 6, 0, false},
        {"USNO 2024 June solstice", kEntry, 3, 2024, 6, 20, 20, 51, 0, false},
        {"USNO 2024 September equinox", kEntry, 6, 2024, 9, 22, 12, 44, 0, false},
        {"USNO 2024 December solstice", kEntry, 9, 2024, 12, 21, 9, 21, 0, false},
        {"USNO 2024 Last Quarter", kPhase, 3, 2024, 1, 4, 3, 30, 0, false},
        {"USNO 2024 First Quarter", kPhase, 1, 2024, 1, 18, 3, 53, 0, false},
        {"USNO 2024 Full Moon", kPhase, 2, 2024, 1, 25, 17, 54, 0, false},
        {"USNO 2024 New Moon (eclipse)", kPhase, 0, 2024, 4, 8, 18, 21, 0, false},
        {"USNO 2024 last New Moon", kPhase, 0, 2024, 12, 30, 22, 27, 0, false},
    };
    Ephemeris ephemeris;
    for (const Row& row : rows) {
        const double given =
            julianDay(row.year, row.month, row.day, row.hour, row.minute, row.second);
        const double expected =
            row.dynamicalTime ? Ephemeris::universalFromTerrestrial(given) : given;
        const auto events = findSkyEvents(ephemeris, expected - 2, expected + 2);
        const auto found = std::find_if(events.begin(), events.end(), [&](const SkyEvent& e) {
            return e.kind == row.kind && e.index == row.index;
        });
        ASSERT_NE(found, events.end()) << row.name;
        EXPECT_LT(std::fabs(found->jdUt - expected) * 86400.0, 60.0) << row.name;
    }
}

// Whole years, among them ones beyond the ephemeris files (the built-in theory) and the
// first and the last year served: every entry once, the signs in turn, each at its sign's
// first degree; the phases in turn, six to nine days apart; everything in time order.
TEST(SkyEvents, EachYearHoldsEveryEventOnceInTurn)
{
    Ephemeris ephemeris;
    for (const int year : {1, 1500, 1977, 2024, 2800, 3000}) {
        const double start = Ephemeris::julianDay(year, 1, 1, 0.0);
        const double end =
            year == 3000 ? endServedJdUt() : Ephemeris::julianDay(year + 1, 1, 1, 0.0);
        const auto events = findSkyEvents(ephemeris, start, end);
        const SkyEvent* lastPhase = nullptr;
        const SkyEvent* lastEntry = nullptr;
        int entries = 0;
        double previous = start;
        for (const SkyEvent& e : events) {
            EXPECT_LE(previous, e.jdUt) << year;
            previous = e.jdUt;
            const bool phase = e.kind == kPhase;
            const SkyEvent*& last = phase ? lastPhase : lastEntry;
            if (last != nullptr) {
                EXPECT_EQ(e.index, (last->index + 1) % (phase ? 4 : 12)) << year << " " << e.jdUt;
                const double gap = e.jdUt - last->jdUt;
                EXPECT_TRUE(phase ? gap > 6 && gap < 9 : gap > 29 && gap < 32.5)
                    << year << " " << gap;
            }
            if (!phase) {
                ++entries;
                EXPECT_LT(std::fabs(std::remainder(e.longitudeDeg - 30.0 * e.index, 360.0)), 1e-6);
            }
            last = &e;
        }
        EXPECT_EQ(entries, 12) << year;
        EXPECT_GE(events.size() - entries, 48u) << year;
        EXPECT_LT(previous, end) << year;
    }
    EXPECT_THROW(findSkyEvents(ephemeris, firstServedJdUt() - 1, firstServedJdUt() + 30),
                 std::out_of_range);
    EXPECT_THROW(findSkyEvents(ephemeris, endServedJdUt() - 30, endServedJdUt() + 1),
                 std::out_of_range);
    EXPECT_TRUE(findSkyEvents(ephemeris, 2460400.5, 2460400.5).empty());
}

// A sidereal entry is where the charts' sidereal zodiac (/s) turns the Sun's sign: a chart a
// minute before shows the sign before, two minutes after the sign entered. The phases come
// at the same moments in either zodiac.
TEST(SkyEvents, SiderealEntriesTurnTheSignOfSiderealCharts)
{
    Ephemeris ephemeris;
    const double start = Ephemeris::julianDay(2024, 1, 1, 0.0);
    const auto sidereal = findSkyEvents(ephemeris, start, start + 366, Zodiac::Sidereal);
    const auto tropical = findSkyEvents(ephemeris, start, start + 366, Zodiac::Tropical);
    // The sidereal Sun's sign in a chart at the listed minute of the event, moved by a zone.
    auto sunSignAt = [&](const SkyEvent& e, const char* zoneHoursWest) {
        std::string line;
        writeSkyEventListing({e}, line);
        const Request request = parseCommandFile(
            "@\n/qb " + line.substr(5, 2) + " " + line.substr(8, 2) + " " + line.substr(0, 4) +
            " " + line.substr(11, 5) + " ST " + zoneHoursWest + " 0E00 0N00\n/s\n");
        return signOf(computeChart(request, ephemeris)
                          .chart->place[static_cast<int>(Object::Sun)]
                          .longitudeDeg);
    };
    auto phaseMoments = [](const std::vector<SkyEvent>& events) {
        std::vector<double> out;
        for (const SkyEvent& e : events)
            if (e.kind == kPhase)
                out.push_back(e.jdUt);
        return out;
    };
    int entries = 0;
    for (const SkyEvent& e : sidereal) {
        if (e.kind == kEntry) {
            ++entries;
            EXPECT_EQ(sunSignAt(e, "-0:01"), (e.index + 11) % 12) << skyEventName(e);
            EXPECT_EQ(sunSignAt(e, "0:02"), e.index) << skyEventName(e);
        }
    }
    EXPECT_EQ(entries, 12);
    EXPECT_EQ(phaseMoments(sidereal), phaseMoments(tropical));
}

TEST(SkyEventListing, ColumnsRoundingAndNames)
{
    struct Row {
        const char* name;
        SkyEvent event;
        const char* expected;
    } rows[] = {
        {"entry just short of its sign",
         {kEntry, 0, julianDay(2024, 3, 20, 3, 6, 24.4), 359.999999},
         "2024-03-20 03:06:24 UT  Sun   Aries           0.0000  0Ari00"},
        {"rounded into the next year",
         {kPhase, 2, julianDay(2024, 12, 31, 23, 59, 59.6), 83.88091},
         "2025-01-01 00:00:00 UT  Moon  Full Moon      83.8809 23Gem52"},
        {"the longest name",
         {kPhase, 1, julianDay(1, 1, 3, 4, 5, 6), 27.52953},
         "0001-01-03 04:05:06 UT  Moon  First Quarter  27.5295 27Ari31"},
    };
    for (const Row& row : rows) {
        std::string out;
        writeSkyEventListing({row.event}, out);
        EXPECT_EQ(out, std::string(row.expected) + kLineEnd) << row.name;
    }
    std::string none;
    writeSkyEventListing({}, none);
    EXPECT_EQ(none, std::string("No events found.") + kLineEnd);
    EXPECT_EQ(skyEventName({kEntry, 11, 0, 0}), "Sun enters Pisces");
    EXPECT_EQ(skyEventName({kPhase, 3, 0, 0}), "Last Quarter");
}
