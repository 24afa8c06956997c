// Checks the engine's house cusps and the houses of its objects from outside. For a seeded set
// of random charts (1900-2100, places on every continent, polar ones included) it runs the
// engine once for every house system in each zodiac, reads the chart listing, and compares:
//
//   * every cusp with the Swiss Ephemeris' own house routine (swe_houses_ex2, with
//     SEFLG_SIDEREAL in the sidereal zodiac), which shares no code with the engine's zodiac
//     conversion;
//   * every cusp of twelve of the fourteen systems with formulas of this file, worked out from
//     the sidereal time, the true obliquity and the ayanamsa alone (Koch and Neo-Porphyry have
//     none here; where Placidus or Koch give way to Porphyry, Porphyry's formula is used);
//   * which system the listing names, against the rule that Placidus and Koch do not exist
//     within the polar circles (|latitude| >= 90 degrees - obliquity);
//   * every object's place with swe_calc_ut (SEFLG_SIDEREAL in the sidereal zodiac) and its
//     house with the reference cusps.
//
// A value agrees when it lies within the listing's minute: the listing truncates, so 9Sco43
// stands for 219.7167 <= value < 219.7333. Objects within a second of arc of a cusp are
// counted apart, since there the house hangs on the last digits of two computations.
// A developer's check, not a test: it prints figures and every disagreement; never fails.
//
// usage: vantrel_house_check ENGINE [CHARTS] [SEED]

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <swephexp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSystems = 14;
constexpr int kObjects = 20;
constexpr double kMinuteDeg = 1.0 / 60.0;
constexpr double kRoundingDeg = 1e-6;  // below any listed digit
constexpr double kBorderlineDeg = 1.0 / 3600.0;
const char* const kSystemNames[kSystems] = {
    "Placidus",      "Koch",         "Equal",   "Campanus",    "Meridian",
    "Regiomontanus", "Porphyry",     "Morinus", "Topocentric", "Alcabitius",
    "Equal (MC)",    "Neo-Porphyry", "Whole",   "None"};
const char kSystemLetters[] = "PKECXROMTBDLWN";
const char* const kSigns[12] = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};
// The listing's objects in its order; -1 marks the points worked out from the houses.
const int kBodies[kObjects] = {SE_SUN,       SE_MOON,      SE_MERCURY, SE_VENUS,   SE_MARS,
                               SE_JUPITER,   SE_SATURN,    SE_URANUS,  SE_NEPTUNE, SE_PLUTO,
                               SE_CHIRON,    SE_CERES,     SE_PALLAS,  SE_JUNO,    SE_VESTA,
                               SE_TRUE_NODE, SE_MEAN_APOG, -1,         -1,         -1};
enum { kFortune = 17, kVertex = 18, kEastPoint = 19 };

struct Place {
    const char* name;
    double latitudeDeg;
    double longitudeEastDeg;
    double zoneHoursEast;
};

const Place kPlaces[] = {
    {"Minneapolis", 45.08, -93.35, -6},
    {"Anchorage", 61.2, -149.9, -9},
    {"Barrow", 71.29, -156.79, -9},
    {"Alert", 82.5, -62.3, -5},
    {"Mexico City", 19.43, -99.13, -6},
    {"Reykjavik", 64.15, -21.94, 0},
    {"London", 51.5, -0.12, 0},
    {"Tromso", 69.65, 18.96, 1},
    {"Longyearbyen", 78.22, 15.65, 1},
    {"Cairo", 30.04, 31.24, 2},
    {"Nairobi", -1.29, 36.82, 3},
    {"Cape Town", -33.92, 18.42, 2},
    {"Lagos", 6.52, 3.38, 1},
    {"Kabul", 34.53, 69.17, 4.5},
    {"Kathmandu", 27.72, 85.32, 5.75},
    {"Norilsk", 69.35, 88.2, 7},
    {"Tokyo", 35.68, 139.69, 9},
    {"Tiksi", 71.64, 128.87, 9},
    {"Adelaide", -34.93, 138.6, 9.5},
    {"Auckland", -36.85, 174.76, 12},
    {"Chatham", -43.95, -176.55, 12.75},
    {"Honolulu", 21.3, -157.86, -10},
    {"Quito", -0.18, -78.47, -5},
    {"Sao Paulo", -23.55, -46.63, -3},
    {"Ushuaia", -54.8, -68.3, -3},
    {"McMurdo", -77.85, 166.67, 12},
    {"Palmer", -64.77, -64.05, -4},
    {"Amundsen-Scott", -89.9, 0.0, 12},
    {"Vostok", -78.46, 106.84, 6},
    {"Kiritimati", 1.87, -157.4, 14},
};

struct ChartCase {
    const char* place;
    int year, month, day, hour, minute;
    bool daylight;
    int zoneMinutesEast;
    int latitudeMinutes;   // north positive
    int longitudeMinutes;  // east positive
    double jdUt() const
    {
        const double hourUt = hour + minute / 60.0 - zoneMinutesEast / 60.0 - (daylight ? 1 : 0);
        return swe_julday(year, month, day, hourUt, SE_GREG_CAL);
    }
    double latitudeDeg() const { return latitudeMinutes / 60.0; }
    double longitudeDeg() const { return longitudeMinutes / 60.0; }
};

double sinD(double d)
{
    return std::sin(d * M_PI / 180);
}
double cosD(double d)
{
    return std::cos(d * M_PI / 180);
}
double tanD(double d)
{
    return std::tan(d * M_PI / 180);
}
double atan2D(double y, double x)
{
    return std::atan2(y, x) * 180 / M_PI;
}
double norm(double d)
{
    return d - 360.0 * std::floor(d / 360.0);
}
double signedGap(double a, double b)
{
    return norm(a - b + 180) - 180;
}

ChartCase randomChart(std::mt19937& random)
{
    auto uniform = [&random](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const Place& p = kPlaces[uniform(0, std::size(kPlaces) - 1)];
    ChartCase c{p.name,
                uniform(1900, 2100),
                uniform(1, 12),
                1,
                uniform(0, 23),
                uniform(0, 59),
                uniform(0, 2) == 0,
                static_cast<int>(std::lround(p.zoneHoursEast * 60)),
                0,
                0};
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (c.year % 4 == 0 && c.year % 100 != 0) || c.year % 400 == 0;
    c.day = uniform(1, days[c.month - 1] + (c.month == 2 && leap ? 1 : 0));
    const double lat = std::clamp(p.latitudeDeg + uniform(-30, 30) / 100.0, -89.9, 89.9);
    c.latitudeMinutes = static_cast<int>(std::lround(lat * 60));
    c.longitudeMinutes = static_cast<int>(
        std::lround(std::clamp(p.longitudeEastDeg + uniform(-30, 30) / 100.0, -179.9, 179.9) * 60));
    return c;
}

std::string angleText(int minutes, char positive, char negative)
{
    const int a = std::abs(minutes);
    return std::to_string(a / 60) + (minutes >= 0 ? positive : negative) +
           (a % 60 < 10 ? "0" : "") + std::to_string(a % 60);
}

std::string commandFile(const ChartCase& c, int system, bool sidereal)
{
    const int west = -c.zoneMinutesEast;
    char zone[16];
    std::snprintf(zone, sizeof zone, "%s%d:%02d", west < 0 ? "-" : "", std::abs(west) / 60,
                  std::abs(west) % 60);
    char line[128];
    std::snprintf(line, sizeof line, "/qb %d %d %d %d:%02d %s %s %s %s", c.month, c.day, c.year,
                  c.hour, c.minute, c.daylight ? "DT" : "ST", zone,
                  angleText(-c.longitudeMinutes, 'W', 'E').c_str(),
                  angleText(c.latitudeMinutes, 'N', 'S').c_str());
    return std::string("@0102\r\n") + line + "\r\n/os chart.txt\r\n/c " + std::to_string(system) +
           "\r\n" + (sidereal ? "/s\r\n" : "");
}

struct Listing {
    std::string system;             // as the heading names it
    std::array<double, 13> cusp{};  // the listed value, truncated to the minute
    std::array<std::optional<double>, kObjects> place{};
    std::array<int, kObjects> house{};
    std::string error;
};

std::optional<double> zodiacValue(const std::string& text)  // " 9Sco43"
{
    if (text.size() < 7)
        return std::nullopt;
    for (int s = 0; s < 12; ++s)
        if (text.compare(2, 3, kSigns[s]) == 0)
            return s * 30 + std::atoi(text.substr(0, 2).c_str()) +
                   std::atoi(text.substr(5, 2).c_str()) / 60.0;
    return std::nullopt;
}

Listing readListing(const std::string& text)
{
    Listing l;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    std::getline(in, line);
    const auto end = line.find(" Houses.");
    const auto start = line.rfind("  ", end);
    if (end == std::string::npos || start == std::string::npos)
        return l.error = "no house system in the heading", l;
    l.system = line.substr(start + 2, end - start - 2);
    std::getline(in, line);
    int row = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (row < kObjects && line.size() > 40 && line[4] == ':') {
            l.place[row] = zodiacValue(line.substr(6, 7));
            l.house[row] = std::atoi(line.substr(29, 2).c_str());
            ++row;
        }
        const auto cusp = line.find("House cusp ");
        if (cusp != std::string::npos) {
            const int h = std::atoi(line.substr(cusp + 11, 2).c_str());
            const auto value = zodiacValue(line.substr(cusp + 15, 7));
            if (h < 1 || h > 12 || !value)
                return l.error = "unreadable cusp line: " + line, l;
            l.cusp[h] = *value;
        }
    }
    if (row != kObjects)
        l.error = "expected " + std::to_string(kObjects) + " objects, read " + std::to_string(row);
    return l;
}

// Runs "ENGINE -i input.txt" in folder; the listing's text, or empty after a failure.
std::string runEngine(const std::string& engine, const std::filesystem::path& folder,
                      const std::string& input)
{
    std::ofstream(folder / "input.txt", std::ios::binary) << input;
    std::filesystem::remove(folder / "chart.txt");
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0 || !std::freopen("/dev/null", "w", stderr))
            ::_exit(127);
        ::execl(engine.c_str(), engine.c_str(), "-i", "input.txt", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    std::ifstream in(folder / "chart.txt", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The quantities the formulas start from, at the chart moment.
struct Sky {
    double armcDeg;       // local apparent sidereal time
    double obliquityDeg;  // true
    double latitudeDeg;
    double ayanamsaDeg;  // 0 in the tropical zodiac
};

// The ecliptic longitude that rises at pole height poleDeg when the right ascension
// raDeg - 90 culminates (Meeus, Astronomical Algorithms, eq. 14.2, with theta = ra - 90).
// With the place's latitude it is the Ascendant; with pole 0 the point of that right
// ascension; the Regiomontanus-like systems use it with their own poles.
double risingDeg(double raDeg, double poleDeg, double obliquityDeg)
{
    return norm(
        atan2D(sinD(raDeg), cosD(raDeg) * cosD(obliquityDeg) - tanD(poleDeg) * sinD(obliquityDeg)));
}

double ascendantDeg(const Sky& s)
{
    return risingDeg(s.armcDeg + 90, s.latitudeDeg, s.obliquityDeg);
}

double midheavenDeg(const Sky& s)
{
    return risingDeg(s.armcDeg, 0, s.obliquityDeg);
}

// Diurnal semi-arc in degrees of the ecliptic point at longitude lambdaDeg.
double semiArcDeg(double lambdaDeg, const Sky& s)
{
    const double dec = std::asin(sinD(s.obliquityDeg) * sinD(lambdaDeg)) * 180 / M_PI;
    return std::acos(std::clamp(-tanD(s.latitudeDeg) * tanD(dec), -1.0, 1.0)) * 180 / M_PI;
}

// Placidus: the point whose right ascension lies the fraction of its own semi-arc from the
// meridian, found by iteration. fraction > 0 above the horizon (houses 11, 12), below it the
// fraction of the nocturnal semi-arc back from the lower meridian (houses 3, 2).
double placidusDeg(double fraction, bool above, const Sky& s)
{
    double ra = above ? s.armcDeg + 90 * fraction : s.armcDeg + 180 - 90 * fraction;
    for (int i = 0; i < 50; ++i) {
        const double lambda = risingDeg(ra, 0, s.obliquityDeg);
        const double arc = semiArcDeg(lambda, s);
        ra = above ? s.armcDeg + fraction * arc : s.armcDeg + 180 - fraction * (180 - arc);
    }
    return risingDeg(ra, 0, s.obliquityDeg);
}

// The angles. Within the polar circles the eastern horizon can meet the ecliptic less than
// 180 degrees behind the Midheaven; the house routines then take the opposite point as the
// Ascendant, so that the quadrant from the Midheaven to the Ascendant stays in order, and the
// systems built on great circles through the horizon's north and south points (Campanus,
// Regiomontanus, Topocentric) turn their Midheaven and cusps with it. That convention is
// followed here.
struct Angles {
    double ascendantDeg;
    double midheavenDeg;
    bool turned;
};

Angles anglesOf(const Sky& s)
{
    const double asc = ascendantDeg(s), mc = midheavenDeg(s);
    const bool turned = signedGap(asc, mc) < 0;
    return {turned ? norm(asc + 180) : asc, mc, turned};
}

// Cusps 11, 12, 2, 3 of a system given by them; 1 and 10 are the angles, 4 to 9 opposite.
std::array<double, 13> quadrantCusps(const Angles& a, std::array<double, 4> c11_12_2_3,
                                     bool turnsWithAscendant = false)
{
    const double turn = turnsWithAscendant && a.turned ? 180 : 0;
    std::array<double, 13> cusp{};
    cusp[1] = a.ascendantDeg;
    cusp[10] = norm(a.midheavenDeg + turn);
    cusp[11] = norm(c11_12_2_3[0] + turn);
    cusp[12] = norm(c11_12_2_3[1] + turn);
    cusp[2] = norm(c11_12_2_3[2] + turn);
    cusp[3] = norm(c11_12_2_3[3] + turn);
    for (int h : {10, 11, 12, 1, 2, 3})
        cusp[(h + 5) % 12 + 1] = norm(cusp[h] + 180);
    return cusp;
}

// Regiomontanus-like cusp: the circle through the horizon's north and south points that meets
// the equator hourOffsetDeg from the meridian (pole height after Regiomontanus).
double regioDeg(double hourOffsetDeg, const Sky& s)
{
    const double pole = std::atan(tanD(s.latitudeDeg) * sinD(hourOffsetDeg)) * 180 / M_PI;
    return risingDeg(s.armcDeg + hourOffsetDeg, pole, s.obliquityDeg);
}

// Tropical cusps of a system by its defining construction, or nothing for Koch and
// Neo-Porphyry, and for Placidus within the polar circles.
std::optional<std::array<double, 13>> formulaCusps(int system, const Sky& s)
{
    const Angles a = anglesOf(s);
    const double asc = a.ascendantDeg, mc = a.midheavenDeg, e = s.obliquityDeg;
    std::array<double, 13> cusp{};
    auto each = [&cusp](auto f) {
        for (int h = 1; h <= 12; ++h)
            cusp[h] = norm(f(h));
        return cusp;
    };
    switch (system) {
    case 0:
        if (std::fabs(s.latitudeDeg) >= 90 - e)
            return std::nullopt;
        return quadrantCusps(a, {placidusDeg(1.0 / 3, true, s), placidusDeg(2.0 / 3, true, s),
                                 placidusDeg(2.0 / 3, false, s), placidusDeg(1.0 / 3, false, s)});
    case 2:
        return each([&](int h) { return asc + 30 * (h - 1); });
    case 3: {  // Campanus: the prime vertical in twelfths, as hour offsets of the same circles
        auto offset = [&](double z) { return atan2D(sinD(z) * cosD(s.latitudeDeg), cosD(z)); };
        return quadrantCusps(a,
                             {regioDeg(offset(30), s), regioDeg(offset(60), s),
                              regioDeg(offset(120), s), regioDeg(offset(150), s)},
                             true);
    }
    case 4:
        return each([&](int h) { return risingDeg(s.armcDeg + 30 * (h - 10), 0, e); });
    case 5:
        return quadrantCusps(
            a, {regioDeg(30, s), regioDeg(60, s), regioDeg(120, s), regioDeg(150, s)}, true);
    case 6: {
        const double upper = norm(asc - mc), lower = 180 - upper;
        return quadrantCusps(
            a, {mc + upper / 3, mc + 2 * upper / 3, asc + lower / 3, asc + 2 * lower / 3});
    }
    case 7:  // Morinus: the equator in twelfths, carried to the ecliptic along its meridians
        return each([&](int h) {
            const double ra = s.armcDeg + 30 * (h - 10);
            return atan2D(sinD(ra) * cosD(e), cosD(ra));
        });
    case 8: {  // Topocentric: poles at a third and two thirds of the latitude's tangent
        auto topo = [&](double offset, double part) {
            const double pole = std::atan(tanD(s.latitudeDeg) * part) * 180 / M_PI;
            return risingDeg(s.armcDeg + offset, pole, e);
        };
        return quadrantCusps(
            a, {topo(30, 1.0 / 3), topo(60, 2.0 / 3), topo(120, 2.0 / 3), topo(150, 1.0 / 3)},
            true);
    }
    case 9: {  // Alcabitius: the Ascendant's semi-arcs in thirds, along the equator
        const double day = semiArcDeg(asc, s), night = 180 - day;
        auto at = [&](double ra) { return risingDeg(s.armcDeg + ra, 0, e); };
        return quadrantCusps(
            a, {at(day / 3), at(2 * day / 3), at(day + night / 3), at(day + 2 * night / 3)});
    }
    case 10:
        return each([&](int h) { return mc + 30 * (h - 10); });
    case 12: {
        const double first = std::floor(norm(asc - s.ayanamsaDeg) / 30) * 30 + s.ayanamsaDeg;
        return each([&](int h) { return first + 30 * (h - 1); });
    }
    case 13:
        return each([&](int h) { return s.ayanamsaDeg + 30 * (h - 1); });
    default:
        return std::nullopt;
    }
}

struct Reference {
    std::array<double, 13> cusp{};
    bool fellBack = false;
    std::array<double, kObjects> place{};
};

// The library's own houses and places in the zodiac asked for.
Reference libraryReference(const ChartCase& c, int system, bool sidereal)
{
    const int flags = SEFLG_SWIEPH | (sidereal ? SEFLG_SIDEREAL : 0);
    const double jd = c.jdUt();
    Reference r;
    double cusps[13] = {}, ascmc[10] = {};
    char error[AS_MAXCH] = "";
    if (swe_houses_ex2(jd, flags, c.latitudeDeg(), c.longitudeDeg(), kSystemLetters[system], cusps,
                       ascmc, nullptr, nullptr, error) < 0) {
        r.fellBack = true;
        swe_houses_ex2(jd, flags, c.latitudeDeg(), c.longitudeDeg(), 'O', cusps, ascmc, nullptr,
                       nullptr, error);
    }
    for (int h = 1; h <= 12; ++h)
        r.cusp[h] = cusps[h];
    double x[6];
    for (int i = 0; i < kFortune; ++i) {
        swe_calc_ut(jd, kBodies[i], flags, x, error);
        r.place[i] = x[0];
    }
    r.place[kFortune] = norm(ascmc[SE_ASC] + r.place[1] - r.place[0]);
    r.place[kVertex] = ascmc[SE_VERTEX];
    r.place[kEastPoint] = ascmc[SE_EQUASC];
    return r;
}

int houseOf(double lambda, const std::array<double, 13>& cusp)
{
    for (int h = 1; h <= 12; ++h)
        if (norm(lambda - cusp[h]) < norm(cusp[h % 12 + 1] - cusp[h]))
            return h;
    return 0;
}

// The cusp (1-12) within a second of arc of lambda, or 0.
int nearCusp(double lambda, const std::array<double, 13>& cusp)
{
    for (int h = 1; h <= 12; ++h)
        if (std::fabs(signedGap(lambda, cusp[h])) < kBorderlineDeg)
            return h;
    return 0;
}

// How far, in degrees, value lies outside the minute that the listing shows.
double outsideMinute(double listed, double value)
{
    const double d = signedGap(value, listed);
    return d < 0 ? -d : std::max(0.0, d - kMinuteDeg);
}

struct Tally {
    long values = 0, outside = 0;
    double worstDeg = 0;
    void add(double listed, double value)
    {
        const double out = outsideMinute(listed, value);
        ++values;
        outside += out > kRoundingDeg;
        worstDeg = std::max(worstDeg, out);
    }
};

struct Figures {
    std::array<std::array<Tally, 2>, kSystems> library{}, formula{};
    std::array<std::array<long, 2>, kSystems> fallbacks{}, fallbackMismatches{};
    Tally places;
    long houses = 0, houseMismatches = 0, borderline = 0, borderlineInOpenedHouse = 0;
    long failedRuns = 0;
};

void checkRun(const ChartCase& c, int system, bool sidereal, const Listing& l, Figures& f,
              bool verbose)
{
    const int z = sidereal ? 1 : 0;
    const Reference r = libraryReference(c, system, sidereal);
    const double jd = c.jdUt();
    double nut[6];
    char error[AS_MAXCH];
    swe_calc_ut(jd, SE_ECL_NUT, SEFLG_SWIEPH, nut, error);
    double aya = 0;
    if (sidereal)
        swe_get_ayanamsa_ex_ut(jd, SEFLG_SWIEPH, &aya, error);
    const Sky sky{norm(swe_sidtime(jd) * 15 + c.longitudeDeg()), nut[0], c.latitudeDeg(), aya};

    const bool polar = (system == 0 || system == 1) && std::fabs(c.latitudeDeg()) >= 90 - nut[0];
    const bool listedFallback = l.system != kSystemNames[system];
    f.fallbacks[system][z] += listedFallback;
    if (listedFallback != polar || listedFallback != r.fellBack ||
        (listedFallback && l.system != "Porphyry")) {
        ++f.fallbackMismatches[system][z];
        std::printf("%s %d-%02d-%02d: %s listed as %s\n", c.place, c.year, c.month, c.day,
                    kSystemNames[system], l.system.c_str());
    }
    const auto formula = formulaCusps(listedFallback ? 6 : system, sky);
    for (int h = 1; h <= 12; ++h) {
        f.library[system][z].add(l.cusp[h], r.cusp[h]);
        if (formula) {
            f.formula[system][z].add(l.cusp[h], norm((*formula)[h] - aya));
            if (verbose && outsideMinute(l.cusp[h], norm((*formula)[h] - aya)) > kRoundingDeg)
                std::printf("  %s lat %.2f %s %s cusp %d: listed %.4f, formula %.4f\n", c.place,
                            c.latitudeDeg(), kSystemNames[system],
                            sidereal ? "sidereal" : "tropical", h, l.cusp[h],
                            norm((*formula)[h] - aya));
        }
        if (verbose && outsideMinute(l.cusp[h], r.cusp[h]) > kRoundingDeg)
            std::printf("  %s %s %s cusp %d: listed %.4f, library %.4f\n", c.place,
                        kSystemNames[system], sidereal ? "sidereal" : "tropical", h, l.cusp[h],
                        r.cusp[h]);
    }
    for (int i = 0; i < kObjects; ++i) {
        f.places.add(*l.place[i], r.place[i]);
        ++f.houses;
        if (const int opened = nearCusp(r.place[i], r.cusp)) {
            ++f.borderline;
            f.borderlineInOpenedHouse += l.house[i] == opened;
            continue;
        }
        if (l.house[i] != houseOf(r.place[i], r.cusp)) {
            ++f.houseMismatches;
            if (verbose)
                std::printf("  %s %s %s object %d: house %d, reference %d\n", c.place,
                            kSystemNames[system], sidereal ? "sidereal" : "tropical", i, l.house[i],
                            houseOf(r.place[i], r.cusp));
        }
    }
}

void printFigures(const Figures& f, int charts)
{
    std::printf("\n%d charts, %d engine runs, %ld failed\n", charts, charts * kSystems * 2,
                f.failedRuns);
    std::printf("%-14s %-9s %8s %8s %9s %8s %9s %9s\n", "system", "zodiac", "cusps", "outside",
                "worst\"", "formula", "outside", "worst\"");
    for (int s = 0; s < kSystems; ++s)
        for (int z = 0; z < 2; ++z) {
            const Tally& a = f.library[s][z];
            const Tally& b = f.formula[s][z];
            std::printf("%-14s %-9s %8ld %8ld %9.3f %8ld %9ld %9.3f   fallbacks %ld%s\n",
                        kSystemNames[s], z ? "sidereal" : "tropical", a.values, a.outside,
                        a.worstDeg * 3600, b.values, b.outside, b.worstDeg * 3600,
                        f.fallbacks[s][z], f.fallbackMismatches[s][z] ? " (MISMATCHED)" : "");
        }
    std::printf("object places: %ld, outside the minute %ld, worst %.3f\"\n", f.places.values,
                f.places.outside, f.places.worstDeg * 3600);
    std::printf("object houses: %ld, wrong %ld; within 1\" of a cusp (not judged) %ld, of "
                "them listed in the house that cusp opens %ld\n",
                f.houses, f.houseMismatches, f.borderline, f.borderlineInOpenedHouse);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ENGINE [CHARTS] [SEED]\n", argv[0]);
        return 2;
    }
    const std::string engine = std::filesystem::absolute(argv[1]).string();
    const int charts = argc > 2 ? std::atoi(argv[2]) : 100;
    const unsigned seed = argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 15;
    const bool verbose = std::getenv("VERBOSE") != nullptr;
    swe_set_ephe_path("/usr/share/libswe/ephe");
    swe_set_sid_mode(SE_SIDM_FAGAN_BRADLEY, 0, 0);
    const auto folder = std::filesystem::temp_directory_path() /
                        ("vantrel-house-check-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);

    std::mt19937 random(seed);
    Figures f;
    for (int n = 0; n < charts; ++n) {
        const ChartCase c = randomChart(random);
        for (int z = 0; z < 2; ++z)
            for (int system = 0; system < kSystems; ++system) {
                const std::string input = commandFile(c, system, z == 1);
                const Listing l = readListing(runEngine(engine, folder, input));
                if (!l.error.empty()) {
                    ++f.failedRuns;
                    std::printf("run failed (%s):\n%s", l.error.c_str(), input.c_str());
                    continue;
                }
                checkRun(c, system, z == 1, l, f, verbose);
            }
    }
    printFigures(f, charts);
    std::filesystem::remove_all(folder);
    swe_close();
    return 0;
}
