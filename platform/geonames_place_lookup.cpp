#include "platform/geonames_place_lookup.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <unordered_map>

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

constexpr double kEarthRadiusKm = 6371.0;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

double greatCircleKm(double lat1, double lon1, double lat2, double lon2)
{
    // The haversine formula (R. W. Sinnott, "Virtues of the Haversine", Sky and Telescope 68,
    // 1984), well conditioned for the short distances asked here.
    const double dLat = (lat2 - lat1) * kRadiansPerDegree;
    const double dLon = (lon2 - lon1) * kRadiansPerDegree;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(lat1 * kRadiansPerDegree) * std::cos(lat2 * kRadiansPerDegree) *
                         std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

// Every city of the database by one-degree cell of latitude and longitude.
class CityGrid {
public:
    CityGrid()
    {
        const gint count = geonames_get_n_cities();
        for (gint i = 0; i < count; ++i) {
            if (GeonamesCity* city = geonames_get_city(i)) {
                const core::Place place = placeFrom(city);
                geonames_city_free(city);
                m_cells[cellOf(cellRow(place.latitudeDeg), cellColumn(place.longitudeDeg))]
                    .push_back(place);
            }
        }
    }

    std::optional<core::Place> nearest(double latitudeDeg, double longitudeDeg,
                                       double withinKm) const
    {
        // A degree of latitude is 111 km; a degree of longitude shrinks toward the poles, where
        // every column near enough is searched.
        const int rows = static_cast<int>(std::ceil(withinKm / 111.0));
        const double shrink =
            std::cos(std::min(89.0, std::fabs(latitudeDeg) + rows) * kRadiansPerDegree);
        const int columns = std::min(180, static_cast<int>(std::ceil(withinKm / (111.0 * shrink))));
        const core::Place* best = nullptr;
        double bestKm = withinKm;
        const int row = cellRow(latitudeDeg);
        const int column = cellColumn(longitudeDeg);
        for (int r = row - rows; r <= row + rows; ++r) {
            for (int c = column - columns; c <= column + columns; ++c) {
                const auto found = m_cells.find(cellOf(r, (c % 360 + 360) % 360));
                if (found == m_cells.end())
                    continue;
                for (const core::Place& place : found->second) {
                    const double km = greatCircleKm(latitudeDeg, longitudeDeg, place.latitudeDeg,
                                                    place.longitudeDeg);
                    if (km <= bestKm) {
                        bestKm = km;
                        best = &place;
                    }
                }
            }
        }
        return best ? std::optional<core::Place>(*best) : std::nullopt;
    }

private:
    static int cellRow(double latitudeDeg) { return static_cast<int>(std::floor(latitudeDeg)); }
    static int cellColumn(double longitudeDeg)
    {
        return (static_cast<int>(std::floor(longitudeDeg)) % 360 + 360) % 360;
    }
    static long cellOf(int row, int column) { return static_cast<long>(row) * 1000 + column; }

    std::unordered_map<long, std::vector<core::Place>> m_cells;
};

}  // namespace

std::optional<core::Place>
GeonamesPlaceLookup::nearestPlace(double latitudeDeg, double longitudeDeg, double withinKm) const
{
    // Built once, on first use, whichever thread asks first; only read afterwards.
    static const CityGrid grid;
    return grid.nearest(latitudeDeg, longitudeDeg, withinKm);
}

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
