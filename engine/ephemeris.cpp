#include "engine/ephemeris.h"

#include <cmath>

#include <swephexp.h>
#include <unistd.h>

namespace vantrel::engine {

namespace {

bool readable(const std::string& path)
{
    return ::access(path.c_str(), R_OK) == 0;
}

int bodyNumber(Object o)
{
    switch (o) {
    case Object::Sun:
        return SE_SUN;
    case Object::Moon:
        return SE_MOON;
    case Object::Mercury:
        return SE_MERCURY;
    case Object::Venus:
        return SE_VENUS;
    case Object::Mars:
        return SE_MARS;
    case Object::Jupiter:
        return SE_JUPITER;
    case Object::Saturn:
        return SE_SATURN;
    case Object::Uranus:
        return SE_URANUS;
    case Object::Neptune:
        return SE_NEPTUNE;
    case Object::Pluto:
        return SE_PLUTO;
    case Object::Chiron:
        return SE_CHIRON;
    case Object::Ceres:
        return SE_CERES;
    case Object::Pallas:
        return SE_PALLAS;
    case Object::Juno:
        return SE_JUNO;
    case Object::Vesta:
        return SE_VESTA;
    case Object::Node:
        return SE_TRUE_NODE;
    case Object::Lilith:
        return SE_MEAN_APOG;
    default:
        return -1;
    }
}

// The library keeps its state (the folder, the open files, what they last gave) per thread.
// Opening it is far dearer than a chart, so each thread opens it once for a folder and keeps
// it until it asks for another folder or ends.
struct ThreadLibrary {
    std::string folder;
    bool open = false;
    bool usesFiles = false;
    bool hasAsteroids = false;

    ~ThreadLibrary()
    {
        if (open)
            swe_close();
    }

    void openFor(const std::string& wanted, Ephemeris::Opening opening)
    {
        if (open && folder == wanted && opening == Ephemeris::Opening::Kept)
            return;
        if (open)
            swe_close();
        // Setting the path also keeps the library from looking in the current folder.
        swe_set_ephe_path(wanted.c_str());
        swe_set_sid_mode(SE_SIDM_FAGAN_BRADLEY, 0, 0);
        folder = wanted;
        usesFiles = readable(wanted + "/sepl_18.se1") && readable(wanted + "/semo_18.se1");
        hasAsteroids = readable(wanted + "/seas_18.se1");
        open = true;
    }
};

thread_local ThreadLibrary t_library;

}  // namespace

Ephemeris::Ephemeris(const std::string& folder, Opening opening)
{
    t_library.openFor(folder, opening);
    m_usesFiles = t_library.usesFiles;
    m_hasAsteroids = t_library.hasAsteroids;
    if (!m_usesFiles)
        m_warnings.push_back("ephemeris files not found in " + folder +
                             "; using the built-in Moshier theory");
    if (!m_hasAsteroids)
        m_warnings.push_back("asteroid ephemeris not found in " + folder +
                             "; Chiron, Ceres, Pallas, Juno and Vesta are left out");
}

bool Ephemeris::withinFiles(double firstJdUt, double lastJdUt)
{
    // The files of swe-basic-data are named for 1800 to 2400.
    return firstJdUt >= julianDay(1800, 1, 1, 0) && lastJdUt < julianDay(2400, 1, 1, 0);
}

int Ephemeris::flags() const
{
    return m_usesFiles ? SEFLG_SWIEPH : SEFLG_MOSEPH;
}

EclipticPosition Ephemeris::position(Object object, double jdUt)
{
    const int body = bodyNumber(object);
    if (body < 0)
        throw EphemerisError(std::string(objectName(object)) + " is not an ephemeris body");
    if (isAsteroid(object) && !m_hasAsteroids)
        throw EphemerisError("no asteroid ephemeris for " + std::string(objectName(object)));
    double x[6] = {};
    char error[AS_MAXCH] = "";
    int fl = flags() | SEFLG_SPEED;
    if (isAsteroid(object))
        fl = SEFLG_SWIEPH | SEFLG_SPEED;
    const int32 result = swe_calc_ut(jdUt, body, fl, x, error);
    if (result < 0)
        throw EphemerisError(std::string(objectName(object)) + ": " + error);
    if (m_usesFiles && (result & SEFLG_MOSEPH) != 0 && !m_warnedOutsideFiles) {
        m_warnedOutsideFiles = true;
        m_warnings.push_back(
            "the date lies outside the ephemeris files; using the built-in Moshier theory");
    }
    return {x[0], x[1], x[2], x[3]};
}

double Ephemeris::trueObliquityDeg(double jdUt)
{
    double x[6] = {};
    char error[AS_MAXCH] = "";
    // With the daily motion, as the positions ask: the library then computes the nutation of
    // the moment once for both.
    if (swe_calc_ut(jdUt, SE_ECL_NUT, flags() | SEFLG_SPEED, x, error) < 0)
        throw EphemerisError(std::string("nutation: ") + error);
    return x[0];
}

double Ephemeris::siderealTimeDeg(double jdUt)
{
    return swe_sidtime(jdUt) * 15.0;
}

double Ephemeris::ayanamsaDeg(double jdUt)
{
    double aya = 0;
    char error[AS_MAXCH] = "";
    if (swe_get_ayanamsa_ex_ut(jdUt, flags(), &aya, error) < 0)
        throw EphemerisError(std::string("ayanamsa: ") + error);
    return aya;
}

HouseCusps Ephemeris::houses(double jdUt, double latitudeDeg, double longitudeEastDeg, int system)
{
    // What swe_houses_ex does, with the nutation the library keeps for the moment: it computes
    // its own afresh, the dearest part of a chart after the positions, and the positions of
    // the same moment compute it again. Asked with the daily motion, the nutation kept here is
    // the one they need too. The obliquity and nutation come out of the library's same
    // expressions, so the houses are bit for bit the same.
    double nutation[6] = {};
    char error[AS_MAXCH] = "";
    if (swe_calc_ut(jdUt, SE_ECL_NUT, flags() | SEFLG_SPEED, nutation, error) < 0)
        throw EphemerisError(std::string("nutation: ") + error);
    const double meanObliquityDeg = nutation[1];
    const double nutationInLongitudeDeg = nutation[2];
    const double trueObliquityDeg = meanObliquityDeg + nutation[3];
    const double armcDeg = swe_degnorm(
        swe_sidtime0(jdUt, trueObliquityDeg, nutationInLongitudeDeg) * 15 + longitudeEastDeg);
    HouseCusps h;
    double cusps[13] = {};
    double ascmc[10] = {};
    int result =
        swe_houses_armc(armcDeg, latitudeDeg, trueObliquityDeg, houseLetter(system), cusps, ascmc);
    if (result < 0) {
        h.fellBack = true;
        result = swe_houses_armc(armcDeg, latitudeDeg, trueObliquityDeg,
                                 houseLetter(kFallbackHouseSystem), cusps, ascmc);
        if (result < 0)
            throw EphemerisError("house cusps cannot be computed at this place");
    }
    for (int i = 1; i <= kHouseCount; ++i)
        h.cusp[i] = cusps[i];
    h.ascendantDeg = ascmc[SE_ASC];
    h.midheavenDeg = ascmc[SE_MC];
    h.armcDeg = ascmc[SE_ARMC];
    h.vertexDeg = ascmc[SE_VERTEX];
    h.eastPointDeg = ascmc[SE_EQUASC];
    return h;
}

double Ephemeris::julianDay(int year, int month, int day, double hourUt)
{
    return swe_julday(year, month, day, hourUt, SE_GREG_CAL);
}

double Ephemeris::universalFromTerrestrial(double jdTd)
{
    double jd = jdTd;
    for (int i = 0; i < 3; ++i)
        jd = jdTd - swe_deltat(jd);
    return jd;
}

char Ephemeris::houseLetter(int system)
{
    static const char letters[] = "PKECXROMTBDLWN";
    return system >= 0 && system < 14 ? letters[system] : 'P';
}

const char* Ephemeris::houseName(int system)
{
    static const char* const names[] = {
        "Placidus",      "Koch",         "Equal",   "Campanus",    "Meridian",
        "Regiomontanus", "Porphyry",     "Morinus", "Topocentric", "Alcabitius",
        "Equal (MC)",    "Neo-Porphyry", "Whole",   "None"};
    return system >= 0 && system < 14 ? names[system] : "Placidus";
}

}  // namespace vantrel::engine
