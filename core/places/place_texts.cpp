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

}  // namespace

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
