// The start-up snapshot of the system time zone and date order.

#include "core/astrolog/zone_snapshot.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using testing::FakeClock;
using testing::FakeMessages;
using testing::FakeZoneRules;

RegionalSettings withShortDate(const std::string& pattern)
{
    RegionalSettings regional;
    regional.shortDateFormat = pattern;
    return regional;
}

struct SnapshotFixture : ::testing::Test {
    FakeZoneRules rules;
    FakeClock clock{dateTimeFromDate(2001, 6, 15) + 0.5};
    FakeMessages messages;
    void SetUp() override
    {
        rules.info = ZoneInfo{360, true, dateTimeFromDate(2001, 4, 1) + 2.0 / 24,
                              dateTimeFromDate(2001, 10, 28) + 2.0 / 24};
    }
};

TEST_F(SnapshotFixture, MonthFirstZoneWithDaylightSaving)
{
    const auto snapshot = TakeSystemZoneSnapshot(rules, clock, withShortDate("m/d/yyyy"), messages);
    EXPECT_EQ(snapshot.SystemZoneHours, 6);
    EXPECT_EQ(snapshot.systemZoneMinutesWest, 360);
    EXPECT_DOUBLE_EQ(snapshot.DaylightStart, rules.info->daylightStart);
    EXPECT_DOUBLE_EQ(snapshot.DaylightEnd, rules.info->daylightEnd);
    EXPECT_EQ(snapshot.DateOrderSwitch, "");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SnapshotFixture, HoursAreTruncatedTowardZeroAndMinutesKept)
{
    const struct {
        int bias;
        int hours;
    } rows[] = {{330, 5}, {-60, -1}, {-330, -5}, {-345, -5}, {210, 3}, {0, 0}};
    for (const auto& row : rows) {
        rules.info->standardBiasMinutesWest = row.bias;
        const auto snapshot =
            TakeSystemZoneSnapshot(rules, clock, withShortDate("m/d/yy"), messages);
        EXPECT_EQ(snapshot.SystemZoneHours, row.hours) << row.bias;
        EXPECT_EQ(snapshot.systemZoneMinutesWest, row.bias);
    }
}

TEST_F(SnapshotFixture, DayFirstFormatSetsTheSwitchInEitherCase)
{
    EXPECT_EQ(
        TakeSystemZoneSnapshot(rules, clock, withShortDate("dd.mm.yyyy"), messages).DateOrderSwitch,
        "-Yd");
    EXPECT_EQ(
        TakeSystemZoneSnapshot(rules, clock, withShortDate("D/M/YYYY"), messages).DateOrderSwitch,
        "-Yd");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SnapshotFixture, YearFirstFormatShowsTheMessageAndDropsDaylightSaving)
{
    const auto snapshot =
        TakeSystemZoneSnapshot(rules, clock, withShortDate("yyyy-mm-dd"), messages);
    EXPECT_EQ(messages.messages, std::vector<std::string>{DateOrderMessage});
    EXPECT_EQ(snapshot.DaylightStart, 0);
    EXPECT_EQ(snapshot.DaylightEnd, 0);
    EXPECT_EQ(snapshot.SystemZoneHours, 6);
    EXPECT_EQ(snapshot.DateOrderSwitch, "");
}

TEST_F(SnapshotFixture, ZoneWithoutDaylightSavingLeavesThePeriodEmpty)
{
    rules.info->observesDaylight = false;
    const auto snapshot = TakeSystemZoneSnapshot(rules, clock, withShortDate("d/m/yyyy"), messages);
    EXPECT_EQ(snapshot.DaylightStart, 0);
    EXPECT_EQ(snapshot.DaylightEnd, 0);
    EXPECT_EQ(snapshot.DateOrderSwitch, "-Yd");
}

TEST_F(SnapshotFixture, UnreadableZoneGivesZeroesButStillTheDateOrderSwitch)
{
    rules.info.reset();
    const auto snapshot =
        TakeSystemZoneSnapshot(rules, clock, withShortDate("dd/mm/yyyy"), messages);
    EXPECT_EQ(snapshot.SystemZoneHours, 0);
    EXPECT_EQ(snapshot.systemZoneMinutesWest, 0);
    EXPECT_EQ(snapshot.DaylightStart, 0);
    EXPECT_EQ(snapshot.DateOrderSwitch, "-Yd");
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace vantrel::core
