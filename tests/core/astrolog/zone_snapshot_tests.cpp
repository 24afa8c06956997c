// The start-up snapshot: the zone rules kept for the command files, and the date order.

#include "core/astrolog/zone_snapshot.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using testing::FakeMessages;
using testing::FakeZoneRules;

TEST(ZoneSnapshot, DateOrderSwitchAndMessageByTheShortDate)
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
        const ZoneSnapshot snapshot = TakeSystemZoneSnapshot(rules, regional, messages);
        EXPECT_EQ(snapshot.DateOrderSwitch, row.dateOrderSwitch) << row.shortDate;
        EXPECT_EQ(snapshot.zoneRules, &rules) << row.shortDate;
        EXPECT_EQ(messages.messages, row.message ? std::vector<std::string>{DateOrderMessage}
                                                 : std::vector<std::string>{})
            << row.shortDate;
    }
}

}  // namespace
}  // namespace vantrel::core
