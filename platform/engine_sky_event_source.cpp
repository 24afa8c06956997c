#include "platform/engine_sky_event_source.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/common/error.h"
#include "engine/chart.h"
#include "engine/sky_events.h"

namespace vantrel::platform {

namespace {

// 1 January 1970, 00:00 UT, where the moments count from.
constexpr double kJulianDayOfEpoch = 2440587.5;
constexpr double kMillisecondsPerDay = 86400000.0;

double julianDayFrom(core::Instant moment)
{
    return moment.time_since_epoch().count() / kMillisecondsPerDay + kJulianDayOfEpoch;
}

core::Instant instantFromJulianDay(double jdUt)
{
    return core::Instant(
        std::chrono::milliseconds(std::llround((jdUt - kJulianDayOfEpoch) * kMillisecondsPerDay)));
}

engine::Zodiac engineZodiac(core::Zodiac zodiac)
{
    return zodiac == core::Zodiac::Sidereal ? engine::Zodiac::Sidereal : engine::Zodiac::Tropical;
}

// The thread's ephemeris, opened afresh for moments near or beyond the ends of its files, as the
// engine program opens it there, so that both give the same moments.
engine::Ephemeris ephemerisFor(const std::string& folder, double firstJdUt, double lastJdUt)
{
    return engine::Ephemeris(folder, engine::Ephemeris::withinFiles(firstJdUt, lastJdUt)
                                         ? engine::Ephemeris::Opening::Kept
                                         : engine::Ephemeris::Opening::Afresh);
}

// Runs a search, carrying the engine's failures to the program's one error type.
template <typename Search> auto searched(const Search& search)
{
    try {
        return search();
    } catch (const engine::EphemerisError& error) {
        throw core::VantrelError(std::string("The ephemeris failed: ") + error.what());
    } catch (const std::out_of_range&) {
        throw core::VantrelError(
            "The Moon's phases and the Sun's entries are computed from 1 January 1 to 31 "
            "December 3000 only");
    }
}

}  // namespace

EngineSkyEventSource::EngineSkyEventSource(std::string ephemerisFolder)
    : m_ephemerisFolder(std::move(ephemerisFolder))
{
}

std::vector<core::SkyEvent> EngineSkyEventSource::events(core::Instant from, core::Instant to,
                                                         core::Zodiac zodiac)
{
    return searched([&] {
        const double firstJdUt = julianDayFrom(from);
        const double endJdUt = julianDayFrom(to);
        // The library's state belongs to the calling thread: a search makes its own ephemeris.
        engine::Ephemeris ephemeris = ephemerisFor(m_ephemerisFolder, firstJdUt, endJdUt);
        std::vector<core::SkyEvent> found;
        for (const engine::SkyEvent& event :
             engine::findSkyEvents(ephemeris, firstJdUt, endJdUt, engineZodiac(zodiac))) {
            found.push_back({event.kind == engine::SkyEventKind::MoonPhase
                                 ? core::SkyEvent::Kind::MoonPhase
                                 : core::SkyEvent::Kind::SunEntersSign,
                             event.index, instantFromJulianDay(event.jdUt)});
        }
        return found;
    });
}

std::vector<core::SunAndMoon>
EngineSkyEventSource::sunAndMoon(const std::vector<core::Instant>& moments, core::Zodiac zodiac)
{
    return searched([&] {
        const auto [first, last] = std::minmax_element(moments.begin(), moments.end());
        engine::Ephemeris ephemeris =
            first == moments.end()
                ? engine::Ephemeris(m_ephemerisFolder)
                : ephemerisFor(m_ephemerisFolder, julianDayFrom(*first), julianDayFrom(*last));
        std::vector<core::SunAndMoon> positions;
        positions.reserve(moments.size());
        for (const core::Instant moment : moments) {
            const double jdUt = julianDayFrom(moment);
            const double ayanamsaDeg =
                zodiac == core::Zodiac::Sidereal ? ephemeris.ayanamsaDeg(jdUt) : 0.0;
            positions.push_back(
                {engine::normalizeDeg(ephemeris.position(engine::Object::Sun, jdUt).longitudeDeg -
                                      ayanamsaDeg),
                 engine::normalizeDeg(ephemeris.position(engine::Object::Moon, jdUt).longitudeDeg -
                                      ayanamsaDeg)});
        }
        return positions;
    });
}

}  // namespace vantrel::platform
