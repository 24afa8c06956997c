#include <cmath>

#include <gtest/gtest.h>

#include "engine/chart.h"
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
