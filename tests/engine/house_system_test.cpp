#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <swephexp.h>

#include <gtest/gtest.h>

#include "engine/chart.h"
#include "engine/command_file.h"
#include "engine/ephemeris.h"

using namespace vantrel::engine;

namespace {

double gap(double a, double b)
{
    return normalizeDeg(a - b);
}

}  // namespace

// What each numbered system must look like at a middle latitude (the defining property of
// each system; any mix-up of the numbers breaks one of them).
TEST(HouseSystems, EachNumberGivesItsSystem)
{
    Ephemeris ephemeris;
    const double jd = Ephemeris::julianDay(2001, 3, 15, 1.1167);
    const double lat = 40.7167, lon = -74.0;
    const HouseCusps reference = ephemeris.houses(jd, lat, lon, 0);
    const double asc = reference.ascendantDeg, mc = reference.midheavenDeg;
    for (int system = 0; system <= 13; ++system) {
        const HouseCusps h = ephemeris.houses(jd, lat, lon, system);
        EXPECT_FALSE(h.fellBack) << system;
        EXPECT_NEAR(h.ascendantDeg, asc, 1e-9) << system;
        const bool quadrant = system == 0 || system == 1 || system == 3 || system == 5 ||
                              system == 6 || system == 8 || system == 9 || system == 11;
        if (quadrant) {
            EXPECT_NEAR(gap(h.cusp[1], asc), 0, 1e-6) << Ephemeris::houseName(system);
            EXPECT_NEAR(gap(h.cusp[10], mc), 0, 1e-6) << Ephemeris::houseName(system);
        }
        switch (system) {
        case 2:  // Equal: thirty degrees from the Ascendant
            for (int k = 1; k <= 12; ++k)
                EXPECT_NEAR(gap(h.cusp[k], asc + 30 * (k - 1)), 0, 1e-6) << k;
            break;
        case 10:  // Equal (MC): thirty degrees from the Midheaven
            for (int k = 1; k <= 12; ++k)
                EXPECT_NEAR(gap(h.cusp[k], mc + 30 * (k - 10)), 0, 1e-6) << k;
            break;
        case 12:  // Whole signs: the Ascendant's sign is the first house
            EXPECT_NEAR(h.cusp[1], std::floor(asc / 30) * 30, 1e-6);
            break;
        case 13:  // None: the signs themselves, from Aries
            EXPECT_NEAR(h.cusp[1], 0, 1e-6);
            EXPECT_NEAR(h.cusp[7], 180, 1e-6);
            break;
        case 6:  // Porphyry: each quadrant trisected
            EXPECT_NEAR(gap(h.cusp[11], mc), gap(h.cusp[12], h.cusp[11]), 1e-6);
            break;
        case 4:  // Meridian and Morinus do not put the Ascendant on the first cusp
        case 7:
            EXPECT_GT(std::fabs(gap(h.cusp[1], asc) - (gap(h.cusp[1], asc) > 180 ? 360 : 0)), 0.1)
                << Ephemeris::houseName(system);
            break;
        default:
            break;
        }
    }
    // Placidus and Koch differ from each other and from the equal systems between the angles.
    EXPECT_GT(std::fabs(ephemeris.houses(jd, lat, lon, 0).cusp[11] -
                        ephemeris.houses(jd, lat, lon, 1).cusp[11]),
              0.01);
}

// The engine computes the houses from the nutation the library keeps rather than through
// swe_houses_ex; every system, date and latitude must still come out bit for bit the same.
TEST(HouseSystems, TheSameBitsAsTheLibrarysOwnHouses)
{
    Ephemeris ephemeris;
    const int flags = ephemeris.usesFiles() ? SEFLG_SWIEPH : SEFLG_MOSEPH;
    const double lon = -74.0;
    for (const int year : {1, 1066, 1899, 2001, 2345, 2999}) {
        const double jd = Ephemeris::julianDay(year, 3, 14, 21.12);
        for (const double lat : {-89.5, -33.8, 0.0, 40.7, 66.5, 78.0}) {
            for (int system = 0; system <= 13; ++system) {
                // another moment's position first, as a chart leaves the library
                ephemeris.position(Object::Moon, jd - 1);
                const HouseCusps h = ephemeris.houses(jd, lat, lon, system);
                double cusp[13], ascmc[10];
                const bool fails = swe_houses_ex(jd, flags, lat, lon,
                                                 Ephemeris::houseLetter(system), cusp, ascmc) < 0;
                EXPECT_EQ(h.fellBack, fails);
                if (fails)
                    swe_houses_ex(jd, flags, lat, lon,
                                  Ephemeris::houseLetter(Ephemeris::kFallbackHouseSystem), cusp,
                                  ascmc);
                const auto where = std::to_string(year) + " " + std::to_string(lat) + " " +
                                   Ephemeris::houseName(system);
                for (int k = 1; k <= 12; ++k)
                    EXPECT_EQ(h.cusp[k], cusp[k]) << where << ", cusp " << k;
                EXPECT_EQ(h.ascendantDeg, ascmc[SE_ASC]) << where;
                EXPECT_EQ(h.midheavenDeg, ascmc[SE_MC]) << where;
                EXPECT_EQ(h.armcDeg, ascmc[SE_ARMC]) << where;
                EXPECT_EQ(h.vertexDeg, ascmc[SE_VERTEX]) << where;
                EXPECT_EQ(h.eastPointDeg, ascmc[SE_EQUASC]) << where;
            }
        }
    }
}

TEST(HouseSystems, PlacidusAndKochFallBackNearThePoles)
{
    Ephemeris ephemeris;
    const double jd = Ephemeris::julianDay(2000, 6, 21, 12.0);
    for (int system : {0, 1}) {
        const HouseCusps h = ephemeris.houses(jd, 78.0, 25.0, system);
        EXPECT_TRUE(h.fellBack) << system;
        EXPECT_NEAR(gap(h.cusp[11], h.midheavenDeg), gap(h.cusp[12], h.cusp[11]), 1e-6)
            << "Porphyry";
    }
    EXPECT_FALSE(ephemeris.houses(jd, 78.0, 25.0, 2).fellBack);
}

// Where the houses are the signs, each house begins at 0 degrees of a sign of the chart's own
// zodiac. Expected first cusps worked out by hand: the Ascendant from the local sidereal time,
// the true obliquity and the latitude (Meeus, eq. 14.2), less the Fagan/Bradley ayanamsa with
// nutation, then the start of its sign; the other cusps follow every 30 degrees. The houses of
// the objects are counted from there by the signs their listed places stand in.
TEST(HouseSystems, SignHousesBeginAtTheSignsOfTheChartsZodiac)
{
    struct Row {
        const char* name;
        const char* chartData;  // the fields of /qb
        bool sidereal;
        int system;
        double firstCuspDeg;
        std::vector<std::pair<Object, int>> houses;
    };
    // Minneapolis: tropical Ascendant 4Sag28, ayanamsa 24d44'30", sidereal Ascendant 9Sco43.
    // Sidereal places: Sun 18Tau59, Moon 10Gem37, Pluto 16Sco44, Ceres 3Vir01, Juno 0Aqu54,
    // Node 0Can27, Part of Fortune 1Sag21. Tropical cusps moved by the ayanamsa would stand at
    // 5d15' of the signs and shift by a house the objects on one side of that point.
    const char* const minneapolis = "6 3 2000 8:03PM DT 6 93W21 45N05";
    const Row rows[] = {
        {"MinneapolisWholeSidereal",
         minneapolis,
         true,
         12,
         210,
         {{Object::Sun, 7},
          {Object::Pluto, 1},
          {Object::Ceres, 11},
          {Object::Juno, 4},
          {Object::Node, 9},
          {Object::Fortune, 2}}},
        {"MinneapolisNoneSidereal",
         minneapolis,
         true,
         13,
         0,
         {{Object::Sun, 2}, {Object::Moon, 3}, {Object::Pluto, 8}, {Object::Ceres, 6}}},
        {"MinneapolisWholeTropical", minneapolis, false, 12, 240, {}},
        // Sydney: tropical Ascendant 11Ari50, sidereal 17Pis16: the houses run across 0 Aries.
        {"SydneyAcrossAries", "10 12 1987 6:30PM DT -10 151E12 33S52", true, 12, 330, {}},
        // Longyearbyen in the polar night: the eastern horizon meets the ecliptic at 15Vir00,
        // behind the Midheaven (14Cap40); the Ascendant is the opposite point, 15Pis00, as for
        // every other system there; sidereal 19Aqu57.
        {"LongyearbyenPolarNight", "12 21 2021 1:00PM ST -1 15E39 78N13", true, 12, 300, {}},
    };
    Ephemeris ephemeris;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Request request;
        request.chart = parseChartData(row.chartData);
        request.sidereal = row.sidereal;
        request.houseSystem = row.system;
        const ChartOutcome outcome = computeChart(request, ephemeris);
        ASSERT_TRUE(outcome.chart) << outcome.error;
        for (int h = 1; h <= 12; ++h)
            EXPECT_NEAR(
                std::remainder(outcome.chart->cusp[h] - row.firstCuspDeg - 30 * (h - 1), 360), 0,
                1e-9)
                << "cusp " << h;
        for (const auto& [object, house] : row.houses)
            EXPECT_EQ(outcome.chart->place[static_cast<int>(object)].house, house)
                << objectName(object);
    }
}
