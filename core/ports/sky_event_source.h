#pragma once
// The Moon's phases, the Sun's entries into the signs and the two bodies' longitudes, from the
// program's own ephemeris (whichever engine program the settings name for charts).

#include <vector>

#include "core/common/date_time.h"
#include "core/settings/settings.h"

namespace vantrel::core {

struct SkyEvent {
    enum class Kind { MoonPhase, SunEntersSign };
    Kind kind = Kind::MoonPhase;
    // MoonPhase: 0 New Moon, 1 First Quarter, 2 Full Moon, 3 Last Quarter; SunEntersSign: the
    // sign entered, 0 Aries .. 11 Pisces.
    int index = 0;
    Instant moment{};

    bool operator==(const SkyEvent&) const = default;
};

// Apparent geocentric ecliptic longitudes, 0 <= degrees < 360, in the zodiac asked for.
struct SunAndMoon {
    double sunLongitudeDeg = 0;
    double moonLongitudeDeg = 0;
};

class SkyEventSource {
public:
    virtual ~SkyEventSource() = default;
    // Every phase and every entry with from <= moment < to, in time order, in the tropical or
    // (Sidereal) the sidereal zodiac of the charts; NotChosen counts as tropical. Throws
    // VantrelError when the ephemeris fails or the interval reaches outside the dates it serves.
    virtual std::vector<SkyEvent> events(Instant from, Instant to, Zodiac zodiac) = 0;
    // The Sun and the Moon at each moment, in order. Fails as events().
    virtual std::vector<SunAndMoon> sunAndMoon(const std::vector<Instant>& moments,
                                               Zodiac zodiac) = 0;
};

}  // namespace vantrel::core
