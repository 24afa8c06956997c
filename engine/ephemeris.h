#pragma once

// The Swiss Ephemeris, as this engine uses it: apparent geocentric positions of date.

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/objects.h"

namespace vantrel::engine {

// The ephemeris could not give a position; the text carries the library's message.
class EphemerisError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct EclipticPosition {
    double longitudeDeg = 0;  // apparent, tropical, of date
    double latitudeDeg = 0;
    double distanceAu = 0;
    double speedDegPerDay = 0;
};

inline constexpr int kHouseCount = 12;

struct CalendarDate {
    int year = 1;
    int month = 1;
    int day = 1;
};

// The dates of the chart's own clock that the engine computes. The ephemeris files reach from
// 1800 to 2400; beyond them the built-in Moshier theory stands in, which holds from 3000 BC to
// 3000 AD (and fails a few months after). The program keeps the same numbers; a test checks
// that the two agree.
inline constexpr CalendarDate kFirstDate{1, 1, 1};
inline constexpr CalendarDate kLastDate{3000, 12, 31};

struct HouseCusps {
    std::array<double, 13> cusp{};  // cusp[1]..cusp[12], tropical degrees
    double ascendantDeg = 0;
    double midheavenDeg = 0;
    double armcDeg = 0;
    double vertexDeg = 0;
    double eastPointDeg = 0;
    bool fellBack = false;  // the system fails at this latitude; the fallback system was used
};

class Ephemeris {
public:
    // How the library is found: as the thread's previous Ephemeris of the same folder left it,
    // or opened afresh, as a new process finds it.
    enum class Opening { Kept, Afresh };

    // Uses the ephemeris files in folder when its planet and moon files are there,
    // the built-in analytical theory otherwise (see warnings()). The library's state is the
    // calling thread's: an Ephemeris is used on the thread that made it, and the thread
    // keeps the library open for the next one of the same folder. Near the ends of the files
    // what the library gives depends on the files open (a file serves some days past the
    // dates its name stands for, once it is open), so whoever computes a moment outside
    // withinFiles() opens it afresh to get what a new process gets.
    explicit Ephemeris(const std::string& folder = kDefaultFolder, Opening opening = Opening::Kept);

    // Whether every moment from firstJdUt to lastJdUt lies where the files' own names serve it.
    static bool withinFiles(double firstJdUt, double lastJdUt);
    Ephemeris(const Ephemeris&) = delete;
    Ephemeris& operator=(const Ephemeris&) = delete;

    static constexpr const char* kDefaultFolder = "/usr/share/libswe/ephe";
    // Porphyry, numbered as by /c: it exists at every latitude, so it stands in for a system
    // that does not exist at the chart's.
    static constexpr int kFallbackHouseSystem = 6;
    // The systems whose houses are the signs themselves, numbered as by /c: Whole begins the
    // first house with the sign that holds the Ascendant, None with Aries.
    static constexpr int kWholeSignHouses = 12;
    static constexpr int kSignHouses = 13;

    bool usesFiles() const { return m_usesFiles; }
    bool hasAsteroids() const { return m_hasAsteroids; }
    // One line per thing the caller should tell the user (fallbacks, missing files).
    const std::vector<std::string>& warnings() const { return m_warnings; }

    // Objects Sun through Lilith; throws EphemerisError when the ephemeris fails.
    EclipticPosition position(Object object, double jdUt);
    // True obliquity of the ecliptic (nutation included), degrees.
    double trueObliquityDeg(double jdUt);
    // Greenwich apparent sidereal time, degrees.
    double siderealTimeDeg(double jdUt);
    // Fagan/Bradley ayanamsa, nutation included, degrees.
    double ayanamsaDeg(double jdUt);
    // system: 0-13 as numbered by /c.
    HouseCusps houses(double jdUt, double latitudeDeg, double longitudeEastDeg, int system);

    static double julianDay(int year, int month, int day, double hourUt);
    static double universalFromTerrestrial(double jdTd);
    static char houseLetter(int system);
    static const char* houseName(int system);

private:
    int flags() const;
    bool m_usesFiles = false;
    bool m_hasAsteroids = false;
    bool m_warnedOutsideFiles = false;
    std::vector<std::string> m_warnings;
};

}  // namespace vantrel::engine
