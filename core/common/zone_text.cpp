#include "core/common/zone_text.h"

#include <cstdio>
#include <cstdlib>

namespace vantrel::core {

std::string zoneTextFromMinutesWest(int minutesWest)
{
    if (minutesWest % 60 == 0)
        return std::to_string(minutesWest / 60);
    const int magnitude = std::abs(minutesWest);
    char minutes[4];
    std::snprintf(minutes, sizeof minutes, "%02d", magnitude % 60);
    return (minutesWest < 0 ? "-" : "") + std::to_string(magnitude / 60) + ":" + minutes;
}

std::optional<int> minutesWestFromZoneText(std::string_view text)
{
    int sign = 1;
    if (text.starts_with('-') || text.starts_with('+')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    const auto digits = [](std::string_view part) -> std::optional<int> {
        if (part.empty() || part.size() > 2)
            return std::nullopt;
        int value = 0;
        for (const char c : part) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    const std::size_t separator = text.find_first_of(":.");
    const std::optional<int> hours = digits(text.substr(0, separator));
    std::optional<int> minutes = 0;
    if (separator != std::string_view::npos) {
        const std::string_view minuteText = text.substr(separator + 1);
        minutes = minuteText.size() == 2 ? digits(minuteText) : std::nullopt;
    }
    if (!hours || !minutes || *minutes > 59 || *hours * 60 + *minutes > 24 * 60)
        return std::nullopt;
    return sign * (*hours * 60 + *minutes);
}

}  // namespace vantrel::core
