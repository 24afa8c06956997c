#include "engine/rise_set.h"

#include <cmath>
#include <set>

#include <gtest/gtest.h>

#include "engine/chart.h"
#include "engine/listings.h"
#include "engine/text_format.h"
#include "tests/engine/engine_test_support.h"

using namespace vantrel::engine;
using namespace vantrel::engine::testing;

namespace {

Chart chartFor(const std::string& qbFields, Ephemeris& ephemeris)
{
    return computeChart(parseCommandFile("@\n/qb " + qbFields + "\n"), ephemeris).chart.value();
}

std::vector<std::string> riseSetLines(const std::string& qbFields, Ephemeris& ephemeris)
{
    const Chart chart = chartFor(qbFields, ephemeris);
    std::string out;
    writeRiseSetListing(chart, ephemeris, false, out);
    return lines(out);
}

int count(const std::vector<HorizonEvent>& events, Object body, HorizonEventKind kind)
{
    return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const HorizonEvent& e) {
        return e.body == body && e.kind == kind;
    }));
}

constexpr double kJan1st2000 = 2451544.5;  // 2000 January 1, 0h UT

}  // namespace

// Each listed line is an event of the chart's local day, and every event of that day is
// listed: checked against the events of a three-day search, converted to local minutes.
TEST(RiseSetListing, CoversExactlyTheLocalDayInEveryKindOfZone)
{
    Ephemeris ephemeris;
    struct Row {
        const char* zone;
        int minutesWest;
        const char* place;
        double lonEast, lat;
    } rows[] = {
        {"0", 0, "0W10 51N30", -0.1667, 51.5},
        {"-5:30", -330, "77E13 28N37", 77.2167, 28.6167},
        {"-5:45", -345, "85E19 27N43", 85.3167, 27.7167},
        {"3:30", 210, "52W43 47N34", -52.7167, 47.5667},
        {"-9:30", -570, "138E36 34S56", 138.6, -34.9333},
        {"-12", -720, "174E46 41S17", 174.7667, -41.2833},
    };
    for (const Row& row : rows) {
        const auto listed = riseSetLines(
            std::string("2 29 2000 15:00 ST ") + row.zone + " " + row.place, ephemeris);
        const double localMidnightUt =
            Ephemeris::julianDay(2000, 2, 29, 0) + row.minutesWest / 1440.0;
        std::multiset<std::string> expected;
        for (double start : {localMidnightUt - 1, localMidnightUt, localMidnightUt + 1}) {
            for (const HorizonEvent& e :
                 findHorizonEvents(ephemeris, start, row.lat, row.lonEast)) {
                const double minutes = std::floor((e.jdUt - localMidnightUt) * 1440.0);
                if (minutes < 0 || minutes >= 1440)
                    continue;
                const int m = static_cast<int>(minutes);
                expected.insert(twelveHourTime(m / 60, m % 60) + std::string(objectName(e.body)));
            }
        }
        std::multiset<std::string> got;
        for (const auto& line : listed) {
            ASSERT_EQ(line.substr(0, 17), "(Tue)  2/29/2000 ") << row.zone;
            std::string name = line.substr(25, 7);
            name.erase(0, name.find_first_not_of(' '));
            got.insert(line.substr(17, 7) + name);
        }
        EXPECT_EQ(got, expected) << "zone " << row.zone;
        EXPECT_GE(listed.size(), 36u) << "zone " << row.zone << ": about four events per body";
    }
}

TEST(RiseSetListing, EventsAreInTimeOrderAndObjectOrderWithinAMinute)
{
    Ephemeris ephemeris;
    const auto listed = riseSetLines("6 3 2000 12:00 ST 6 93W21 45N05", ephemeris);
    std::string previousKey;
    for (const auto& line : listed) {
        const int hour = std::stoi(line.substr(17, 2)) % 12 + (line.substr(22, 2) == "pm" ? 12 : 0);
        std::string name = line.substr(25, 7);
        name.erase(0, name.find_first_not_of(' '));
        int object = 0;
        while (objectName(static_cast<Object>(object)) != name)
            ++object;
        const std::string key = format("%02d%s%02d", hour, line.substr(20, 2).c_str(), object);
        EXPECT_LE(previousKey, key) << line;
        previousKey = key;
    }
}

TEST(RiseSetListing, PolarDayAndPolarNightHaveNoSunRiseOrSet)
{
    Ephemeris ephemeris;
    for (const char* date : {"6 21 2000", "12 21 2000"}) {
        const auto listed = riseSetLines(std::string(date) + " 12:00 ST -1 18E57 69N39", ephemeris);
        int sunEvents = 0;
        for (const auto& line : listed) {
            if (line.substr(25, 7) != "    Sun")
                continue;
            ++sunEvents;
            EXPECT_TRUE(line.substr(39, 7) == "zeniths" || line.substr(39, 7) == "nadirs ") << line;
        }
        EXPECT_EQ(sunEvents, 2) << date << ": the Sun still crosses the meridian twice";
    }
}

TEST(RiseSetSearch, SunHasOneOfEachEventEveryDayAtMiddleLatitudes)
{
    Ephemeris ephemeris;
    for (int day = 0; day < 366; day += 3) {
        const auto events =
            findHorizonEvents(ephemeris, kJan1st2000 + day + 8.0 / 24, 45.0833, -93.35);
        for (auto kind : {HorizonEventKind::Rises, HorizonEventKind::Zeniths,
                          HorizonEventKind::Sets, HorizonEventKind::Nadirs})
            EXPECT_EQ(count(events, Object::Sun, kind), 1)
                << "day " << day << " kind " << static_cast<int>(kind);
    }
}

// Over a month of consecutive days the Moon, whose day is about 24h50m long, skips one
// rising and one lower transit; no day has two. Rising and setting alternate throughout.
TEST(RiseSetSearch, MoonSkipsADayAndAlternatesAtMiddleLatitudes)
{
    Ephemeris ephemeris;
    int daysWithoutRise = 0, daysWithoutNadir = 0;
    std::vector<HorizonEventKind> sequence;
    for (int day = 0; day < 30; ++day) {
        const auto events = findHorizonEvents(ephemeris, kJan1st2000 + day + 0.25, 45.0833, -93.35);
        const int rises = count(events, Object::Moon, HorizonEventKind::Rises);
        const int nadirs = count(events, Object::Moon, HorizonEventKind::Nadirs);
        EXPECT_LE(rises, 1) << day;
        EXPECT_LE(nadirs, 1) << day;
        daysWithoutRise += rises == 0 ? 1 : 0;
        daysWithoutNadir += nadirs == 0 ? 1 : 0;
        for (const auto& e : events)
            if (e.body == Object::Moon &&
                (e.kind == HorizonEventKind::Rises || e.kind == HorizonEventKind::Sets))
                sequence.push_back(e.kind);
    }
    EXPECT_EQ(daysWithoutRise, 1);
    EXPECT_EQ(daysWithoutNadir, 1);
    for (std::size_t i = 1; i < sequence.size(); ++i)
        EXPECT_NE(sequence[i], sequence[i - 1]) << "event " << i;
}

// Far north the Moon's declination changes fast enough that it may rise twice in one day
// (at 75 degrees north that happens on a few days of 2000); the search must find both and
// keep rising and setting alternating.
TEST(RiseSetSearch, MoonMayRiseTwiceInADayFarNorth)
{
    Ephemeris ephemeris;
    int daysWithTwoRises = 0;
    std::vector<HorizonEventKind> sequence;
    for (int day = 0; day < 366; ++day) {
        const auto events = findHorizonEvents(ephemeris, kJan1st2000 + day, 75.0, 25.0);
        daysWithTwoRises += count(events, Object::Moon, HorizonEventKind::Rises) == 2 ? 1 : 0;
        for (const auto& e : events)
            if (e.body == Object::Moon &&
                (e.kind == HorizonEventKind::Rises || e.kind == HorizonEventKind::Sets))
                sequence.push_back(e.kind);
    }
    EXPECT_GT(daysWithTwoRises, 0);
    for (std::size_t i = 1; i < sequence.size(); ++i)
        ASSERT_NE(sequence[i], sequence[i - 1]) << "event " << i;
}

// At the pole the Moon's altitude follows its declination: it rises and sets about every
// 13.7 days, slowly, whatever the hour angle; no crossing may be passed over.
TEST(RiseSetSearch, MoonRisesAndSetsTwiceAMonthAtThePole)
{
    Ephemeris ephemeris;
    std::vector<HorizonEvent> crossings;
    for (int day = 0; day < 60; ++day)
        for (const auto& e : findHorizonEvents(ephemeris, kJan1st2000 + day, 89.9, 0.0))
            if (e.body == Object::Moon &&
                (e.kind == HorizonEventKind::Rises || e.kind == HorizonEventKind::Sets))
                crossings.push_back(e);
    ASSERT_GE(crossings.size(), 4u);
    for (std::size_t i = 1; i < crossings.size(); ++i) {
        EXPECT_NE(crossings[i].kind, crossings[i - 1].kind) << "crossing " << i;
        EXPECT_NEAR(crossings[i].jdUt - crossings[i - 1].jdUt, 13.7, 1.5) << "crossing " << i;
    }
}

TEST(RiseSetListing, ADayWithoutLowerTransitHasNoNadirLine)
{
    Ephemeris ephemeris;
    bool found = false;
    for (int day = 1; day <= 31 && !found; ++day) {
        const std::string qb = "1 " + std::to_string(day) + " 2000 12:00 ST 6 93W21 45N05";
        const Chart chart = chartFor(qb, ephemeris);
        const auto events = findHorizonEvents(ephemeris, chart.jdLocalMidnightUt, 45.0833, -93.35);
        if (count(events, Object::Moon, HorizonEventKind::Nadirs) != 0)
            continue;
        found = true;
        for (const auto& line : riseSetLines(qb, ephemeris))
            EXPECT_FALSE(line.substr(25, 7) == "   Moon" && line.substr(39, 6) == "nadirs") << line;
    }
    EXPECT_TRUE(found) << "January 2000 has a day without the Moon's lower transit";
}

// Risings and settings are those seen from the place, not from the centre of the Earth. Where
// a body climbs slowly (far from the equator) the parallax shifts the moment by a minute: for
// Mars near opposition its 17", for the Moon the difference between the spheroid and a
// sphere. The expected minutes come from PyEphem 4.1.4, an independent ephemeris (VSOP87,
// ELP), with pressure 0, horizon -0:34 and the upper limb of the Moon:
//   Norilsk 87E01 68N18, 16 June 2095, UT+8: Mars rises 00:03.71 local (geocentric 00:02);
//   Vostok 106E21 77S30, 23 June 1938, UT+7: Moon rises 06:13.74 (before: 06:14);
//   Alert 63W15 83N41, 21 June 2041, UT-4: Moon sets 12:57.22 (before: 12:56).
TEST(RiseSetListing, HorizonEventsAreThoseSeenFromThePlace)
{
    Ephemeris ephemeris;
    struct Row {
        const char* qb;
        const char* body;
        const char* kind;
        const char* time;
    } rows[] = {
        {"6 16 2095 11:45AM DT -7 87E01 68N18", "   Mars", "rises", "12:03am"},
        {"6 16 2095 11:45AM DT -7 87E01 68N18", "  Venus", "rises", " 6:01am"},
        {"6 23 1938 11:21AM DT -6 106E21 77S30", "   Moon", "rises", " 6:13am"},
        {"6 21 2041 4:34AM DT 5 63W15 83N41", "   Moon", "sets ", "12:57pm"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> times;
        for (const auto& line : riseSetLines(row.qb, ephemeris))
            if (line.substr(25, 7) == row.body && line.substr(39, 5) == row.kind)
                times.push_back(line.substr(17, 7));
        ASSERT_FALSE(times.empty()) << row.qb << row.body << " " << row.kind;
        EXPECT_EQ(times.front(), row.time) << row.qb << row.body << " " << row.kind;
    }
}

// At the end of the polar night the Sun may show for a few minutes only, between two of the
// search's samples; the rising and the setting must still be found. Reference: PyEphem 4.1.4
// (pressure 0, horizon -0:34, upper limb), 17 January 2080 at 1E15 70N08, zone 0: the Sun
// rises at 12:00:43 and sets at 12:09:56, its upper limb 13" above the horizon at noon.
TEST(RiseSetListing, FindsASunThatShowsForOnlyMinutes)
{
    Ephemeris ephemeris;
    std::vector<std::string> sun;
    for (const auto& line : riseSetLines("1 17 2080 12:00PM ST 0 1E15 70N08", ephemeris))
        if (line.substr(25, 7) == "    Sun" &&
            (line.substr(39, 5) == "rises" || line.substr(39, 4) == "sets"))
            sun.push_back(line.substr(17, 7) + " " + line.substr(39, 5));
    const std::vector<std::string> expected{"12:00pm rises", "12:09pm sets "};
    EXPECT_EQ(sun, expected);
}
