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
    for (int h = 1; h <= 12; ++h) {
        const double start = cusp[h];
        const double width = normalizeDeg(cusp[h % 12 + 1] - start);
        if (normalizeDeg(longitudeDeg - start) < width)
            return h;
    }
    return 1;  // only when every cusp coincides
}

namespace {

// Day of the week of a Gregorian date, 0 = Sunday.
int weekdayOf(int year, int month, int day)
{
    const double jd = Ephemeris::julianDay(year, month, day, 12.0);
    return static_cast<int>(std::fmod(std::floor(jd + 1.5), 7.0));
}

}  // namespace

Chart computeChart(const Request& request, Ephemeris& ephemeris, std::vector<std::string>& warnings)
{
    Chart c;
    c.data = *request.chart;
    const ChartData& d = c.data;
    c.sidereal = request.sidereal;
    c.houseSystem = request.houseSystem;
    const double offsetHours = d.zoneMinutesWest / 60.0 - (d.daylight ? 1.0 : 0.0);
    c.jdLocalMidnightUt = Ephemeris::julianDay(d.year, d.month, d.day, offsetHours);
    c.jdUt = c.jdLocalMidnightUt + (d.hour * 60 + d.minute) / 1440.0;
    c.weekday = weekdayOf(d.year, d.month, d.day);

    c.houses = ephemeris.houses(c.jdUt, d.latitudeNorthDeg, d.longitudeEastDeg, request.houseSystem);
    if (c.houses.fellBack) {
        warnings.push_back(std::string(Ephemeris::houseName(request.houseSystem)) +
                           " houses do not exist at latitude " + d.latitudeText + "; using Porphyry");
        c.houseSystem = 6;
    }
    double nutation = 0;
    ephemeris.obliquityAndNutation(c.jdUt, c.obliquityDeg, nutation);
    c.siderealTimeDeg = ephemeris.siderealTimeDeg(c.jdUt);
    c.ayanamsaDeg = request.sidereal ? ephemeris.ayanamsaDeg(c.jdUt) : 0.0;
    auto zodiac = [&](double tropicalDeg) { return normalizeDeg(tropicalDeg - c.ayanamsaDeg); };
    for (int h = 1; h <= 12; ++h)
        c.cusp[h] = zodiac(c.houses.cusp[h]);

    for (int i = 0; i < kObjectCount; ++i) {
        const auto o = static_cast<Object>(i);
        if (request.restricted[i] || isChartPoint(o))
            continue;
        if (isAsteroid(o)) {
            if (!ephemeris.hasAsteroids())
                continue;
            try {
                c.tropical[i] = ephemeris.position(o, c.jdUt);
            } catch (const EphemerisError& e) {
                warnings.push_back(std::string(objectName(o)) + " left out: " + e.what());
                continue;
            }
        } else {
            c.tropical[i] = ephemeris.position(o, c.jdUt);
        }
        ObjectPlace& p = c.place[i];
        p.present = true;
        p.longitudeDeg = zodiac(c.tropical[i].longitudeDeg);
        p.latitudeDeg = c.tropical[i].latitudeDeg;
        p.speedDegPerDay = c.tropical[i].speedDegPerDay;
        p.hasLatitude = o != Object::Node;
    }

    // Part of Fortune: Ascendant + Moon - Sun (the Moon and Sun are computed even when
    // restricted, since the point depends on them).
    const double sunLon = c.place[0].present ? c.tropical[0].longitudeDeg
                                             : ephemeris.position(Object::Sun, c.jdUt).longitudeDeg;
    const double moonLon = c.place[1].present ? c.tropical[1].longitudeDeg
                                              : ephemeris.position(Object::Moon, c.jdUt).longitudeDeg;
    const double points[3] = {c.houses.ascendantDeg + moonLon - sunLon, c.houses.vertexDeg,
                              c.houses.eastPointDeg};
    for (int k = 0; k < 3; ++k) {
        const int i = static_cast<int>(Object::Fortune) + k;
        if (request.restricted[i])
            continue;
        c.tropical[i] = {normalizeDeg(points[k]), 0, 1, 0};
        ObjectPlace& p = c.place[i];
        p.present = true;
        p.longitudeDeg = zodiac(points[k]);
        p.hasLatitude = false;
        p.hasSpeed = false;
    }
    for (auto& p : c.place)
        if (p.present)
            p.house = houseOf(p.longitudeDeg, c.cusp);
    return c;
}

}  // namespace vantrel::engine
