#include "engine/chart.h"

#include <cmath>

namespace vantrel::engine {

double normalizeDeg(double deg)
{
    double d = std::fmod(deg, 360.0);
    if (d < 0)
        d += 360.0;
    if (d >= 360.0)
        d = 0;
    return d;
}

int houseOf(double longitudeDeg, const std::array<double, 13>& cusp)
{
    for (int h = 1; h <= kHouseCount; ++h) {
        const double start = cusp[h];
        const double width = normalizeDeg(cusp[h % kHouseCount + 1] - start);
        if (normalizeDeg(longitudeDeg - start) < width)
            return h;
    }
    return 1;  // only when every cusp coincides
}

namespace {

constexpr int kFirstChartPoint = static_cast<int>(Object::Fortune);  // Fortune, Vertex, East Point

// Day of the week of a Gregorian date, 0 = Sunday.
int weekdayOf(int year, int month, int day)
{
    const double jd = Ephemeris::julianDay(year, month, day, 12.0);
    return static_cast<int>(std::fmod(std::floor(jd + 1.5), 7.0));
}

// A chart that knows its request, its moment and its weekday, and nothing computed yet.
Chart chartAtMoment(const Request& request)
{
    Chart c;
    c.data = *request.chart;
    c.sidereal = request.sidereal;
    c.houseSystem = request.houseSystem;
    const ChartData& d = c.data;
    const double offsetHours = d.zoneMinutesWest / 60.0 - (d.daylight ? 1.0 : 0.0);
    c.jdLocalMidnightUt = Ephemeris::julianDay(d.year, d.month, d.day, offsetHours);
    c.jdUt = c.jdLocalMidnightUt + (d.hour * 60 + d.minute) / 1440.0;
    c.weekday = weekdayOf(d.year, d.month, d.day);
    return c;
}

struct HousesUsed {
    HouseCusps cusps;
    int system = 0;                      // as /c numbers it
    std::optional<std::string> warning;  // when the requested system fell back
};

HousesUsed housesFor(const Request& request, double jdUt, Ephemeris& ephemeris)
{
    const ChartData& d = *request.chart;
    HousesUsed used{
        ephemeris.houses(jdUt, d.latitudeNorthDeg, d.longitudeEastDeg, request.houseSystem),
        request.houseSystem, std::nullopt};
    if (used.cusps.fellBack) {
        used.system = Ephemeris::kFallbackHouseSystem;
        used.warning = std::string(Ephemeris::houseName(request.houseSystem)) +
                       " houses do not exist at latitude " + d.latitudeText + "; using " +
                       Ephemeris::houseName(used.system);
    }
    return used;
}

// Whether an output shows the angles: the points drawn from them, or the picture, whose wheel
// turns with the Ascendant. Houses that are the signs from Aries need no more.
bool anglesShown(const Request& r)
{
    return r.pictureRequested || !r.restricted[static_cast<int>(Object::Fortune)] ||
           !r.restricted[static_cast<int>(Object::Vertex)] ||
           !r.restricted[static_cast<int>(Object::EastPoint)];
}

// A tropical longitude in the chart's zodiac.
double zodiacDeg(double tropicalDeg, double ayanamsaDeg)
{
    return normalizeDeg(tropicalDeg - ayanamsaDeg);
}

// The cusps in the chart's zodiac. Where the houses are the signs (Whole, None) they begin at
// 0 degrees of the signs of that zodiac, so in the sidereal zodiac they are drawn from the
// sidereal Ascendant and from sidereal Aries; moving the tropical cusps by the ayanamsa would
// leave them inside the signs. Every other system's cusps are points of the sky that the
// ayanamsa only renames.
std::array<double, 13> zodiacCusps(const HouseCusps& houses, int system, double ayanamsaDeg)
{
    constexpr double kSignDeg = 30.0;
    std::optional<double> firstSignDeg;
    if (system == Ephemeris::kWholeSignHouses)
        firstSignDeg =
            std::floor(zodiacDeg(houses.ascendantDeg, ayanamsaDeg) / kSignDeg) * kSignDeg;
    else if (system == Ephemeris::kSignHouses)
        firstSignDeg = 0.0;
    std::array<double, 13> cusp{};
    for (int h = 1; h <= kHouseCount; ++h)
        cusp[h] = firstSignDeg ? normalizeDeg(*firstSignDeg + kSignDeg * (h - 1))
                               : zodiacDeg(houses.cusp[h], ayanamsaDeg);
    return cusp;
}

struct BodyPosition {
    std::optional<EclipticPosition> tropical;  // absent: the body is left out
    std::optional<std::string> warning;
};

// An asteroid is left out when there is no asteroid ephemeris, and with a warning when the
// ephemeris fails for it; any other body's failure throws EphemerisError.
BodyPosition bodyPosition(Object body, double jdUt, Ephemeris& ephemeris)
{
    if (!isAsteroid(body))
        return {ephemeris.position(body, jdUt), std::nullopt};
    if (!ephemeris.hasAsteroids())
        return {};
    try {
        return {ephemeris.position(body, jdUt), std::nullopt};
    } catch (const EphemerisError& e) {
        return {std::nullopt, std::string(objectName(body)) + " left out: " + e.what()};
    }
}

ObjectPlace bodyPlace(Object body, const EclipticPosition& tropical, double ayanamsaDeg)
{
    ObjectPlace p;
    p.present = true;
    p.longitudeDeg = zodiacDeg(tropical.longitudeDeg, ayanamsaDeg);
    p.latitudeDeg = tropical.latitudeDeg;
    p.speedDegPerDay = tropical.speedDegPerDay;
    p.hasLatitude = body != Object::Node;
    return p;
}

// The Sun's or the Moon's tropical longitude: as placed, or computed for the Part of Fortune
// alone when the request leaves the body out.
double tropicalLongitudeOf(Object body, const Chart& c, Ephemeris& ephemeris)
{
    const int i = static_cast<int>(body);
    return c.place[i].present ? c.tropical[i].longitudeDeg
                              : ephemeris.position(body, c.jdUt).longitudeDeg;
}

// A point computed from the houses, tropical and not yet normalized: the Part of Fortune
// (Ascendant + Moon - Sun), the Vertex or the East Point.
double chartPointDeg(Object point, const Chart& c, Ephemeris& ephemeris)
{
    if (point == Object::Fortune)
        return c.houses.ascendantDeg + tropicalLongitudeOf(Object::Moon, c, ephemeris) -
               tropicalLongitudeOf(Object::Sun, c, ephemeris);
    return point == Object::Vertex ? c.houses.vertexDeg : c.houses.eastPointDeg;
}

ObjectPlace pointPlace(double tropicalDeg, double ayanamsaDeg)
{
    ObjectPlace p;
    p.present = true;
    p.longitudeDeg = zodiacDeg(tropicalDeg, ayanamsaDeg);
    p.hasLatitude = false;
    p.hasSpeed = false;
    return p;
}

}  // namespace

ChartOutcome computeChart(const Request& request, Ephemeris& ephemeris, bool places)
{
    ChartOutcome outcome;
    auto warn = [&outcome](std::optional<std::string> warning) {
        if (warning)
            outcome.warnings.push_back(std::move(*warning));
    };
    try {
        Chart c = chartAtMoment(request);
        if (!places) {
            outcome.chart = std::move(c);
            return outcome;
        }
        if (request.houseSystem != Ephemeris::kSignHouses || anglesShown(request)) {
            HousesUsed houses = housesFor(request, c.jdUt, ephemeris);
            warn(std::move(houses.warning));
            c.houses = houses.cusps;
            c.houseSystem = houses.system;
        }
        if (request.horizon) {
            c.obliquityDeg = ephemeris.trueObliquityDeg(c.jdUt);
            c.siderealTimeDeg = ephemeris.siderealTimeDeg(c.jdUt);
        }
        c.ayanamsaDeg = request.sidereal ? ephemeris.ayanamsaDeg(c.jdUt) : 0.0;
        c.cusp = zodiacCusps(c.houses, c.houseSystem, c.ayanamsaDeg);

        for (int i = 0; i < kFirstChartPoint; ++i) {
            const auto body = static_cast<Object>(i);
            if (request.restricted[i])
                continue;
            BodyPosition position = bodyPosition(body, c.jdUt, ephemeris);
            warn(std::move(position.warning));
            if (!position.tropical)
                continue;
            c.tropical[i] = *position.tropical;
            c.place[i] = bodyPlace(body, *position.tropical, c.ayanamsaDeg);
        }
        for (int i = kFirstChartPoint; i < kObjectCount; ++i) {
            if (request.restricted[i])
                continue;
            const double deg = chartPointDeg(static_cast<Object>(i), c, ephemeris);
            c.tropical[i] = {normalizeDeg(deg), 0, 1, 0};
            c.place[i] = pointPlace(deg, c.ayanamsaDeg);
        }

        for (auto& p : c.place)
            if (p.present)
                p.house = houseOf(p.longitudeDeg, c.cusp);
        outcome.chart = std::move(c);
    } catch (const EphemerisError& e) {
        outcome.error = e.what();
    }
    return outcome;
}

}  // namespace vantrel::engine
