#pragma once

// The Moon's phases and the Sun's entries into the signs, to the second, in universal time.
//
// A phase is the moment the apparent geocentric elongation of the Moon from the Sun (the
// difference of their ecliptic longitudes of date) passes 0, 90, 180 or 270 degrees; an entry
// is the moment the Sun's apparent geocentric longitude passes a multiple of 30 degrees, in
// the tropical zodiac or, less the Fagan/Bradley ayanamsa the charts' sidereal zodiac uses, in
// the sidereal one. Both quantities only ever grow (the Moon outruns the Sun by 10 to 16
// degrees a day, the Sun never turns back), so each crossing is a single root: the search
// predicts it from the mean motion and refines it by Newton's method with the ephemeris'
// own daily motions, inside a bracket that falls back to bisection, to a hundredth of a
// second.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ephemeris.h"

namespace vantrel::engine {

enum class SkyEventKind { MoonPhase, SunEntersSign };

enum class Zodiac { Tropical, Sidereal };

struct SkyEvent {
    SkyEventKind kind = SkyEventKind::MoonPhase;
    // MoonPhase: 0 New Moon, 1 First Quarter, 2 Full Moon, 3 Last Quarter (the elongation over
    // 90 degrees); SunEntersSign: the sign entered, 0 Aries .. 11 Pisces.
    int index = 0;
    double jdUt = 0;
    // At the moment, in the zodiac searched: the Moon's longitude at a phase, the Sun's (the
    // sign's first degree) at an entry; 0 <= longitudeDeg < 360.
    double longitudeDeg = 0;
};

inline constexpr std::array<std::string_view, 4> kMoonPhaseNames = {"New Moon", "First Quarter",
                                                                    "Full Moon", "Last Quarter"};

inline constexpr std::array<std::string_view, 12> kSignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

// "Full Moon", "Sun enters Aries".
std::string skyEventName(const SkyEvent& event);

// The moments the search serves: 1 January 1, 00:00 UT, to the end of 31 December 3000 (the
// engine's chart dates, proleptic Gregorian calendar).
double firstServedJdUt();
double endServedJdUt();

// Every phase and every entry of the Sun into a sign with startJdUt <= moment < endJdUt, in
// time order (a phase before an entry at the very same moment). An empty or reversed interval
// gives none. Throws std::out_of_range when the interval reaches outside
// [firstServedJdUt(), endServedJdUt()], EphemerisError when the ephemeris fails. Uses no
// state but the ephemeris given: threads with ephemerides of their own search at once.
std::vector<SkyEvent> findSkyEvents(Ephemeris& ephemeris, double startJdUt, double endJdUt,
                                    Zodiac zodiac = Zodiac::Tropical);

// The listing of the events: one line each, ended with CR LF, or the one line
// "No events found." (columns in the manual page).
void writeSkyEventListing(const std::vector<SkyEvent>& events, std::string& out);

}  // namespace vantrel::engine
