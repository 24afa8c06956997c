// The Qt adapters behind the process, zone and regional-settings ports.

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>

#include <gtest/gtest.h>

#include "core/common/date_format.h"
#include "platform/qt_process_runner.h"
#include "platform/qt_regional_settings.h"
#include "platform/qt_zone_rules.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::platform {
namespace {

using namespace std::chrono_literals;

TEST(QtProcessRunner, ReportsTheExitCode)
{
    QtProcessRunner runner;
    const auto outcome = runner.run("/bin/sh", {"-c", "exit 3"}, 10s);
    EXPECT_TRUE(outcome.started);
    EXPECT_FALSE(outcome.timedOut);
    EXPECT_EQ(outcome.exitCode, 3);
}

TEST(QtProcessRunner, MissingProgramIsNotStartedAndSaysWhy)
{
    QtProcessRunner runner;
    const auto outcome = runner.run("/nonexistent/vantrel-engine", {"-i", "input.txt"}, 10s);
    EXPECT_FALSE(outcome.started);
    EXPECT_FALSE(outcome.errorText.empty());
}

TEST(QtProcessRunner, RunPastTheLimitIsEndedAndMarked)
{
    QtProcessRunner runner;
    QElapsedTimer elapsed;
    elapsed.start();
    const auto outcome = runner.run("/bin/sleep", {"30"}, 300ms);
    EXPECT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.timedOut);
    EXPECT_LT(elapsed.elapsed(), 10000) << "the program was not ended at the limit";
}

TEST(QtProcessRunner, ACrashIsReportedWithItsSignal)
{
    QtProcessRunner runner;
    const auto outcome = runner.run("/bin/sh", {"-c", "kill -SEGV $$"}, 10s);
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.signal, SIGSEGV);
    EXPECT_EQ(outcome.errorText, "Segmentation fault");
}

// True when the process is gone (or a zombie waiting to be reaped), within two seconds.
bool ends(pid_t pid)
{
    for (int i = 0; i < 200; ++i) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string skipped;
        std::string state;
        if (!(stat >> skipped >> skipped >> state) || state == "Z")
            return true;
        ::usleep(10000);
    }
    return false;
}

TEST(QtProcessRunner, ATimeOutOrAStopEndsTheProgramsChildrenToo)
{
    testing::TempDir dir;
    const std::string childFile = (dir.path() / "child").string();
    const std::vector<std::string> hang = {"-c", "sleep 300 & echo $! >" + childFile + "; wait"};
    for (const bool stop : {false, true}) {
        QtProcessRunner runner;
        QElapsedTimer elapsed;
        elapsed.start();
        runner.setStopCheck([&] { return stop && elapsed.elapsed() > 300; });
        const auto outcome = runner.run("/bin/sh", hang, stop ? 60s : 300ms);
        EXPECT_LT(elapsed.elapsed(), 10000);
        EXPECT_EQ(outcome.timedOut, !stop);
        EXPECT_EQ(outcome.stopped, stop);
        pid_t child = 0;
        std::ifstream(childFile) >> child;
        ASSERT_GT(child, 0);
        EXPECT_TRUE(ends(child)) << "the engine's child outlived it";
    }
}

TEST(QtProcessRunner, ProgramGetsNoInput)
{
    QtProcessRunner runner;
    // cat ends at once on an empty input instead of waiting for the terminal.
    const auto outcome = runner.run("/bin/cat", {}, 5s);
    EXPECT_FALSE(outcome.timedOut);
    EXPECT_EQ(outcome.exitCode, 0);
}

TEST(QtRegionalSettings, FormatsTranslateIntoThePatternLanguage)
{
    const struct {
        const char* qt;
        const char* pattern;
    } rows[] = {
        {"M/d/yy", "m/d/yy"},
        {"dddd, MMMM d, yyyy", "dddd, mmmm d, yyyy"},
        {"h:mm AP", "h:nn ampm"},
        {"h:mm:ss AP t", "h:nn:ss ampm"},
        {"H.mm", "h.nn"},
        {"HH:mm:ss (t)", "hh:nn:ss"},
        {"dddd 'den' d. MMMM yyyy", "dddd \"den\" d. mmmm yyyy"},
        {"d 'de' MMMM", "d \"de\" mmmm"},
        {"yyyy. MM. dd.", "yyyy. mm. dd."},
        {"ap h:mm", "ampm h:nn"},
        {"h 'o''clock'", "h \"o'clock\""},
        {"h''mm", "h\"'\"nn"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(patternFromQtFormat(QString::fromUtf8(row.qt)), row.pattern) << row.qt;
}

TEST(QtRegionalSettings, LocalesGiveTheirSeparatorsAndNames)
{
    const core::DateTime moment =
        core::dateTimeFromDate(2000, 6, 3) + core::dateTimeFromTime({20, 3, 15, 0});

    const auto us = regionalSettingsFromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(core::formatDateTime("ddddd", moment, us), "6/3/00");
    EXPECT_EQ(core::formatDateTime("t", moment, us), "8:03 PM");

    const auto finnish = regionalSettingsFromLocale(QLocale(QLocale::Finnish, QLocale::Finland));
    EXPECT_EQ(finnish.dateSeparator, ".");
    EXPECT_EQ(finnish.timeSeparator, ".");
    EXPECT_EQ(core::shortDateOrder(finnish), core::DateOrder::DayMonthYear);
    EXPECT_EQ(core::formatDateTime("t", moment, finnish), "20.03");

    const auto german = regionalSettingsFromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.longDayNames[6], "Samstag");
    EXPECT_EQ(german.longMonthNames[5], "Juni");
    EXPECT_EQ(core::formatDateTime("dddddd", moment, german), "Samstag, 3. Juni 2000");

    // Arabic dates put a right-to-left mark before each "/"; the mark is no separator.
    const auto arabic = regionalSettingsFromLocale(QLocale(QLocale::Arabic, QLocale::Egypt));
    EXPECT_EQ(arabic.dateSeparator, "/");
    EXPECT_EQ(core::formatDateTime("ddddd", moment, arabic), "3\u200F/6\u200F/2000");

    const auto posix = regionalSettingsFromLocale(QLocale::c());
    EXPECT_EQ(posix.shortDateFormat, core::usEnglishRegionalSettings().shortDateFormat);
    EXPECT_EQ(posix.longTimeFormat, core::usEnglishRegionalSettings().longTimeFormat);
}

// The zone rules read the process's TZ, so each case sets it and lets Qt re-read it.
class QtZoneRulesTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_old)
            setenv("TZ", m_old->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    void useZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"); old && !m_old)
            m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    std::optional<std::string> m_old;
};

TEST_F(QtZoneRulesTest, NorthernAndSouthernDaylightPeriods)
{
    useZone("CST6CDT,M3.2.0,M11.1.0");
    auto info = QtZoneRules().zoneForYear(2026);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->standardBiasMinutesWest, 360);
    EXPECT_TRUE(info->observesDaylight);
    EXPECT_DOUBLE_EQ(info->daylightStart, core::dateTimeFromDate(2026, 3, 8) + 2.0 / 24);
    EXPECT_DOUBLE_EQ(info->daylightEnd, core::dateTimeFromDate(2026, 11, 1) + 2.0 / 24);

    useZone("AEST-10AEDT,M10.1.0,M4.1.0/3");
    info = QtZoneRules().zoneForYear(2026);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->standardBiasMinutesWest, -600);
    EXPECT_GT(info->daylightStart, info->daylightEnd) << "the period runs over the new year";
    EXPECT_DOUBLE_EQ(info->daylightEnd, core::dateTimeFromDate(2026, 4, 5) + 3.0 / 24);
}

TEST_F(QtZoneRulesTest, ZoneWithoutDaylightSavingAndHalfHourOffset)
{
    useZone("IST-5:30");
    const auto info = QtZoneRules().zoneForYear(2026);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->standardBiasMinutesWest, -330);
    EXPECT_FALSE(info->observesDaylight);
    EXPECT_EQ(info->daylightStart, 0);
}

}  // namespace
}  // namespace vantrel::platform

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
