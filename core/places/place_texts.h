#pragma once
// A place chosen by name, written into the location texts the user would otherwise type.

#include <optional>
#include <string>
#include <string_view>

#include "core/ports/place_lookup.h"

namespace vantrel::core {

class ZoneRules;

// Whole degrees, the hemisphere letter and two-digit minutes, rounded to the nearest minute:
// -93.2638 gives "93W16", 151.2073 "151E12", -0.1 "0W06"; a value that rounds to 0 gives
// "0E00" (longitude) or "0N00" (latitude).
std::string longitudeTextFromDegrees(double longitudeDeg);
std::string latitudeTextFromDegrees(double latitudeDeg);

// The zone's offset outside daylight saving in `year`, as the "Time Zone" text (hours west,
// "6", "-5:30"): of the offsets at noon on 1 January and on 1 July the one further west, which
// is standard time north and south of the equator alike (Dublin's winter time, not the Irish
// Standard Time of its summer). nullopt when the zone is unknown.
std::optional<std::string> standardZoneText(const ZoneRules& zoneRules, const std::string& zoneName,
                                            int year);

// The degrees of a longitude or latitude text as the engine reads them ("93W21" is -93.35, "45N05"
// 45.0833: whole degrees, the hemisphere letter in either case, two-digit minutes below 60);
// nullopt for anything else or beyond 180 (90) degrees.
std::optional<double> degreesFromLongitudeText(std::string_view text);
std::optional<double> degreesFromLatitudeText(std::string_view text);

// How far a place may lie from a point for the point to take its time zone.
inline constexpr double kNearPlaceKm = 150;

// The tz zone of the place nearest to the point the two texts name, when one lies within
// kNearPlaceKm and has a zone; nullopt otherwise (texts that name no point included).
std::optional<std::string> zoneNameNear(const PlaceLookup& places, std::string_view longitudeText,
                                        std::string_view latitudeText);

struct LocationTexts {
    std::string longitude;
    std::string latitude;
    std::optional<std::string> zone;  // nullopt: the place's zone is unknown here
};

LocationTexts locationTextsFor(const Place& place, const ZoneRules& zoneRules, int year);

// "Minneapolis, Minnesota, United States of America": the parts that are not empty.
std::string placeTitle(const Place& place);

}  // namespace vantrel::core
