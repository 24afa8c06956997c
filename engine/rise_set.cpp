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
constexpr double kScanStepDays = 10.0 / 1440.0;
constexpr double kRefractionDeg = 34.0 / 60.0;
constexpr double kSunSemidiameterAtOneAuDeg = 959.63 / 3600.0;  // Meeus, ch. 55
constexpr double kEarthRadiusAu = 6378.14 / 149597870.7;
constexpr double kEarthPolarRatio = 0.99664719;         // b / a, Meeus ch. 11
constexpr double kMoonRadiusInEarthRadii = 0.272481;    // Meeus, ch. 55
constexpr double kSiderealDegPerDay = 360.98564736629;  // Meeus (12.4)

double wrap180(double deg)
{
    double d = std::fmod(deg + 180.0, 360.0);
    if (d < 0)
        d += 360.0;
    return d - 180.0;
}

// A polynomial through kSamples equally spaced values, in Newton's forward-difference form
// (x counted in sample steps from the first sample).
class Interpolation {
public:
    Interpolation() = default;
    explicit Interpolation(const std::array<double, kSamples>& y)
    {
        std::array<double, kSamples> d = y;
        for (int order = 0; order < kSamples; ++order) {
            m_c[order] = d[0];
            for (int i = 0; i + order + 1 < kSamples; ++i)
                d[i] = (d[i + 1] - d[i]) / (order + 1);
        }
    }
    double at(double x) const
    {
        double v = m_c[kSamples - 1];
        for (int k = kSamples - 2; k >= 0; --k)
            v = m_c[k] + (x - k) * v;
        return v;
    }

private:
    std::array<double, kSamples> m_c{};
};

// A body's geocentric equatorial place at a moment: all that the meridian transits need.
struct Place {
    double x = 0;  // in sample steps from the first sample
    double sinDec = 0, cosDec = 1;
    double hourAngleDeg = 0;  // -180..180, positive west of the meridian
};

// What the scan reads at each sample: the hour angle and the body as seen from the place.
struct Sky {
    double hourAngleDeg = 0;
    double distanceAu = 1;
    double seenAltitudeDeg = 0;   // topocentric, as seen from the place (parallax applied)
    double seenHourAngleRad = 0;  // not brought into -180..180 degrees
    double seenDeclinationDeg = 0;
};

// One body's track across the day: apparent ecliptic place interpolated between samples.
class BodySky {
public:
    BodySky(Object body, double firstUt, double siderealAtFirstDeg, double latitudeDeg,
            double longitudeEastDeg)
        : m_body(body), m_firstUt(firstUt), m_sidereal0(siderealAtFirstDeg),
          m_sinLat(std::sin(latitudeDeg * kRad)), m_cosLat(std::cos(latitudeDeg * kRad)),
          m_lon(longitudeEastDeg)
    {
        // The place's geocentric coordinates on the spheroid, at sea level (Meeus 11.2).
        const double u = std::atan(kEarthPolarRatio * std::tan(latitudeDeg * kRad));
        m_rhoSinPhi = kEarthPolarRatio * std::sin(u);
        m_rhoCosPhi = std::cos(u);
    }

    void setSamples(const std::array<double, kSamples>& lon,
                    const std::array<double, kSamples>& lat,
                    const std::array<double, kSamples>& dist,
                    const std::array<double, kSamples>& speed, const Interpolation& obliquity)
    {
        m_lonDeg = Interpolation(lon);
        m_latDeg = Interpolation(lat);
        m_distAu = Interpolation(dist);
        m_speed = Interpolation(speed);
        m_obliquity = obliquity;
    }

    Object body() const { return m_body; }
    double cosLatitude() const { return m_cosLat; }

    Place place(double jdUt) const
    {
        Place p;
        p.x = (jdUt - m_firstUt) / kSampleStepDays;
        const double lambda = m_lonDeg.at(p.x) * kRad;
        const double beta = m_latDeg.at(p.x) * kRad;
        const double eps = m_obliquity.at(p.x) * kRad;
        const double sinLambda = std::sin(lambda), cosLambda = std::cos(lambda);
        const double sinEps = std::sin(eps), cosEps = std::cos(eps);
        const double sinBeta = std::sin(beta), cosBeta = std::cos(beta);
        // ecliptic to equatorial (Meeus 13.3, 13.4)
        const double ra = std::atan2(sinLambda * cosEps - sinBeta / cosBeta * sinEps, cosLambda);
        p.sinDec = sinBeta * cosEps + cosBeta * sinEps * sinLambda;
        p.cosDec = std::sqrt(std::max(0.0, 1.0 - p.sinDec * p.sinDec));
        const double gast = m_sidereal0 + kSiderealDegPerDay * (jdUt - m_firstUt);
        p.hourAngleDeg = wrap180(gast + m_lon - ra / kRad);
        return p;
    }

    // Altitude from the centre of the Earth (Meeus 13.6).
    double altitudeDeg(const Place& p) const
    {
        return std::asin(m_sinLat * p.sinDec +
                         m_cosLat * p.cosDec * std::cos(p.hourAngleDeg * kRad)) /
               kRad;
    }

    Sky seen(const Place& p) const
    {
        Sky sky;
        sky.hourAngleDeg = p.hourAngleDeg;
        sky.distanceAu = m_distAu.at(p.x);
        // Parallax: the place lies up to one Earth radius off the centre, which moves the
        // Moon by up to a degree and Venus or Mars by some 20 arcseconds (Meeus 40.2, 40.3).
        const double sinParallax = kEarthRadiusAu / sky.distanceAu;
        const double H = p.hourAngleDeg * kRad;
        const double denominator = p.cosDec - m_rhoCosPhi * sinParallax * std::cos(H);
        const double shiftRa = std::atan2(-m_rhoCosPhi * sinParallax * std::sin(H), denominator);
        const double seenDec =
            std::atan2((p.sinDec - m_rhoSinPhi * sinParallax) * std::cos(shiftRa), denominator);
        sky.seenHourAngleRad = H - shiftRa;
        sky.seenDeclinationDeg = seenDec / kRad;
        sky.seenAltitudeDeg =
            std::asin(m_sinLat * std::sin(seenDec) +
                      m_cosLat * std::cos(seenDec) * std::cos(sky.seenHourAngleRad)) /
            kRad;
        return sky;
    }
    Sky at(double jdUt) const { return seen(place(jdUt)); }

    // Azimuth as seen from the place, from north through east (Meeus 13.5, turned to count
    // from north).
    double azimuthDeg(const Sky& s) const
    {
        const double dec = s.seenDeclinationDeg * kRad;
        const double H = wrap180(s.seenHourAngleRad / kRad) * kRad;
        return normalizeDeg(
            std::atan2(-std::cos(dec) * std::sin(H),
                       std::sin(dec) * m_cosLat - std::cos(dec) * m_sinLat * std::cos(H)) /
            kRad);
    }

    double longitudeDeg(double jdUt) const
    {
        return normalizeDeg(m_lonDeg.at((jdUt - m_firstUt) / kSampleStepDays));
    }
    double speed(double jdUt) const { return m_speed.at((jdUt - m_firstUt) / kSampleStepDays); }

private:
    Object m_body;
    double m_firstUt, m_sidereal0, m_sinLat, m_cosLat, m_lon;
    double m_rhoSinPhi = 0, m_rhoCosPhi = 1;
    Interpolation m_lonDeg, m_latDeg, m_distAu, m_speed, m_obliquity;
};

// Topocentric altitude of the centre at the event: refraction and, for the Sun and the
// Moon, the semidiameter, since their upper limb is what touches the horizon.
double horizonAltitudeDeg(Object body, double distanceAu)
{
    if (body == Object::Sun)
        return -kRefractionDeg - kSunSemidiameterAtOneAuDeg / distanceAu;
    if (body == Object::Moon)
        return -kRefractionDeg -
               std::asin(kMoonRadiusInEarthRadii * kEarthRadiusAu / distanceAu) / kRad;
    return -kRefractionDeg;
}

// How far a smooth level can stray from the straight line between its values at the ends
// of a span, midway, given a bound on its second derivative (degrees per hour squared).
// Far from the moment sought, the line tells which side of it a midpoint lies on, so the
// refinement computes the level only close to that moment; the rounding of a computed level
// is far below kLevelNoiseDeg.
constexpr double kLevelNoiseDeg = 1e-6;
double strayDeg(double curvature, double spanDays)
{
    const double hours = spanDays * 24.0;
    return curvature * hours * hours / 8.0 + 2.0 * kLevelNoiseDeg;
}

// The level (degrees) goes from below zero to zero or above, or back, between a and b,
// where it is levelA and levelB; returns the moment of the change within 0.1 s, as halving
// the span 14 times and computing the level at each midpoint would.
template <class F>
double bisect(F level, double a, double b, double levelA, double levelB, double curvature)
{
    const bool fa = levelA >= 0;
    double strayA = 0, strayB = 0;  // how far levelA and levelB may be off, when estimated
    for (int i = 0; i < 14; ++i) {
        const double m = 0.5 * (a + b);
        double levelM = 0.5 * (levelA + levelB);
        double strayM = 0.5 * (strayA + strayB) + strayDeg(curvature, b - a);
        if (std::fabs(levelM) <= strayM) {
            levelM = level(m);
            strayM = 0;
        }
        if ((levelM >= 0) == fa) {
            a = m;
            levelA = levelM;
            strayA = strayM;
        } else {
            b = m;
            levelB = levelM;
            strayB = strayM;
        }
    }
    return 0.5 * (a + b);
}

// Bounds on how fast a body's place in the sky can change, in degrees per hour, with wide
// margins. The hour angle grows with the sidereal time (15.04) less the body's own motion
// in right ascension: some 0.5 to 0.9 for the Moon, a few hundredths either way for the
// planets, retrograde or not. The altitude changes by at most the hour angle's rate times
// the cosine of the latitude, plus the rate of the declination (a third at most, the Moon's),
// plus the Moon's changing parallax and semidiameter.
constexpr double kFastestHourAngleDegPerHour = 16.5;
constexpr double kMoonAltitudeDriftDegPerHour = 1.5;
constexpr double kPlanetAltitudeDriftDegPerHour = 0.5;
constexpr double kScanStepHours = kScanStepDays * 24.0;
// Bounds on the second derivatives, degrees per hour squared, again with wide margins: the
// hour angle's is the body's acceleration in right ascension, a few thousandths at most;
// the altitude's, close to the horizon, is below 6 (the hour angle's rate squared, in
// radians, times the cosine of the latitude, plus smaller terms).
constexpr double kHourAngleCurvature = 0.1;
constexpr double kAltitudeCurvature = 20.0;

void scanBody(const BodySky& sky, double startUt, std::vector<HorizonEvent>& events)
{
    const Object body = sky.body();
    // The levels whose sign changes at the events: above the horizon, west of the meridian,
    // west of the lower meridian.
    auto aboveHorizon = [body](const Sky& s) {
        return s.seenAltitudeDeg - horizonAltitudeDeg(body, s.distanceAu);
    };
    auto aboveHorizonAt = [&](double t) { return aboveHorizon(sky.at(t)); };
    auto westOfMeridianAt = [&](double t) { return sky.place(t).hourAngleDeg; };
    auto westOfLowerMeridianAt = [&](double t) {
        return wrap180(sky.place(t).hourAngleDeg - 180.0);
    };
    auto add = [&](HorizonEventKind kind, double t) {
        const Place p = sky.place(t);
        HorizonEvent e;
        e.body = body;
        e.kind = kind;
        e.jdUt = t;
        e.altitudeDeg = sky.altitudeDeg(p);
        e.azimuthDeg = sky.azimuthDeg(sky.seen(p));
        e.longitudeDeg = sky.longitudeDeg(t);
        e.retrograde = sky.speed(t) < 0;
        events.push_back(e);
    };
    // How many steps after a sample are sure to hold nothing: no transit, since the hour
    // angle only grows and is far from the next meridian, and no crossing, since the body
    // is too far from the horizon to reach it. The samples there would all look alike, so
    // the scan passes over them.
    const double altitudeDegPerHour =
        kFastestHourAngleDegPerHour * std::fabs(sky.cosLatitude()) +
        (body == Object::Moon ? kMoonAltitudeDriftDegPerHour : kPlanetAltitudeDriftDegPerHour);
    auto quietSteps = [&](const Sky& s) {
        const double toMeridianDeg = s.hourAngleDeg < 0 ? -s.hourAngleDeg : 180.0 - s.hourAngleDeg;
        const double toHorizonDeg = std::fabs(aboveHorizon(s));
        const double hours = std::min(toMeridianDeg / kFastestHourAngleDegPerHour,
                                      toHorizonDeg / altitudeDegPerHour);
        return static_cast<int>(hours / kScanStepHours);
    };
    const int steps = static_cast<int>(std::lround(1.0 / kScanStepDays));
    auto sampleTime = [&](int i) {
        return i == steps ? startUt + 1.0 : startUt + i * kScanStepDays;
    };
    Sky prev = sky.at(startUt);
    for (int i = 1; i <= steps; ++i) {
        const int quiet = quietSteps(prev);
        if (quiet >= 2) {
            i = std::min(steps, i - 1 + quiet);
            prev = sky.at(sampleTime(i));
            continue;
        }
        const double a = startUt + (i - 1) * kScanStepDays;
        const double b = sampleTime(i);
        const Sky cur = sky.at(b);
        // The altitude is highest and lowest at the meridian transits, so a body that grazes
        // the horizon between two samples (far north or south) is above or below it there:
        // the transits split the step, and each part has at most one crossing.
        std::array<double, 4> cuts{a, b, b, b};
        int cutCount = 1;
        // The hour angle grows by a few degrees per step; a sign change with a small jump is
        // a transit, a jump of nearly 360 degrees is the opposite meridian.
        if (prev.hourAngleDeg < 0 && cur.hourAngleDeg >= 0 &&
            cur.hourAngleDeg - prev.hourAngleDeg < 180) {
            const double t = bisect(westOfMeridianAt, a, b, prev.hourAngleDeg, cur.hourAngleDeg,
                                    kHourAngleCurvature);
            add(HorizonEventKind::Zeniths, t);
            cuts[cutCount++] = t;
        }
        const double lowPrev = wrap180(prev.hourAngleDeg - 180.0);
        const double lowCur = wrap180(cur.hourAngleDeg - 180.0);
        if (lowPrev < 0 && lowCur >= 0 && lowCur - lowPrev < 180) {
            const double t =
                bisect(westOfLowerMeridianAt, a, b, lowPrev, lowCur, kHourAngleCurvature);
            add(HorizonEventKind::Nadirs, t);
            cuts[cutCount++] = t;
        }
        cuts[cutCount++] = b;
        // The slots not used hold b, the latest time, so sorting them all keeps them last.
        std::sort(cuts.begin(), cuts.end());
        double was = aboveHorizon(prev);
        for (int k = 1; k < cutCount; ++k) {
            const double now = k + 1 == cutCount ? aboveHorizon(cur) : aboveHorizonAt(cuts[k]);
            if ((now >= 0) != (was >= 0))
                add(now >= 0 ? HorizonEventKind::Rises : HorizonEventKind::Sets,
                    bisect(aboveHorizonAt, cuts[k - 1], cuts[k], was, now, kAltitudeCurvature));
            was = now;
        }
        prev = cur;
    }
}

}  // namespace

std::vector<HorizonEvent> findHorizonEvents(Ephemeris& ephemeris, double startUt,
                                            double latitudeDeg, double longitudeEastDeg,
                                            BodySet bodies)
{
    std::vector<HorizonEvent> events;
    if (bodies.none())
        return events;
    const double firstUt = startUt - kSampleStepDays;
    std::array<double, kSamples> obliquity{};
    std::array<std::array<double, kSamples>, kPlanetCount> lon{}, lat{}, dist{}, speed{};
    // Time by time, so that the library computes nutation and the Earth once per moment.
    for (int k = 0; k < kSamples; ++k) {
        const double t = firstUt + k * kSampleStepDays;
        obliquity[k] = ephemeris.trueObliquityDeg(t);
        for (int i = 0; i < kPlanetCount; ++i) {
            if (!bodies[static_cast<std::size_t>(i)])
                continue;
            const EclipticPosition p = ephemeris.position(static_cast<Object>(i), t);
            // keep the samples continuous across 0 degrees
            lon[i][k] =
                k == 0 ? p.longitudeDeg : lon[i][k - 1] + wrap180(p.longitudeDeg - lon[i][k - 1]);
            lat[i][k] = p.latitudeDeg;
            dist[i][k] = p.distanceAu;
            speed[i][k] = p.speedDegPerDay;
        }
    }
    const Interpolation obliquityTrack(obliquity);
    const double sidereal0 = ephemeris.siderealTimeDeg(firstUt);
    for (int i = 0; i < kPlanetCount; ++i) {
        if (!bodies[static_cast<std::size_t>(i)])
            continue;
        BodySky sky(static_cast<Object>(i), firstUt, sidereal0, latitudeDeg, longitudeEastDeg);
        sky.setSamples(lon[i], lat[i], dist[i], speed[i], obliquityTrack);
        scanBody(sky, startUt, events);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const HorizonEvent& x, const HorizonEvent& y) { return x.jdUt < y.jdUt; });
    return events;
}

void writeRiseSetListing(const Chart& chart, Ephemeris& ephemeris, bool dayFirst, std::string& out,
                         BodySet bodies)
{
    const ChartData& d = chart.data;
    const double start = chart.jdLocalMidnightUt;
    std::vector<HorizonEvent> events =
        findHorizonEvents(ephemeris, start, d.latitudeNorthDeg, d.longitudeEastDeg, bodies);
    auto minuteOf = [start](const HorizonEvent& e) {
        return std::clamp(static_cast<int>(std::floor((e.jdUt - start) * 1440.0)), 0, 1439);
    };
    // Events of one minute stand in object order.
    std::stable_sort(events.begin(), events.end(),
                     [&](const HorizonEvent& a, const HorizonEvent& b) {
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
            angle =
                format("%c%02ld:%02ld'", e.altitudeDeg < 0 && m > 0 ? '-' : '+', m / 60, m % 60);
        }
        out +=
            format("(%s) %s %s %7s %c%s%c %s at %s", weekday.c_str(), date.c_str(),
                   twelveHourTime(minute / 60, minute % 60).c_str(),
                   std::string(objectName(e.body)).c_str(), e.retrograde ? '[' : '(', sign.c_str(),
                   e.retrograde ? ']' : ')', words[static_cast<int>(e.kind)], angle.c_str());
        out += kLineEnd;
    }
}

}  // namespace vantrel::engine
