#include <cmath>

#include <gtest/gtest.h>

#include "engine/ephemeris.h"
#include "engine/text_format.h"
#include "tests/engine/engine_test_support.h"

using namespace vantrel::engine;
using namespace vantrel::engine::testing;

namespace {

double arcsecondsBetween(double aDeg, double bDeg)
{
    double d = std::fmod(aDeg - bDeg + 540.0, 360.0) - 180.0;
    return std::fabs(d) * 3600.0;
}

}  // namespace

// Meeus, Astronomical Algorithms (2nd ed.), example 25.b: the Sun on 1992 October 13.0 TD,
// apparent longitude 199 deg 54' 21.818" (full VSOP87 with nutation and aberration).
TEST(EphemerisAccuracy, SunApparentLongitudeMeeus25b)
{
    Ephemeris ephemeris;
    const double jdUt = Ephemeris::universalFromTerrestrial(2448908.5);
    const double lon = ephemeris.position(Object::Sun, jdUt).longitudeDeg;
    EXPECT_LT(arcsecondsBetween(lon, 199 + 54 / 60.0 + 21.818 / 3600.0), 1.0) << lon;
}

// Meeus, example 47.a: the Moon on 1992 April 12.0 TD, 133.162655 deg geometric, plus
// nutation in longitude 0.004610 deg, gives the apparent 133.167265 deg.
TEST(EphemerisAccuracy, MoonApparentLongitudeMeeus47a)
{
    Ephemeris ephemeris;
    const double jdUt = Ephemeris::universalFromTerrestrial(2448724.5);
    const double lon = ephemeris.position(Object::Moon, jdUt).longitudeDeg;
    EXPECT_LT(arcsecondsBetween(lon, 133.167265), 5.0) << lon;
}

TEST(Truncation, DegreesAndMinutesAreCutNeverRounded)
{
    struct Row {
        double lonDeg;
        const char* expected;
    } rows[] = {
        {179.0 + 59 / 60.0 + 59 / 3600.0, "29Vir59"},  // 29 deg 59' 59" of Virgo
        {29.0 + 59.8 / 60.0, "29Ari59"},
        {359.99999, "29Pis59"},
        {0.0, " 0Ari00"},
        {360.0, " 0Ari00"},
        {-0.5, "29Pis30"},
        {15.35, "15Ari21"},  // 15.35 is held as 15.3499999...; it is still 21 minutes
        {64.999, " 4Gem59"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(zodiacText(row.lonDeg), row.expected) << row.lonDeg;
    EXPECT_EQ(signedDegreesText(-3.1999), "- 3:11'");
    EXPECT_EQ(signedDegreesText(10.55), "+10:33'");
    EXPECT_EQ(signedDegreesText(-0.001), "+ 0:00'") << "no minus sign on a zero";
}

// The Sun's sign in the chart listing two minutes (about 5") either side of the equinoxes
// and solstices of 2000, whose moments the U.S. Naval Observatory gives as March 20 07:35,
// June 21 01:48, September 22 17:27 and December 21 13:37 UT.
TEST(Truncation, SunSignAtEquinoxesAndSolstices)
{
    struct Row {
        int month, day, hour, minute;
        const char* before;
        const char* after;
    } rows[] = {
        {3, 20, 7, 35, "29Pis59", " 0Ari00"},
        {6, 21, 1, 48, "29Gem59", " 0Can00"},
        {9, 22, 17, 27, "29Vir59", " 0Lib00"},
        {12, 21, 13, 37, "29Sag59", " 0Cap00"},
    };
    for (const Row& row : rows) {
        for (int offset : {-2, 2}) {
            ScratchFolder folder;
            const int minutes = row.hour * 60 + row.minute + offset;
            folder.write("input.txt",
                         format("@\r\n/qb %d %d 2000 %d:%02d ST 0 0E00 51N29\r\n/os chart.txt\r\n",
                                row.month, row.day, minutes / 60, minutes % 60));
            ASSERT_EQ(runEngine(folder).exitCode, 0);
            const auto listing = lines(folder.read("chart.txt"));
            ASSERT_GE(listing.size(), 4u);
            ASSERT_EQ(listing[3].substr(0, 4), "Sun ");
            EXPECT_EQ(listing[3].substr(6, 7), offset < 0 ? row.before : row.after)
                << row.month << "/" << row.day << " offset " << offset;
        }
    }
}

// Meeus, example 15.a: Venus at Boston (71 deg 05' W, 42 deg 20' N) on 1988 March 20 rises at
// 12:25, transits at 19:40 and sets at 02:54 UT (from the times 12h25m26s, 19h40m17s, 2h54m40s
// of the worked example, cut to the minute). With zone 0 the local day is the UT day.
TEST(RiseSetAccuracy, VenusAtBostonMeeus15a)
{
    ScratchFolder folder;
    folder.write("input.txt",
                 "@0102\r\n/qb 3 20 1988 12:00PM ST 0 71W05 42N20\r\n/os riseset.txt\r\n/Zd\r\n");
    ASSERT_EQ(runEngine(folder).exitCode, 0);
    std::vector<std::string> venus;
    for (const auto& line : lines(folder.read("riseset.txt")))
        if (line.substr(25, 7) == "  Venus")
            venus.push_back(line.substr(17, 7) + " " + line.substr(39, 7));
    EXPECT_NE(std::find(venus.begin(), venus.end(), "12:25pm rises  "), venus.end());
    EXPECT_NE(std::find(venus.begin(), venus.end(), " 7:40pm zeniths"), venus.end());
    EXPECT_NE(std::find(venus.begin(), venus.end(), " 2:54am sets   "), venus.end());
}
