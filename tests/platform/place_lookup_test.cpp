// The cities database of libgeonames behind the place look-up, and its zones in the tz database.

#include <gtest/gtest.h>

#include "platform/geonames_place_lookup.h"
#include "platform/qt_zone_rules.h"

namespace vantrel::platform {
namespace {

// Coordinates from atlases: Minneapolis 44°59'N 93°16'W, São Paulo 23°33'S 46°38'W, Dublin
// 53°21'N 6°16'W; the zones are those the tz database gives the three cities.
TEST(GeonamesPlaceLookup, CityComesWithItsRegionCountryCoordinatesAndZone)
{
    const struct {
        const char* query;
        const char* name;
        const char* region;
        const char* country;
        double latitudeDeg;
        double longitudeDeg;
        const char* zone;
    } rows[] = {
        {"Minneapolis", "Minneapolis", "Minnesota", "United States of America", 44.98, -93.27,
         "America/Chicago"},
        {"minnea", "Minneapolis", "Minnesota", "United States of America", 44.98, -93.27,
         "America/Chicago"},
        {"sao paulo", "S\u00E3o Paulo", "S\u00E3o Paulo", "Brazil", -23.55, -46.63,
         "America/Sao_Paulo"},
        {"Dublin", "Dublin", "Leinster", "Ireland", 53.35, -6.27, "Europe/Dublin"},
    };
    const GeonamesPlaceLookup lookup;
    for (const auto& row : rows) {
        const auto places = lookup.findPlaces(row.query, 10);
        ASSERT_FALSE(places.empty()) << row.query;
        const core::Place& first = places.front();
        EXPECT_EQ(first.name, row.name) << row.query;
        EXPECT_EQ(first.region, row.region) << row.query;
        EXPECT_EQ(first.country, row.country) << row.query;
        EXPECT_NEAR(first.latitudeDeg, row.latitudeDeg, 0.05) << row.query;
        EXPECT_NEAR(first.longitudeDeg, row.longitudeDeg, 0.05) << row.query;
        EXPECT_EQ(first.zoneName, row.zone) << row.query;
    }
}

TEST(GeonamesPlaceLookup, LargestPlaceFirstAtMostTheNumberAskedAndNothingForNoName)
{
    const GeonamesPlaceLookup lookup;
    const auto dublins = lookup.findPlaces("Dublin", 10);
    ASSERT_GE(dublins.size(), 2u) << "Dublin in Ireland and in the United States";
    for (std::size_t i = 1; i < dublins.size(); ++i)
        EXPECT_GE(dublins[i - 1].population, dublins[i].population);
    EXPECT_EQ(lookup.findPlaces("San", 5).size(), 5u);
    EXPECT_TRUE(lookup.findPlaces("Xqzvwk", 10).empty());
    EXPECT_TRUE(lookup.findPlaces("", 10).empty());
}

// A place whose zone the tz database does not know could not be used with its own time.
TEST(GeonamesPlaceLookup, PlaceZonesAreKnownToTheTzDatabase)
{
    const GeonamesPlaceLookup lookup;
    const QtZoneRules rules;
    for (const char* query : {"San", "New", "Al", "Ka", "Be"}) {
        for (const core::Place& place : lookup.findPlaces(query, 100)) {
            EXPECT_TRUE(rules.offsetAt({*core::Date::fromCivil(2026, 1, 1), core::TimeOfDay()},
                                       place.zoneName))
                << place.name << ": " << place.zoneName;
        }
    }
}

}  // namespace
}  // namespace vantrel::platform
