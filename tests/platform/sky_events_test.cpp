// The engine's search reached through the core's port: moments within a minute of the almanac.

#include <cmath>

#include <gtest/gtest.h>

#include "core/common/date_time.h"
#include "platform/engine_sky_event_source.h"
#include "tests/core/error_text.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::platform {
namespace {

core::Instant at(int year, int month, int day, int hour, int minute)
{
    return testing::instantAt(testing::localDateTime(year, month, day, hour, minute), 0);
}

// Within a minute of the moment.
::testing::AssertionResult near(core::Instant moment, core::Instant expected)
{
    const auto apart = std::chrono::abs(moment - expected);
    if (apart <= std::chrono::minutes(1))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << apart.count() << " ms apart";
}

// The almanac (USNO, universal time): full Moon 14 March 2025 06:55, equinox 20 March 09:01,
// last quarter 22 March 11:29.
TEST(EngineSkyEventSource, GivesTheAlmanacsMomentsAndTheBodies)
{
    EngineSkyEventSource source;
    const auto events =
        source.events(at(2025, 3, 14, 0, 0), at(2025, 3, 23, 0, 0), core::Zodiac::Tropical);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], (core::SkyEvent{core::SkyEvent::Kind::MoonPhase, 2, events[0].moment}));
    EXPECT_TRUE(near(events[0].moment, at(2025, 3, 14, 6, 55)));
    EXPECT_EQ(events[1].kind, core::SkyEvent::Kind::SunEntersSign);
    EXPECT_EQ(events[1].index, 0);
    EXPECT_TRUE(near(events[1].moment, at(2025, 3, 20, 9, 1)));
    EXPECT_TRUE(near(events[2].moment, at(2025, 3, 22, 11, 29)));

    // At the full Moon the two stand opposite; the sidereal zodiac is about 24 degrees behind.
    const auto tropical = source.sunAndMoon({events[0].moment}, core::Zodiac::Tropical);
    const auto sidereal = source.sunAndMoon({events[0].moment}, core::Zodiac::Sidereal);
    ASSERT_EQ(tropical.size(), 1u);
    EXPECT_NEAR(std::fabs(tropical[0].moonLongitudeDeg - tropical[0].sunLongitudeDeg), 180, 1e-4);
    EXPECT_NEAR(tropical[0].sunLongitudeDeg - sidereal[0].sunLongitudeDeg, 25.0, 1.0);

    EXPECT_EQ(testing::errorText([&] {
                  source.events(at(3000, 12, 31, 0, 0), at(3001, 1, 2, 0, 0),
                                core::Zodiac::Tropical);
              }),
              "The Moon's phases and the Sun's entries are computed from 1 January 1 to 31 "
              "December 3000 only");
}

}  // namespace
}  // namespace vantrel::platform
