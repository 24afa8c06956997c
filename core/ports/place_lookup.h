#pragma once
// Places by name, from a cities database that ships with the system.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::core {

struct Place {
    std::string name;         // "Minneapolis"
    std::string region;       // "Minnesota"; may be empty
    std::string country;      // "United States of America"
    double latitudeDeg = 0;   // north positive
    double longitudeDeg = 0;  // east positive
    std::string zoneName;     // tz zone, "America/Chicago"; may be empty
    long population = 0;
};

class PlaceLookup {
public:
    virtual ~PlaceLookup() = default;
    // The places whose name matches `query` (a few letters of it, as the database matches them),
    // the most populous first, at most maxResults. Empty when nothing matches. May take a while
    // (the first call reads the database), so callers ask from a worker thread; calls must not
    // overlap.
    virtual std::vector<Place> findPlaces(const std::string& query,
                                          std::size_t maxResults) const = 0;

    // The place nearest to the point (degrees, north and east positive) on the great circle,
    // when one lies within withinKm kilometres; nullopt otherwise. May be called from several
    // threads at once.
    virtual std::optional<Place> nearestPlace(double latitudeDeg, double longitudeDeg,
                                              double withinKm) const = 0;
};

}  // namespace vantrel::core
