#pragma once
#include <map>
#include <memory>
#include <string>

#include "core/ports/zone_rules.h"

namespace vantrel::platform {

// Zones read straight from the system's tz database files (TZif, version 2 and 3), without Qt,
// answering as QtZoneRules does wherever answersAround() says so: the same file for the same
// zone, the same split of an offset into standard time and daylight saving, the same readings
// in skipped and repeated hours. Past a file's last transition it follows the file's closing
// rule only when that rule keeps no daylight saving; where it would need one that does, offsetAt
// and localTime give nullopt. Each zone's file is read once and kept: not safe to share between
// threads.
class TzFileZoneRules : public core::ZoneRules {
public:
    TzFileZoneRules();
    ~TzFileZoneRules() override;

    std::optional<core::ZoneOffset> offsetAt(const core::LocalDateTime& localMoment,
                                             std::string_view zoneName) const override;
    std::optional<core::LocalDateTime> localTime(core::Instant moment,
                                                 std::string_view zoneName) const override;
    // TZ (or /etc/localtime) when these rules cannot read the system's zone, a POSIX rule in TZ
    // among them, which the Qt zone rules do read.
    std::string unknownSystemZone() const override;

    // Whether these rules answer for `zoneName` (the system's when empty) from `moment` to two
    // days after it exactly as the Qt zone rules do: the zone's file is found and read, and the
    // stretch lies within its explicit transitions (or the rule after them keeps no daylight
    // saving). False for a POSIX rule in TZ, an unknown or unsafe name ("../etc/passwd") and an
    // unreadable file.
    bool answersAround(core::Instant moment, std::string_view zoneName) const;

    struct Zone;

private:
    // The zone's parsed file, read on first use; null when it cannot be found or read.
    const Zone* zoneNamed(std::string_view zoneName) const;
    const Zone* zoneFromFile(const std::string& path) const;

    mutable std::map<std::string, std::unique_ptr<Zone>, std::less<>> m_zonesByPath;
};

}  // namespace vantrel::platform
