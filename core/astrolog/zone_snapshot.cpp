#include "core/astrolog/zone_snapshot.h"

#include <cctype>

#include "core/ports/clock.h"
#include "core/ports/messages.h"
#include "core/ports/zone_rules.h"

namespace vantrel::core {

std::string dateOrderSwitchFor(const RegionalSettings& regional)
{
    for (const char c : regional.shortDateFormat) {
        if (std::isalpha(static_cast<unsigned char>(c)))
            return std::tolower(static_cast<unsigned char>(c)) == 'd' ? "-Yd" : "";
    }
    return "";
}

ZoneSnapshot TakeSystemZoneSnapshot(const ZoneRules& zoneRules, const Clock& clock,
                                    const RegionalSettings& regional, Messages& messages)
{
    ZoneSnapshot snapshot;
    const int year = dateFromDateTime(clock.now()).year;
    if (const auto info = zoneRules.zoneForYear(year)) {
        if (shortDateOrder(regional) == DateOrder::YearMonthDay) {
            messages.showMessage(DateOrderMessage);
        } else if (info->observesDaylight) {
            snapshot.DaylightStart = info->daylightStart;
            snapshot.DaylightEnd = info->daylightEnd;
        }
        // Integer division truncates toward zero: a bias of 330 minutes gives 5, -570 gives -9.
        snapshot.SystemZoneHours = info->standardBiasMinutesWest / 60;
        snapshot.systemZoneMinutesWest = info->standardBiasMinutesWest;
    }
    snapshot.DateOrderSwitch = dateOrderSwitchFor(regional);
    return snapshot;
}

}  // namespace vantrel::core
