#include "platform/geonames_place_lookup.h"

#include <algorithm>

#include <geonames.h>

#include "core/common/error.h"

namespace vantrel::platform {

namespace {

std::string text(const gchar* value)
{
    return value ? std::string(value) : std::string();
}

core::Place placeFrom(GeonamesCity* city)
{
    core::Place place;
    place.name = text(geonames_city_get_name(city));
    place.region = text(geonames_city_get_state(city));
    place.country = text(geonames_city_get_country(city));
    place.latitudeDeg = geonames_city_get_latitude(city);
    place.longitudeDeg = geonames_city_get_longitude(city);
    place.zoneName = text(geonames_city_get_timezone(city));
    place.population = static_cast<long>(geonames_city_get_population(city));
    return place;
}

}  // namespace

std::vector<core::Place> GeonamesPlaceLookup::findPlaces(const std::string& query,
                                                         std::size_t maxResults) const
{
    std::vector<core::Place> places;
    guint count = 0;
    GError* error = nullptr;
    gint* indexes =
        geonames_query_cities_sync(query.c_str(), GEONAMES_QUERY_DEFAULT, &count, nullptr, &error);
    if (error) {
        const std::string message = text(error->message);
        g_error_free(error);
        g_free(indexes);
        throw core::VantrelError("The place search failed: " + message);
    }
    if (!indexes)
        return places;
    for (guint i = 0; i < count; ++i) {
        if (GeonamesCity* city = geonames_get_city(indexes[i])) {
            places.push_back(placeFrom(city));
            geonames_city_free(city);
        }
    }
    g_free(indexes);
    std::stable_sort(places.begin(), places.end(), [](const core::Place& a, const core::Place& b) {
        return a.population > b.population;
    });
    if (places.size() > maxResults)
        places.resize(maxResults);
    return places;
}

}  // namespace vantrel::platform
