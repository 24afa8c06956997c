#include "core/chart_engine/live_zone.h"

#include <cctype>

#include "core/common/ascii_case.h"
#include "core/common/error.h"
#include "core/ports/messages.h"
#include "core/ports/zone_rules.h"

namespace vantrel::core {

std::string dateOrderSwitchFor(const RegionalSettings& regional)
{
    for (const char c : regional.shortDateFormat) {
        if (std::isalpha(static_cast<unsigned char>(c)))
            return asciiLower(c) == 'd' ? "-Yd" : "";
    }
    return "";
}

LiveZone liveSystemZone(const ZoneRules& zoneRules, const RegionalSettings& regional,
                        Messages& messages)
{
    // Year-first dates are read as well as the others; only a short date without any order
    // leaves the user's dates unreadable.
    if (!hasRecognisableDateOrder(regional))
        messages.showMessage(kDateOrderMessage);
    if (const std::string unknown = zoneRules.unknownSystemZone(); !unknown.empty())
        messages.showMessage(formatMessage(kUnknownZoneMessage, unknown));
    return {&zoneRules, dateOrderSwitchFor(regional)};
}

}  // namespace vantrel::core
