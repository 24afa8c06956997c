#pragma once
// The Moon's phases and the Sun's entries from the chart engine's library, in this process: the
// search of the engine's own Swiss Ephemeris, whichever engine program computes the charts.

#include <string>

#include "core/ports/sky_event_source.h"

namespace vantrel::platform {

class EngineSkyEventSource : public core::SkyEventSource {
public:
    // The ephemeris files in `ephemerisFolder` when its files are there, the built-in theory
    // otherwise, as the engine program itself chooses.
    explicit EngineSkyEventSource(std::string ephemerisFolder = kDefaultEphemerisFolder);

    std::vector<core::SkyEvent> events(core::Instant from, core::Instant to,
                                       core::Zodiac zodiac) override;
    std::vector<core::SunAndMoon> sunAndMoon(const std::vector<core::Instant>& moments,
                                             core::Zodiac zodiac) override;

    static constexpr const char* kDefaultEphemerisFolder = "/usr/share/libswe/ephe";

private:
    std::string m_ephemerisFolder;
};

}  // namespace vantrel::platform
