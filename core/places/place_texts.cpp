#include "core/places/place_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/common/zone_text.h"
#include "core/ports/zone_rules.h"

namespace vantrel::core {

namespace {

std::string angleText(double degrees, char positive, char negative)
{
    const long totalMinutes = std::lround(std::fabs(degrees) * 60.0);
    const char letter = degrees < 0 && totalMinutes != 0 ? negative : positive;
    char minutes[4];
    std::snprintf(minutes, sizeof minutes, "%02d", static_cast<int>(totalMinutes % 60));
    return std::to_string(totalMinutes / 60) + letter + minutes;
}

// "93W21": degrees, the letter, two-digit minutes.
std::optional<double> degreesFromText(std::string_view text, char positive, char negative,
                                      int limitDeg)
{
    const auto at = text.find_first_not_of("0123456789");
    if (at == std::string_view::npos || at == 0 || at > 3 || text.size() != at + 3)
        return std::nullopt;
    const char letter =
        text[at] >= 'a' && text[at] <= 'z' ? static_cast<char>(text[at] - 32) : text[at];
    const auto digits = [](std::string_view part) {
        int value = 0;
        for (const char c : part) {
            if (c < '0' || c > '9')
                return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    const int degrees = digits(text.substr(0, at));
    const int minutes = digits(text.substr(at + 1));
    if ((letter != positive && letter != negative) || minutes < 0 || minutes > 59 ||
        degrees * 60 + minutes > limitDeg * 60)
        return std::nullopt;
    const double value = degrees + minutes / 60.0;
    return letter == positive ? value : -value;
}

}  // namespace

std::optional<double> degreesFromLongitudeText(std::string_view text)
{
    return degreesFromText(text, 'E', 'W', 180);
}

std::optional<double> degreesFromLatitudeText(std::string_view text)
{
    return degreesFromText(text, 'N', 'S', 90);
}

std::optional<std::string> zoneNameNear(const PlaceLookup& places, std::string_view longitudeText,
                                        std::string_view latitudeText)
{
    const auto longitude = degreesFromLongitudeText(longitudeText);
    const auto latitude = degreesFromLatitudeText(latitudeText);
    if (!longitude || !latitude)
        return std::nullopt;
    const auto place = places.nearestPlace(*latitude, *longitude, kNearPlaceKm);
    if (!place || place->zoneName.empty())
        return std::nullopt;
    return place->zoneName;
}

std::string longitudeTextFromDegrees(double longitudeDeg)
{
    return angleText(longitudeDeg, 'E', 'W');
}

std::string latitudeTextFromDegrees(double latitudeDeg)
{
    return angleText(latitudeDeg, 'N', 'S');
}

std::optional<std::string> standardZoneText(const ZoneRules& zoneRules, const std::string& zoneName,
                                            int year)
{
    const auto firstOfJanuary = Date::fromCivil(year, 1, 1);
    const auto firstOfJuly = Date::fromCivil(year, 7, 1);
    if (zoneName.empty() || !firstOfJanuary || !firstOfJuly)
        return std::nullopt;
    const TimeOfDay noon = *TimeOfDay::fromClock(12, 0);
    const auto january = zoneRules.offsetAt({*firstOfJanuary, noon}, zoneName);
    const auto july = zoneRules.offsetAt({*firstOfJuly, noon}, zoneName);
    if (!january || !july)
        return std::nullopt;
    return zoneTextFromMinutesWest(std::max(january->minutesWest, july->minutesWest));
}

LocationTexts locationTextsFor(const Place& place, const ZoneRules& zoneRules, int year)
{
    return {longitudeTextFromDegrees(place.longitudeDeg),
            latitudeTextFromDegrees(place.latitudeDeg),
            standardZoneText(zoneRules, place.zoneName, year)};
}

std::string placeTitle(const Place& place)
{
    std::string title;
    for (const std::string* part : {&place.name, &place.region, &place.country}) {
        if (part->empty())
            continue;
        title += (title.empty() ? "" : ", ") + *part;
    }
    return title;
}

}  // namespace vantrel::core
