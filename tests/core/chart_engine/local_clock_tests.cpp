// Now as the calculations read it: the computer's clock, or the place's own under "Place's Time
// Zone".

#include "core/chart_engine/local_clock.h"

#include <gtest/gtest.h>

#include "core/settings/settings.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using testing::localDateTime;

// 1:00 universal time on 15 January 2024: 19:00 the day before in the system's zone (Minnesota,
// six hours west), noon in Melbourne's summer, 2:00 in Berlin's winter.
TEST(LocalClock, NowIsReadInTheZoneTheTimeChoiceNames)
{
    testing::FakeZoneRules zones;
    zones.zones["Australia/Melbourne"] = {-660, 60};
    zones.zones["Europe/Berlin"] = {-60, 0};
    testing::FakeClock clock;
    clock.setInstant(testing::instantAt(localDateTime(2024, 1, 15, 1, 0), 0));
    const LocalDateTime system = localDateTime(2024, 1, 14, 19, 0);
    const struct {
        const char* name;
        TimeMode mode;
        const char* zoneName;
        LocalDateTime now;
    } rows[] = {
        {"place's zone, Melbourne", TimeMode::PlaceZone, "Australia/Melbourne",
         localDateTime(2024, 1, 15, 12, 0)},
        {"place's zone, Berlin", TimeMode::PlaceZone, "Europe/Berlin",
         localDateTime(2024, 1, 15, 2, 0)},
        {"place's zone unknown: the system's", TimeMode::PlaceZone, "Atlantis/Capital", system},
        {"place's zone without a place: the system's", TimeMode::PlaceZone, "", system},
        {"system zone", TimeMode::SystemZone, "Australia/Melbourne", system},
        {"standard time", TimeMode::Standard, "Australia/Melbourne", system},
        {"daylight time", TimeMode::Daylight, "Europe/Berlin", system},
    };
    for (const auto& row : rows) {
        Settings settings;
        settings.timeMode = row.mode;
        settings.zoneName = row.zoneName;
        EXPECT_EQ(LocalClock(clock, &zones, settings).now(), row.now) << row.name;
    }

    // Without zone rules, or with a system zone that cannot be read: universal time.
    Settings settings;
    zones.zones.erase("");
    const LocalDateTime universal = localDateTime(2024, 1, 15, 1, 0);
    EXPECT_EQ(LocalClock(clock, &zones, settings).now(), universal);
    EXPECT_EQ(LocalClock(clock, nullptr, settings).now(), universal);
}

}  // namespace
}  // namespace vantrel::core
