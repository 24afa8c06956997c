#pragma once
// A sky of the test's own making: the events it is given, and the Sun and the Moon where a
// function of the moment puts them.

#include <functional>
#include <utility>
#include <vector>

#include "core/ports/sky_event_source.h"

namespace vantrel::testing {

class FakeSkyEventSource : public core::SkyEventSource {
public:
    std::vector<core::SkyEvent> sky;
    // The Sun and the Moon at a moment; by default both at 0 degrees.
    std::function<core::SunAndMoon(core::Instant)> bodiesAt = [](core::Instant) {
        return core::SunAndMoon{};
    };
    // The intervals asked for, and the moments.
    std::vector<std::pair<core::Instant, core::Instant>> askedIntervals;
    std::vector<core::Instant> askedMoments;

    std::vector<core::SkyEvent> events(core::Instant from, core::Instant to, core::Zodiac) override
    {
        askedIntervals.emplace_back(from, to);
        std::vector<core::SkyEvent> found;
        for (const core::SkyEvent& event : sky) {
            if (event.moment >= from && event.moment < to)
                found.push_back(event);
        }
        return found;
    }

    std::vector<core::SunAndMoon> sunAndMoon(const std::vector<core::Instant>& moments,
                                             core::Zodiac) override
    {
        std::vector<core::SunAndMoon> bodies;
        for (const core::Instant moment : moments) {
            askedMoments.push_back(moment);
            bodies.push_back(bodiesAt(moment));
        }
        return bodies;
    }
};

}  // namespace vantrel::testing
