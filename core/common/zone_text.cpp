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

}  // namespace vantrel::core
