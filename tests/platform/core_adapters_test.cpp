// The Qt adapters behind the process, zone and regional-settings ports.

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>

#include <gtest/gtest.h>

#include "core/alarm/alarm.h"
#include "core/batch/batch_date_time.h"
#include "core/chart_engine/command_file.h"
#include "core/common/date_format.h"
#include "core/hours/planetary_hours.h"
#include "core/hours/rise_set_reading.h"
#include "platform/qt_process_runner.h"
#include "platform/qt_regional_settings.h"
#include "platform/qt_zone_rules.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
void PrintTo(const ZoneOffset& offset, std::ostream* out)
{
    *out << "{" << offset.minutesWest << " min west, " << offset.daylightMinutes << " daylight}";
}
}  // namespace vantrel::core

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

TEST(QtProcessRunner, ATimeOutAStopOrTheEndEndsTheProgramsChildrenToo)
{
    testing::TempDir dir;
    const std::string childFile = (dir.path() / "child").string();
    const std::string start = "sleep 300 & echo $! >" + childFile + "; ";
    enum class End { TimeOut, Stop, Exit };
    for (const End end : {End::TimeOut, End::Stop, End::Exit}) {
        QtProcessRunner runner;
        QElapsedTimer elapsed;
        elapsed.start();
        runner.setStopCheck([&] { return end == End::Stop && elapsed.elapsed() > 300; });
        const auto outcome = runner.run("/bin/sh", {"-c", start + (end == End::Exit ? "" : "wait")},
                                        end == End::TimeOut ? 300ms : 60s);
        EXPECT_LT(elapsed.elapsed(), 10000);
        EXPECT_EQ(outcome.timedOut, end == End::TimeOut);
        EXPECT_EQ(outcome.stopped, end == End::Stop);
        pid_t child = 0;
        std::ifstream(childFile) >> child;
        ASSERT_GT(child, 0);
        EXPECT_TRUE(ends(child)) << "the engine's child outlived it";
    }
}

TEST(QtProcessRunner, OfAFloodOnStandardErrorTheStartAndTheEndAreKept)
{
    QtProcessRunner runner;
    const auto outcome = runner.run(
        "/bin/sh", {"-c", "echo first >&2; head -c 50000000 /dev/zero >&2; echo last >&2; exit 2"},
        60s);
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_LT(outcome.errorOutput.size(), 10000u);
    EXPECT_TRUE(outcome.errorOutput.starts_with("first\n")) << outcome.errorOutput.substr(0, 20);
    EXPECT_TRUE(outcome.errorOutput.ends_with("last\n"));
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
    const core::LocalDateTime moment = testing::localDateTime(2000, 6, 3, 20, 3, 15);

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

// The locales that write the year first, with Qt's own data: the engine's month-first
// listings, the alarm's entries and batch dates in the locale's order all read.
TEST(QtRegionalSettings, YearFirstLocalesReadListingsAlarmEntriesAndBatchDates)
{
    const std::string listingLine = "(Sat)  6/ 3/2000  5:26am     Sun (Gem) rises   at  54:40'";
    const core::LocalDateTime sunrise = testing::localDateTime(2000, 6, 3, 5, 26);
    for (const char* name : {"sv_SE", "ja_JP", "zh_CN", "ko_KR", "hu_HU", "lt_LT", "en_CA"}) {
        SCOPED_TRACE(name);
        const core::RegionalSettings regional = regionalSettingsFromLocale(QLocale(name));
        EXPECT_EQ(core::shortDateOrder(regional), core::DateOrder::YearMonthDay);
        EXPECT_EQ(core::dateOrderSwitchFor(regional), "");

        core::RiseSetTimes times;
        EXPECT_EQ(core::readRiseSetListings({listingLine}, {}, "", regional, times),
                  core::RiseSetReadResult::Complete);
        EXPECT_EQ(times.sunrise, sunrise);

        const std::string entry = core::alarmEntryFromListingLine(listingLine, regional);
        EXPECT_EQ(entry.substr(6, 18),
                  core::formatDateTime(core::kEventTimeFormat, sunrise, regional));

        const std::string batchDate =
            "2001" + regional.dateSeparator + "3" + regional.dateSeparator + "14";
        EXPECT_EQ(core::readBatchDate(batchDate, regional, sunrise.date),
                  core::Date::fromCivil(2001, 3, 14))
            << batchDate;
    }
}

// Dates and times follow the locale the C library gives LC_TIME: LC_ALL, else LC_TIME, else
// LANG; LANGUAGE orders message languages only. The C locale reads as United States English.
TEST(QtRegionalSettings, DatesFollowLcTimeNotLanguage)
{
    struct Row {
        const char* allTimeLangLanguage[4];
        const char* shortDate;
    };
    const Row rows[] = {
        {{"", "de_DE.UTF-8", "en_US.UTF-8", ""}, "dd.mm.yy"},
        {{"", "", "en_US.UTF-8", "de_DE"}, "m/d/yy"},
        {{"", "", "C.UTF-8", "de_DE"}, "m/d/yy"},
        {{"sv_SE.UTF-8", "de_DE.UTF-8", "en_US.UTF-8", ""}, "yyyy-mm-dd"},
        {{"", "C", "de_DE.UTF-8", ""}, "m/d/yy"},
        {{"", "", "", "de_DE"}, "m/d/yy"},
    };
    const char* const variables[] = {"LC_ALL", "LC_TIME", "LANG", "LANGUAGE"};
    std::optional<QByteArray> saved[4];
    for (int i = 0; i < 4; ++i) {
        if (qEnvironmentVariableIsSet(variables[i]))
            saved[i] = qgetenv(variables[i]);
    }
    for (const Row& row : rows) {
        for (int i = 0; i < 4; ++i)
            qputenv(variables[i], row.allTimeLangLanguage[i]);
        EXPECT_EQ(systemRegionalSettings().shortDateFormat, row.shortDate)
            << row.allTimeLangLanguage[0] << "|" << row.allTimeLangLanguage[1] << "|"
            << row.allTimeLangLanguage[2] << "|" << row.allTimeLangLanguage[3];
    }
    for (int i = 0; i < 4; ++i) {
        if (saved[i])
            qputenv(variables[i], *saved[i]);
        else
            qunsetenv(variables[i]);
    }
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

core::LocalDateTime localMoment(int year, int month, int day, int hour, int minute)
{
    return testing::localDateTime(year, month, day, hour, minute);
}

// The daylight field and zone a chart-data line gets with the system's zone.
std::string zoneField(const core::ZoneRules& rules, const core::LocalDateTime& moment)
{
    core::Settings settings;
    settings.timeMode = core::TimeMode::SystemZone;
    const std::string line =
        core::chartDataLine({"", "0E00", "0N00"}, moment, settings, {&rules, ""});
    const auto from = line.find("M ") + 1;
    return line.substr(from, line.find(" 0E00") - from);
}

// Expected offsets from `zdump -v` of the tz database (2025b); the daylight minutes are the
// gmtoff of the moment less that of the zone's standard time then. A reading in the hour the
// clocks skip or repeat takes the offset of the hour before the change.
TEST_F(QtZoneRulesTest, SystemZoneOffsetsAndTheFieldsWrittenForThem)
{
    // A row is named by its zone and local time.
    const struct {
        const char* tz;
        struct {
            int year, month, day, hour, minute;
        } at;
        core::ZoneOffset offset;
        const char* field;
    } rows[] = {
        // Dublin: negative daylight saving in winter, Irish Standard Time in summer; standard
        // time all year in 1970.
        {"Europe/Dublin", {2024, 1, 15, 12, 0}, {0, -60}, " ST 0"},
        {"Europe/Dublin", {2024, 7, 15, 12, 0}, {-60, 0}, " ST -1"},
        {"Europe/Dublin", {1970, 1, 15, 12, 0}, {-60, 0}, " ST -1"},
        // Casablanca in Ramadan, then in summer.
        {"Africa/Casablanca", {2024, 3, 20, 12, 0}, {0, -60}, " ST 0"},
        {"Africa/Casablanca", {2024, 7, 15, 12, 0}, {-60, 0}, " ST -1"},
        {"Australia/Sydney", {2030, 7, 15, 12, 0}, {-600, 0}, " ST -10"},
        {"Australia/Sydney", {2030, 1, 15, 12, 0}, {-660, 60}, " DT -10"},
        // New York: daylight time all year in 1974, from 23 February in 1975.
        {"America/New_York", {2031, 7, 4, 12, 0}, {240, 60}, " DT 5"},
        {"America/New_York", {1974, 1, 15, 12, 0}, {240, 60}, " DT 5"},
        {"America/New_York", {1975, 1, 15, 12, 0}, {300, 0}, " ST 5"},
        {"America/New_York", {1950, 7, 4, 12, 0}, {240, 60}, " DT 5"},
        // Lord Howe: half an hour of summer time.
        {"Australia/Lord_Howe", {2024, 1, 15, 12, 0}, {-660, 30}, " ST -11"},
        {"Australia/Lord_Howe", {2024, 7, 15, 12, 0}, {-630, 0}, " ST -10:30"},
        {"Australia/Adelaide", {2024, 12, 24, 5, 0}, {-630, 60}, " DT -9:30"},
        // London 1944: double summer time.
        {"Europe/London", {1944, 7, 15, 12, 0}, {-120, 120}, " ST -2"},
        {"Asia/Kolkata", {2024, 7, 15, 12, 0}, {-330, 0}, " ST -5:30"},
        // Chicago: summer 2090; in the spring gap and just after it, in the autumn overlap and
        // after it.
        {"America/Chicago", {2090, 7, 15, 12, 0}, {300, 60}, " DT 6"},
        {"America/Chicago", {2024, 3, 10, 2, 30}, {360, 0}, " ST 6"},
        {"America/Chicago", {2024, 3, 10, 3, 0}, {300, 60}, " DT 6"},
        {"America/Chicago", {2024, 11, 3, 1, 30}, {300, 60}, " DT 6"},
        {"America/Chicago", {2024, 11, 3, 2, 0}, {360, 0}, " ST 6"},
        // Sydney: in the spring gap, in the autumn overlap.
        {"Australia/Sydney", {2024, 10, 6, 2, 30}, {-600, 0}, " ST -10"},
        {"Australia/Sydney", {2024, 4, 7, 2, 30}, {-660, 60}, " DT -10"},
        // A POSIX rule in TZ.
        {"CST6CDT,M3.2.0,M11.1.0", {2026, 7, 1, 12, 0}, {300, 60}, " DT 6"},
    };
    const QtZoneRules rules;
    for (const auto& row : rows) {
        const auto& at = row.at;
        SCOPED_TRACE(::testing::Message() << row.tz << " " << at.year << "-" << at.month << "-"
                                          << at.day << " " << at.hour << ":" << at.minute);
        useZone(row.tz);
        const core::LocalDateTime moment =
            localMoment(at.year, at.month, at.day, at.hour, at.minute);
        EXPECT_EQ(rules.offsetAt(moment, ""), row.offset);
        EXPECT_EQ(zoneField(rules, moment), row.field);
    }
}

TEST_F(QtZoneRulesTest, NamedZonesAnswerWhateverTheSystemZone)
{
    useZone("America/Chicago");
    const QtZoneRules rules;
    EXPECT_EQ(rules.offsetAt(localMoment(2024, 1, 15, 12, 0), "Asia/Kathmandu"),
              (core::ZoneOffset{-345, 0}));
    EXPECT_EQ(rules.offsetAt(localMoment(2024, 1, 15, 12, 0), "Europe/Dublin"),
              (core::ZoneOffset{0, -60}));
    EXPECT_EQ(rules.offsetAt(localMoment(2024, 1, 15, 12, 0), "Mars/Olympus_Mons"), std::nullopt);
}

// One moment on the clocks of several zones (zdump -v): a clock of local mean time keeps its
// seconds.
TEST_F(QtZoneRulesTest, AMomentReadOnTheClocksOfAZone)
{
    useZone("America/Chicago");
    const QtZoneRules rules;
    const auto utc = [](int year, int month, int day, int hour, int minute) {
        return testing::instantAt(testing::localDateTime(year, month, day, hour, minute), 0);
    };
    const struct {
        const char* zone;
        core::Instant moment;
        std::optional<core::LocalDateTime> local;
    } rows[] = {
        {"Australia/Melbourne", utc(2024, 1, 15, 1, 0), localMoment(2024, 1, 15, 12, 0)},
        {"Australia/Melbourne", utc(2024, 7, 15, 1, 0), localMoment(2024, 7, 15, 11, 0)},
        {"", utc(2024, 1, 15, 1, 0), localMoment(2024, 1, 14, 19, 0)},
        {"Asia/Kathmandu", utc(2024, 1, 15, 1, 0), localMoment(2024, 1, 15, 6, 45)},
        {"", utc(1850, 7, 4, 18, 0), testing::localDateTime(1850, 7, 4, 12, 9, 24)},
        {"Mars/Olympus_Mons", utc(2024, 1, 15, 1, 0), std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(rules.localTime(row.moment, row.zone), row.local) << row.zone;
}

}  // namespace
}  // namespace vantrel::platform

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
