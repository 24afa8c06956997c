#pragma once
// A place database of a few places, for the place search and the places of batch lines.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/place_lookup.h"

namespace vantrel::testing {

class FakePlaceLookup : public core::PlaceLookup {
public:
    std::vector<core::Place> places = {
        {"Dublin", "Leinster", "Ireland", 53.3331, -6.2489, "Europe/Dublin", 1024027},
        {"Minneapolis", "Minnesota", "United States of America", 44.98, -93.2638, "America/Chicago",
         410939},
        {"Dublin", "California", "United States of America", 37.7022, -121.9358,
         "America/Los_Angeles", 57721},
    };
    mutable std::vector<std::string> queries;

    // Places whose name begins with the letters asked, in any case, in the order above.
    std::vector<core::Place> findPlaces(const std::string& query,
                                        std::size_t maxResults) const override
    {
        queries.push_back(query);
        std::vector<core::Place> found;
        for (const core::Place& place : places) {
            const bool matches =
                std::equal(query.begin(), query.end(), place.name.begin(),
                           place.name.begin() + static_cast<std::ptrdiff_t>(
                                                    std::min(query.size(), place.name.size())),
                           [](char a, char b) { return std::tolower(a) == std::tolower(b); });
            if (matches && query.size() <= place.name.size() && found.size() < maxResults)
                found.push_back(place);
        }
        return found;
    }

    // By the distance on a flat map of degrees (111 km each, longitude shrunk by the latitude's
    // cosine): near enough for places far apart.
    std::optional<core::Place> nearestPlace(double latitudeDeg, double longitudeDeg,
                                            double withinKm) const override
    {
        const core::Place* best = nullptr;
        double bestKm = withinKm;
        for (const core::Place& place : places) {
            const double north = place.latitudeDeg - latitudeDeg;
            const double east =
                (place.longitudeDeg - longitudeDeg) * std::cos(latitudeDeg * 3.14159265 / 180);
            const double km = 111.2 * std::hypot(north, east);
            if (km <= bestKm) {
                bestKm = km;
                best = &place;
            }
        }
        return best ? std::optional<core::Place>(*best) : std::nullopt;
    }
};

}  // namespace vantrel::testing
