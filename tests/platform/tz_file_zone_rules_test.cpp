// The zones read from the tz files, against the Qt zone rules they stand in for.

#include "platform/tz_file_zone_rules.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include <QDateTime>
#include <QTimeZone>

#include <gtest/gtest.h>

#include "platform/qt_zone_rules.h"

namespace vantrel::platform {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t k1970 = 0;
constexpr std::int64_t k2037 = 2114380800;  // 1 January 2037, where the fat files' lists end

class TzFileZoneRulesTest : public ::testing::Test {
protected:
    void TearDown() override { useZone(m_old ? m_old->c_str() : nullptr); }
    // Sets TZ, or unsets it for nullptr; Qt and these rules both read it afresh.
    void useZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"); old && !m_old && !m_saved)
            m_old = old;
        m_saved = true;
        if (zone)
            setenv("TZ", zone, 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_old;
    bool m_saved = false;
};

core::Instant instant(std::int64_t utcSeconds)
{
    return core::Instant(seconds(utcSeconds));
}

// The samples of one zone: instants every six hours from 1970 to 2037, at each of its changes
// and a minute either side; local readings (as seconds of the clock read as universal time)
// from an hour before each change on the old clock to an hour after, in half hours.
struct Samples {
    std::vector<std::int64_t> instants;
    std::vector<std::int64_t> readings;
};

Samples samplesOf(const QTimeZone& zone)
{
    Samples samples;
    for (std::int64_t at = k1970; at < k2037; at += 6 * kHour)
        samples.instants.push_back(at);
    std::int64_t offsetBefore = zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(k1970, Qt::UTC));
    const auto changes = zone.transitions(QDateTime::fromSecsSinceEpoch(k1970, Qt::UTC),
                                          QDateTime::fromSecsSinceEpoch(k2037, Qt::UTC));
    for (const auto& change : changes) {
        const std::int64_t at = change.atUtc.toSecsSinceEpoch();
        samples.instants.insert(samples.instants.end(), {at - 60, at, at + 60});
        for (std::int64_t step = -2; step <= 2; ++step)
            samples.readings.push_back(at + offsetBefore + step * kHour / 2);
        offsetBefore = change.offsetFromUtc;
    }
    return samples;
}

// Offsets and clock readings of each zone, named or the system's through TZ, equal Qt's
// wherever the file rules say they answer, which is everywhere up to 2037.
TEST_F(TzFileZoneRulesTest, AnswerAsTheQtZoneRules)
{
    const struct {
        const char* tz;
        const char* zone;
        const char* sampled = zone;  // the zone whose changes are sampled
    } rows[] = {
        // The system's zone: by name, after a colon, as a file's path, from /etc/localtime.
        {"Europe/Berlin", "", "Europe/Berlin"},
        {":Europe/Dublin", "", "Europe/Dublin"},
        {"/usr/share/zoneinfo/America/Sao_Paulo", "", "America/Sao_Paulo"},
        {":/usr/share/zoneinfo/Australia/Lord_Howe", "", "Australia/Lord_Howe"},
        {nullptr, "", ""},
        // Named zones: negative daylight saving in winter (Dublin, Casablanca in Ramadan), double
        // summer time (London), half an hour of it (Lord Howe), two hours (Troll), offsets of
        // odd minutes and local mean time, a day skipped (Apia), fixed rules after the list ends
        // (Tehran, Apia), fixed zones.
        {"America/Chicago", "Europe/Dublin"},
        {"America/Chicago", "Europe/London"},
        {"America/Chicago", "Australia/Lord_Howe"},
        {"America/Chicago", "America/New_York"},
        {"America/Chicago", "America/Sao_Paulo"},
        {"America/Chicago", "Africa/Casablanca"},
        {"America/Chicago", "Africa/Monrovia"},
        {"America/Chicago", "Asia/Kolkata"},
        {"America/Chicago", "Asia/Kathmandu"},
        {"America/Chicago", "Asia/Tehran"},
        {"America/Chicago", "Pacific/Apia"},
        {"America/Chicago", "Antarctica/Troll"},
        {"America/Chicago", "UTC"},
        {"America/Chicago", "Etc/GMT+5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.tz ? row.tz : "(TZ unset)") + " " + row.zone);
        useZone(row.tz);
        const QtZoneRules qt;
        const TzFileZoneRules files;
        const Samples samples =
            samplesOf(*row.sampled ? QTimeZone(row.sampled) : QTimeZone::systemTimeZone());
        int differences = 0;
        for (const std::int64_t at : samples.instants) {
            ASSERT_TRUE(files.answersAround(instant(at), row.zone)) << at;
            const core::Instant moment = instant(at) + milliseconds(250);
            differences += qt.localTime(moment, row.zone) != files.localTime(moment, row.zone);
        }
        for (const std::int64_t at : samples.readings) {
            const auto reading =
                core::LocalDateTime::fromTimePoint(core::LocalTimePoint(seconds(at)));
            if (files.answersAround(instant(at - 24 * kHour), row.zone))
                differences += qt.offsetAt(reading, row.zone) != files.offsetAt(reading, row.zone);
        }
        EXPECT_EQ(differences, 0);
    }
}

// What they cannot read is left to the Qt zone rules: a POSIX rule in TZ, an unknown zone, a
// name that leaves the zone folder, a time after the list of a zone whose rule then keeps
// daylight saving.
TEST_F(TzFileZoneRulesTest, HandOverWhatTheyCannotRead)
{
    const struct {
        const char* tz;
        const char* zone;
        std::int64_t at;
    } rows[] = {
        {"CET-1CEST,M3.5.0,M10.5.0/3", "", 1700000000},
        {"UTC0", "", 1700000000},
        {"Nowhere/Land", "", 1700000000},
        {"/etc/localtime", "", 1700000000},
        {"America/Chicago", "Mars/Olympus_Mons", 1700000000},
        {"America/Chicago", "../../../../etc/passwd", 1700000000},
        {"America/Chicago", "Europe/../../../etc/passwd", 1700000000},
        {"America/Chicago", "/usr/share/zoneinfo/Europe/Berlin", 1700000000},
        {"America/Chicago", "Europe", 1700000000},
        {"America/Chicago", "Europe/Berlin", k2037 + 365 * 24 * kHour},
    };
    for (const auto& row : rows) {
        useZone(row.tz);
        const TzFileZoneRules files;
        EXPECT_FALSE(files.answersAround(instant(row.at), row.zone)) << row.tz << " " << row.zone;
        EXPECT_EQ(files.localTime(instant(row.at), row.zone), std::nullopt) << row.zone;
    }
}

}  // namespace
}  // namespace vantrel::platform
