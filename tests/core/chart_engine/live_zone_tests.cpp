// The live zone: the zone rules kept for the command files, and the date order.

#include "core/chart_engine/live_zone.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using testing::FakeMessages;
using testing::FakeZoneRules;

TEST(LiveZone, DateOrderSwitchAndMessageByTheShortDate)
{
    const struct {
        const char* shortDate;
        const char* dateOrderSwitch;
        bool message;
    } rows[] = {
        {"m/d/yyyy", "", false},   {"dd.mm.yyyy", "-Yd", false}, {"D/M/YYYY", "-Yd", false},
        {"yyyy-mm-dd", "", false}, {"yyyy. mm. dd.", "", false}, {"yy/m/d", "", false},
        {"#/#/#", "", true},
    };
    const FakeZoneRules rules;
    for (const auto& row : rows) {
        RegionalSettings regional;
        regional.shortDateFormat = row.shortDate;
        FakeMessages messages;
        const LiveZone zone = liveSystemZone(rules, regional, messages);
        EXPECT_EQ(zone.dateOrderSwitch, row.dateOrderSwitch) << row.shortDate;
        EXPECT_EQ(zone.zoneRules, &rules) << row.shortDate;
        EXPECT_EQ(messages.messages, row.message ? std::vector<std::string>{kDateOrderMessage}
                                                 : std::vector<std::string>{})
            << row.shortDate;
    }
}

}  // namespace
}  // namespace vantrel::core
