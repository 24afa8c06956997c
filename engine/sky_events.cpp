#include "engine/sky_events.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include <swephexp.h>

#include "engine/listings.h"
#include "engine/text_format.h"

namespace vantrel::engine {

namespace {

// Mean motions, for the first guess of each moment only (Meeus, Astronomical Algorithms,
// chapters 49 and 27).
constexpr double kSynodicMonthDays = 29.530588861;
constexpr double kTropicalYearDays = 365.242189;
constexpr double kPhaseDeg = 90.0;
constexpr double kSignDeg = 30.0;
// Newton's method squares the error at each step: a step of h days leaves about
// h * h * f'' / (2 f'), and the rates here (10 to 16 degrees a day for the elongation, about
// one for the Sun) change by less than a degree a day per day. So a refinement ends with a
// step shorter than kFinalStepDays (the error left is a few milliseconds), or when the
// bracket is narrower than kBracketDays, a hundredth of a second.
constexpr double kFinalStepDays = 1e-3;
constexpr double kBracketDays = 0.01 / 86400.0;
// No Newton step is longer than this; a guess is never further off than a few days.
constexpr double kLongestStepDays = 10.0;
constexpr int kMostSteps = 60;

// A quantity that grows with time (the elongation, the Sun's longitude), at one moment, with
// the longitude of the body the event reports.
struct Sample {
    double valueDeg = 0;
    double rateDegPerDay = 0;
    double longitudeDeg = 0;
    double longitudeRateDegPerDay = 0;
};

struct Crossing {
    double jdUt = 0;
    double longitudeDeg = 0;
};

// An angle as the shortest turn, -180 <= result < 180.
double signedDeg(double deg)
{
    return normalizeDeg(deg + 180.0) - 180.0;
}

// The moment near guessJdUt when the sampled quantity passes targetDeg. It grows, so a sample
// below the target lies before the moment and one above it after: each sample narrows the
// bracket, and a Newton step that would leave the bracket is replaced by its middle.
template <typename Sampler>
Crossing crossing(Sampler& sample, double targetDeg, double meanRateDegPerDay, double guessJdUt)
{
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();
    double t = guessJdUt;
    for (int i = 0; i < kMostSteps; ++i) {
        const Sample s = sample(t);
        const double residualDeg = signedDeg(s.valueDeg - targetDeg);
        (residualDeg < 0 ? low : high) = t;
        const double rate = s.rateDegPerDay > 0 ? s.rateDegPerDay : meanRateDegPerDay;
        double next = t - std::clamp(residualDeg / rate, -kLongestStepDays, kLongestStepDays);
        if (std::fabs(next - t) < kFinalStepDays || high - low < kBracketDays)
            return {next, normalizeDeg(s.longitudeDeg + s.longitudeRateDegPerDay * (next - t))};
        if (next <= low || next >= high)
            next = 0.5 * (low + high);
        t = next;
    }
    throw EphemerisError("the search for a crossing of " + format("%g", targetDeg) +
                         " degrees did not settle");
}

// Every crossing of a multiple of stepDeg by the sampled quantity with start <= moment < end,
// indexed from 0 at 0 degrees; the quantity goes round once in periodDays on average.
template <typename Sampler>
std::vector<SkyEvent> crossings(Sampler& sample, SkyEventKind kind, double stepDeg,
                                double periodDays, double startJdUt, double endJdUt)
{
    const int count = static_cast<int>(std::lround(360.0 / stepDeg));
    const double meanRate = 360.0 / periodDays;
    const double stepDays = stepDeg / meanRate;
    std::vector<SkyEvent> out;
    // From the last crossing at or before the start, each one in turn.
    const double startDeg = sample(startJdUt).valueDeg;
    int index = static_cast<int>(std::floor(startDeg / stepDeg)) % count;
    double guess = startJdUt - (startDeg - index * stepDeg) / meanRate;
    for (;;) {
        const Crossing c = crossing(sample, index * stepDeg, meanRate, guess);
        if (c.jdUt >= endJdUt)
            return out;
        if (c.jdUt >= startJdUt)
            out.push_back({kind, index, c.jdUt, c.longitudeDeg});
        index = (index + 1) % count;
        guess = c.jdUt + stepDays;
    }
}

}  // namespace

std::string skyEventName(const SkyEvent& event)
{
    if (event.kind == SkyEventKind::MoonPhase)
        return std::string(kMoonPhaseNames[event.index]);
    return "Sun enters " + std::string(kSignNames[event.index]);
}

double firstServedJdUt()
{
    return Ephemeris::julianDay(kFirstDate.year, kFirstDate.month, kFirstDate.day, 0.0);
}

double endServedJdUt()
{
    return Ephemeris::julianDay(kLastDate.year, kLastDate.month, kLastDate.day, 24.0);
}

std::vector<SkyEvent> findSkyEvents(Ephemeris& ephemeris, double startJdUt, double endJdUt,
                                    Zodiac zodiac)
{
    if (startJdUt < firstServedJdUt() || endJdUt > endServedJdUt())
        throw std::out_of_range(format("events asked for JD %.5f to %.5f, outside the dates the "
                                       "ephemeris serves (JD %.1f to %.1f)",
                                       startJdUt, endJdUt, firstServedJdUt(), endServedJdUt()));
    if (!(startJdUt < endJdUt))
        return {};
    const bool sidereal = zodiac == Zodiac::Sidereal;
    auto ayanamsa = [&](double t) { return sidereal ? ephemeris.ayanamsaDeg(t) : 0.0; };
    auto elongation = [&](double t) {
        const EclipticPosition sun = ephemeris.position(Object::Sun, t);
        const EclipticPosition moon = ephemeris.position(Object::Moon, t);
        return Sample{normalizeDeg(moon.longitudeDeg - sun.longitudeDeg),
                      moon.speedDegPerDay - sun.speedDegPerDay, moon.longitudeDeg,
                      moon.speedDegPerDay};
    };
    auto sunLongitude = [&](double t) {
        const EclipticPosition sun = ephemeris.position(Object::Sun, t);
        const double deg = normalizeDeg(sun.longitudeDeg - ayanamsa(t));
        return Sample{deg, sun.speedDegPerDay, deg, sun.speedDegPerDay};
    };
    std::vector<SkyEvent> phases = crossings(elongation, SkyEventKind::MoonPhase, kPhaseDeg,
                                             kSynodicMonthDays, startJdUt, endJdUt);
    // The elongation is the same in either zodiac; the Moon's longitude is not.
    for (SkyEvent& e : phases)
        e.longitudeDeg = normalizeDeg(e.longitudeDeg - ayanamsa(e.jdUt));
    const std::vector<SkyEvent> entries = crossings(
        sunLongitude, SkyEventKind::SunEntersSign, kSignDeg, kTropicalYearDays, startJdUt, endJdUt);
    std::vector<SkyEvent> all;
    all.reserve(phases.size() + entries.size());
    std::merge(phases.begin(), phases.end(), entries.begin(), entries.end(),
               std::back_inserter(all),
               [](const SkyEvent& a, const SkyEvent& b) { return a.jdUt < b.jdUt; });
    return all;
}

void writeSkyEventListing(const std::vector<SkyEvent>& events, std::string& out)
{
    if (events.empty()) {
        out += "No events found.";
        out += kLineEnd;
        return;
    }
    for (const SkyEvent& e : events) {
        // The nearest whole second, counted from the midnight that begins JD 0.
        const long long seconds = std::llround((e.jdUt + 0.5) * 86400.0);
        const long long dayNumber = seconds / 86400;
        const int second = static_cast<int>(seconds % 86400);
        int year = 0;
        int month = 0;
        int day = 0;
        double noon = 0;
        swe_revjul(static_cast<double>(dayNumber), SE_GREG_CAL, &year, &month, &day, &noon);
        // Rounded to the four decimals shown, so that an entry at 359.99999 reads 0.0000.
        double deg = std::round(e.longitudeDeg * 1e4) / 1e4;
        if (deg >= 360.0)
            deg -= 360.0;
        const bool phase = e.kind == SkyEventKind::MoonPhase;
        out += format("%04d-%02d-%02d %02d:%02d:%02d UT  %-4s  %-13s %8.4f %s", year, month, day,
                      second / 3600, second / 60 % 60, second % 60, phase ? "Moon" : "Sun",
                      std::string(phase ? kMoonPhaseNames[e.index] : kSignNames[e.index]).c_str(),
                      deg, zodiacText(deg).c_str());
        out += kLineEnd;
    }
}

}  // namespace vantrel::engine
