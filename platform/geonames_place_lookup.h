#pragma once
#include "core/ports/place_lookup.h"

namespace vantrel::platform {

// Places from libgeonames: the GeoNames cities of 15,000 people and more, with each city's tz
// zone, compiled into the library (Debian package libgeonames0); nothing is downloaded. Throws
// core::VantrelError when the library reports a failure.
class GeonamesPlaceLookup : public core::PlaceLookup {
public:
    std::vector<core::Place> findPlaces(const std::string& query,
                                        std::size_t maxResults) const override;
    // The first call reads every city of the database into a grid of one-degree cells, once for
    // the whole program; every later one reads that grid alone.
    std::optional<core::Place> nearestPlace(double latitudeDeg, double longitudeDeg,
                                            double withinKm) const override;
};

}  // namespace vantrel::platform
