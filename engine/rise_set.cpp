#include "engine/rise_set.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include "engine/listings.h"
#include "engine/text_format.h"

namespace vantrel::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;
constexpr int kSamples = 5;
constexpr double kSampleStepDays = 0.5;
constexpr double kScanStepDays = 5.0 / 1440.0;
constexpr double kRefractionDeg = 34.0 / 60.0;
constexpr double kSunSemidiameterAtOneAuDeg = 959.63 / 3600.0;      // Meeus, ch. 55
constexpr double kEarthRadiusAu = 6378.14 / 149597870.7;
constexpr double kSiderealDegPerDay = 360.98564736629;              // Meeus (12.4)

double wrap180(double deg)
{
    double d = std::fmod(deg + 180.0, 360.0);
    if (d < 0)
        d += 360.0;
    return d - 180.0;
}

// Lagrange interpolation through equally spaced samples; x in sample units from the first.
double interpolate(const std::array<double, kSamples>& y, double x)
{
    double sum = 0;
    for (int i = 0; i < kSamples; ++i) {
        double term = y[i];
        for (int j = 0; j < kSamples; ++j)
            if (j != i)
                term *= (x - j) / (i - j);
        sum += term;
    }
    return sum;
}

struct Track {
    std::array<double, kSamples> lon{}, lat{}, dist{}, speed{};
};

struct Sky {
    double altitudeDeg, hourAngleDeg, azimuthDeg, longitudeDeg, speed, distanceAu;
};

class BodySky {
public:
    BodySky(const Track& track, const std::array<double, kSamples>& obliquity, double firstUt,
            double siderealAtFirstDeg, double latitudeDeg, double longitudeEastDeg)
        : m_track(track), m_obliquity(obliquity), m_firstUt(firstUt), m_sidereal0(siderealAtFirstDeg),
          m_lat(latitudeDeg), m_lon(longitudeEastDeg)
    {
    }

    Sky at(double jdUt) const
    {
        const double x = (jdUt - m_firstUt) / kSampleStepDays;
        const double lambda = interpolate(m_track.lon, x) * kRad;
        const double beta = interpolate(m_track.lat, x) * kRad;
        const double eps = interpolate(m_obliquity, x) * kRad;
        // ecliptic to equatorial (Meeus 13.3, 13.4)
        const double ra = std::atan2(std::sin(lambda) * std::cos(eps) - std::tan(beta) * std::sin(eps),
                                     std::cos(lambda));
        const double dec = std::asin(std::sin(beta) * std::cos(eps) +
                                     std::cos(beta) * std::sin(eps) * std::sin(lambda));
        const double gast = m_sidereal0 + kSiderealDegPerDay * (jdUt - m_firstUt);
        const double h = wrap180(gast + m_lon - ra / kRad);
        const double H = h * kRad;
        const double phi = m_lat * kRad;
        // equatorial to horizontal (Meeus 13.5, 13.6), azimuth counted from north
        const double alt = std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(H));
        const double az = std::atan2(-std::cos(dec) * std::sin(H),
                                     std::sin(dec) * std::cos(phi) - std::cos(dec) * std::sin(phi) * std::cos(H));
        return {alt / kRad, h, normalizeDeg(az / kRad), normalizeDeg(lambda / kRad),
                interpolate(m_track.speed, x), interpolate(m_track.dist, x)};
    }

private:
    const Track& m_track;
    const std::array<double, kSamples>& m_obliquity;
    double m_firstUt, m_sidereal0, m_lat, m_lon;
};

// Altitude of the event point above the true horizon: refraction, semidiameter, parallax.
double horizonAltitudeDeg(Object body, double distanceAu)
{
    if (body == Object::Sun)
        return -kRefractionDeg - kSunSemidiameterAtOneAuDeg / distanceAu;
    if (body == Object::Moon) {
        const double parallax = std::asin(kEarthRadiusAu / distanceAu) / kRad;
        return 0.7275 * parallax - kRefractionDeg;  // Meeus, ch. 15
    }
    return -kRefractionDeg;
}

// f(t) changes sign between a and b; returns the moment of the change within 0.05 s.
template <class F>
double bisect(F f, double a, double b)
{
    const bool fa = f(a);
    for (int i = 0; i < 14; ++i) {
        const double m = 0.5 * (a + b);
        if (f(m) == fa)
            a = m;
        else
            b = m;
    }
    return 0.5 * (a + b);
}

Track trackOf(Ephemeris& ephemeris, Object body, double firstUt)
{
    Track t;
    for (int k = 0; k < kSamples; ++k) {
        const EclipticPosition p = ephemeris.position(body, firstUt + k * kSampleStepDays);
        double lon = p.longitudeDeg;
        if (k > 0)
            lon = t.lon[k - 1] + wrap180(lon - t.lon[k - 1]);  // keep the samples continuous
        t.lon[k] = lon;
        t.lat[k] = p.latitudeDeg;
        t.dist[k] = p.distanceAu;
        t.speed[k] = p.speedDegPerDay;
    }
    return t;
}

void scanBody(Object body, const BodySky& sky, double startUt, std::vector<HorizonEvent>& events)
{
    auto above = [&](double t) {
        const Sky s = sky.at(t);
        return s.altitudeDeg >= horizonAltitudeDeg(body, s.distanceAu);
    };
    auto westOfMeridian = [&](double t) { return sky.at(t).hourAngleDeg >= 0; };
    auto westOfLowerMeridian = [&](double t) { return wrap180(sky.at(t).hourAngleDeg - 180.0) >= 0; };

    auto add = [&](HorizonEventKind kind, double t) {
        const Sky s = sky.at(t);
        events.push_back({body, kind, t, s.azimuthDeg, s.altitudeDeg, s.longitudeDeg, s.speed < 0});
    };
    const int steps = static_cast<int>(std::lround(1.0 / kScanStepDays));
    Sky prev = sky.at(startUt);
    bool prevAbove = prev.altitudeDeg >= horizonAltitudeDeg(body, prev.distanceAu);
    for (int i = 1; i <= steps; ++i) {
        const double a = startUt + (i - 1) * kScanStepDays;
        const double b = i == steps ? startUt + 1.0 : startUt + i * kScanStepDays;
        const Sky cur = sky.at(b);
        const bool curAbove = cur.altitudeDeg >= horizonAltitudeDeg(body, cur.distanceAu);
        const bool last = i == steps;  // the day's end belongs to the next day
        if (curAbove != prevAbove) {
            const double t = bisect(above, a, b);
            if (!last || t < b)
                add(curAbove ? HorizonEventKind::Rises : HorizonEventKind::Sets, t);
        }
        // The hour angle grows by about 1.25 degrees per step; a sign change with a small
        // jump is a transit, a jump of nearly 360 degrees is the opposite meridian.
        if (prev.hourAngleDeg < 0 && cur.hourAngleDeg >= 0 && cur.hourAngleDeg - prev.hourAngleDeg < 180) {
            const double t = bisect(westOfMeridian, a, b);
            if (!last || t < b)
                add(HorizonEventKind::Zeniths, t);
        }
        const double lowPrev = wrap180(prev.hourAngleDeg - 180.0);
        const double lowCur = wrap180(cur.hourAngleDeg - 180.0);
        if (lowPrev < 0 && lowCur >= 0 && lowCur - lowPrev < 180) {
            const double t = bisect(westOfLowerMeridian, a, b);
            if (!last || t < b)
                add(HorizonEventKind::Nadirs, t);
        }
        prev = cur;
        prevAbove = curAbove;
    }
}

}  // namespace

std::vector<HorizonEvent> findHorizonEvents(Ephemeris& ephemeris, double startUt, double latitudeDeg,
                                            double longitudeEastDeg)
{
    const double firstUt = startUt - kSampleStepDays;
    std::array<double, kSamples> obliquity{};
    for (int k = 0; k < kSamples; ++k) {
        double nutation = 0;
        ephemeris.obliquityAndNutation(firstUt + k * kSampleStepDays, obliquity[k], nutation);
    }
    const double sidereal0 = ephemeris.siderealTimeDeg(firstUt);
    std::vector<HorizonEvent> events;
    for (int i = 0; i < kPlanetCount; ++i) {
        const auto body = static_cast<Object>(i);
        const Track track = trackOf(ephemeris, body, firstUt);
        const BodySky sky(track, obliquity, firstUt, sidereal0, latitudeDeg, longitudeEastDeg);
        scanBody(body, sky, startUt, events);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const HorizonEvent& a, const HorizonEvent& b) { return a.jdUt < b.jdUt; });
    return events;
}

void writeRiseSetListing(const Chart& chart, Ephemeris& ephemeris, bool dayFirst, std::string& out)
{
    const ChartData& d = chart.data;
    const double start = chart.jdLocalMidnightUt;
    std::vector<HorizonEvent> events =
        findHorizonEvents(ephemeris, start, d.latitudeNorthDeg, d.longitudeEastDeg);
    auto minuteOf = [start](const HorizonEvent& e) {
        return std::clamp(static_cast<int>(std::floor((e.jdUt - start) * 1440.0)), 0, 1439);
    };
    // Events of one minute stand in object order.
    std::stable_sort(events.begin(), events.end(), [&](const HorizonEvent& a, const HorizonEvent& b) {
        return std::make_tuple(minuteOf(a), static_cast<int>(a.body)) <
               std::make_tuple(minuteOf(b), static_cast<int>(b.body));
    });
    if (events.empty()) {
        out += "No horizon events found.";
        out += kLineEnd;
        return;
    }
    static const char* const words[] = {"rises  ", "zeniths", "sets   ", "nadirs "};
    const std::string weekday = std::string(weekdayName(chart.weekday)).substr(0, 3);
    const std::string date = listingDate(d.year, d.month, d.day, dayFirst);
    for (const HorizonEvent& e : events) {
        const int minute = minuteOf(e);
        const std::string sign(kSignAbbreviations[signOf(e.longitudeDeg)]);
        const bool horizon = e.kind == HorizonEventKind::Rises || e.kind == HorizonEventKind::Sets;
        std::string angle;
        if (horizon) {
            angle = azimuthText(e.azimuthDeg);
        } else {
            const long m = static_cast<long>(std::floor(std::fabs(e.altitudeDeg) * 60.0));
            angle = format("%c%02ld:%02ld'", e.altitudeDeg < 0 && m > 0 ? '-' : '+', m / 60, m % 60);
        }
        out += format("(%s) %s %s %7s %c%s%c %s at %s", weekday.c_str(), date.c_str(),
                      twelveHourTime(minute / 60, minute % 60).c_str(),
                      std::string(objectName(e.body)).c_str(), e.retrograde ? '[' : '(', sign.c_str(),
                      e.retrograde ? ']' : ')', words[static_cast<int>(e.kind)], angle.c_str());
        out += kLineEnd;
    }
}

}  // namespace vantrel::engine
