// "Place's Time Zone" through a whole calculation: every engine run takes the place's offset
// for its own date.

#include <gtest/gtest.h>

#include "core/chart_engine/command_file.h"
#include "core/chart_engine/engine_program.h"
#include "core/common/error.h"
#include "core/thelemic/calculation.h"
#include "tests/core/error_text.h"
#include "tests/core/test_data.h"

namespace vantrel::core {
namespace {

using testing::FakeClipboard;
using testing::FakeMessages;
using testing::FakeProcessRunner;
using testing::FakeZoneRules;
using testing::RecordingMainView;
using testing::TempDir;

// The chart-data line of a command file.
std::string chartDataLineOf(const std::string& commandFile)
{
    const auto from = commandFile.find("/qb ");
    return commandFile.substr(from, commandFile.find('\r', from) - from);
}

struct PlaceZoneFixture : ::testing::Test {
    TempDir dir;
    Settings settings;
    RegionalSettings regional;
    FakeZoneRules rules;
    LiveZone zone{&rules, ""};
    FakeProcessRunner runner{dir.path()};
    EngineProgram engine{runner, settings, dir.path()};
    RecordingMainView view;
    FakeClipboard clipboard;
    FakeMessages messages;
    Calculator calculator{{settings, regional, zone, engine, view, clipboard, messages}};

    void SetUp() override
    {
        // Lord Howe Island leaves its half hour of daylight saving at 2:00 on 7 April 2024
        // (zdump -v Australia/Lord_Howe); the system's zone is Minnesota's.
        rules.answer = [](const LocalDateTime& moment,
                          std::string_view zoneName) -> std::optional<ZoneOffset> {
            if (zoneName.empty())
                return ZoneOffset{360, 0};
            if (zoneName != "Australia/Lord_Howe")
                return std::nullopt;
            const LocalDateTime end = testing::localDateTime(2024, 4, 7, 2, 0);
            return moment < end ? ZoneOffset{-660, 30} : ZoneOffset{-630, 0};
        };
        settings.timeMode = TimeMode::PlaceZone;
        settings.zoneName = "Australia/Lord_Howe";
        settings.zone = "6";  // the typed zone does not count
        settings.longitude = "159E05";
        settings.latitude = "31S33";
        settings.dayStart = DayStart::Sunrise;
        // Listings of another day: this is about the command files, not the date shown.
        runner.responder = testing::exampleListings();
    }
};

TEST_F(PlaceZoneFixture, EveryRunOfTheCalculationTakesThePlacesOffsetForItsOwnDate)
{
    calculator.calculate(testing::localDateTime(2024, 4, 6, 12, 0));
    ASSERT_EQ(runner.runs.size(), 3u) << "chart, and the rise and set of the day and the next";
    EXPECT_EQ(chartDataLineOf(runner.runs[0].commandFile),
              "/qb 4 6 2024 12:00PM ST -11 159E05 31S33");
    EXPECT_EQ(chartDataLineOf(runner.runs[1].commandFile),
              "/qb 4 6 2024 12:00PM ST -11 159E05 31S33");
    EXPECT_EQ(chartDataLineOf(runner.runs[2].commandFile),
              "/qb 4 7 2024 12:00PM ST -10:30 159E05 31S33");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(PlaceZoneFixture, WithoutAPlaceTheCalculationStopsAndSaysWhy)
{
    settings.zoneName.clear();
    EXPECT_EQ(testing::errorText(
                  [&] { calculator.calculate(testing::localDateTime(2024, 4, 6, 12, 0)); }),
              kNoPlaceZoneMessage);
    EXPECT_TRUE(runner.runs.empty());
}

}  // namespace
}  // namespace vantrel::core
