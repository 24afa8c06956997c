#pragma once

// Rising, setting and meridian transits of the Sun, the Moon and the planets.
//
// Each body's apparent position is computed five times, half a day apart around the day,
// and interpolated in between; the altitude and hour angle are then sampled every few
// minutes, each step split at the meridian transits it holds (where the altitude peaks, so
// that a body showing for a minute near the poles is not missed), and each crossing is
// refined by bisection. A body that stays above or below the
// horizon all day (polar day or night) simply has no rising or setting: that is a normal
// outcome, not a failure.
//
// Conventions (the almanac's): the Sun and the Moon rise and set with their upper limb on
// the horizon, the planets with their centre, all with 34' of refraction, all as seen from
// the place (parallax applied: a degree for the Moon, some 20" for Venus and Mars when
// near). Zenith and nadir are the upper and lower meridian transits.

#include <bitset>
#include <string>
#include <vector>

#include "engine/chart.h"
#include "engine/ephemeris.h"

namespace vantrel::engine {

enum class HorizonEventKind { Rises, Zeniths, Sets, Nadirs };

struct HorizonEvent {
    Object body = Object::Sun;
    HorizonEventKind kind = HorizonEventKind::Rises;
    double jdUt = 0;
    double azimuthDeg = 0;    // from north through east (rises, sets)
    double altitudeDeg = 0;   // geocentric, without refraction (zeniths, nadirs)
    double longitudeDeg = 0;  // tropical ecliptic longitude at the moment
    bool retrograde = false;
};

// Bodies among Sun through Pluto, by their Object numbers.
using BodySet = std::bitset<kPlanetCount>;
inline constexpr BodySet kEveryBody{(1u << kPlanetCount) - 1};

// Every event of the bodies with startUt <= moment < startUt + 1 day, in time order.
std::vector<HorizonEvent> findHorizonEvents(Ephemeris& ephemeris, double startUt,
                                            double latitudeDeg, double longitudeEastDeg,
                                            BodySet bodies = kEveryBody);

// The rise and set listing of the bodies on the chart's local calendar day.
void writeRiseSetListing(const Chart& chart, Ephemeris& ephemeris, bool dayFirst, std::string& out,
                         BodySet bodies = kEveryBody);

}  // namespace vantrel::engine
