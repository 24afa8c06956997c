#pragma once
#include "core/ports/zone_rules.h"

namespace vantrel::platform {

// Zones through QTimeZone, which reads the system's tz database (and a POSIX rule in TZ): the
// system zone is QTimeZone::systemTimeZone(), read afresh at every call.
class QtZoneRules : public core::ZoneRules {
public:
    std::optional<core::ZoneOffset> offsetAt(const core::LocalDateTime& localMoment,
                                             std::string_view zoneName) const override;
    std::optional<core::LocalDateTime> localTime(core::Instant moment,
                                                 std::string_view zoneName) const override;
    std::string unknownSystemZone() const override;
};

}  // namespace vantrel::platform
