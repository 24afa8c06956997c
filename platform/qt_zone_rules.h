#pragma once
#include "core/ports/zone_rules.h"

namespace vantrel::platform {

// The system time zone through QTimeZone: its standard offset and the year's daylight-saving
// transitions, as local clock readings at the moment each happens.
class QtZoneRules : public core::ZoneRules {
public:
    std::optional<core::ZoneInfo> zoneForYear(int year) const override;
};

}  // namespace vantrel::platform
