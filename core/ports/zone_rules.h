#pragma once
// The system time zone, as the start-up snapshot needs it.

#include <optional>

#include "core/common/date_time.h"

namespace vantrel::core {

struct ZoneInfo {
    int standardBiasMinutesWest = 0;  // 330 for UTC-5:30, -60 for UTC+1
    bool observesDaylight = false;
    DateTime daylightStart = 0;  // local moment daylight time begins in the given year
    DateTime daylightEnd = 0;    // local moment it ends in the given year
};

class ZoneRules {
public:
    virtual ~ZoneRules() = default;
    // nullopt when the system's zone cannot be read.
    virtual std::optional<ZoneInfo> zoneForYear(int year) const = 0;
};

}  // namespace vantrel::core
