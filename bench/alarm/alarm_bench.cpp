// Figures for the alarm: the time of one once-a-second check over a list of 5,000 entries, and
// the list's growth and the process's peak memory over 30 days of continuous alarm, re-armed
// every midnight, with a simulated clock.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "core/alarm/alarm.h"
#include "core/common/date_format.h"
#include "core/hours/planetary_hours.h"
#include "tests/fakes/fake_ports.h"

namespace {

using namespace vantrel;
using core::LocalDateTime;
using std::chrono::hours;

const LocalDateTime kStart{*core::Date::fromCivil(2000, 6, 4), core::TimeOfDay()};

std::chrono::milliseconds hoursLong(double count)
{
    return std::chrono::milliseconds(std::llround(count * 3600000));
}

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A listing line as the engine writes it, for an event of the Sun or the Moon.
std::string listingLine(const LocalDateTime& moment, const char* body, const char* event)
{
    char line[80];
    const core::CivilDate date = moment.date.civil();
    const core::TimeOfDay time = moment.time;
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    std::snprintf(line, sizeof line, "(Sun) %2d/%2d/%4d %2d:%02d%s %7s (Gem) %-7s at  57:14'",
                  date.month, date.day, date.year, hour12, time.minute(),
                  time.hour() < 12 ? "am" : "pm", body, event);
    return line;
}

// Stands for the main window: the hours command adds a day's hours and leaves the day's two
// listings in the work folder.
class SimulatedWindow : public core::AlarmHost {
public:
    SimulatedWindow(core::AlarmList& list, const std::filesystem::path& dir)
        : m_list(list), m_dir(dir)
    {
    }
    void startTimer() override {}
    void stopTimer() override {}
    void setArmedMark(bool) override {}
    void runHoursCommandHidden(const LocalDateTime& now) override
    {
        const LocalDateTime day{now.date, core::TimeOfDay()};
        core::RiseSetTimes times;
        times.sunrise = day + hoursLong(5.5);
        times.sunset = day + hoursLong(20.8);
        times.nextSunrise = day + hoursLong(24 + 5.49);
        const auto report = core::computePlanetaryHours(times, day.date, "ddddd", m_regional);
        m_list.addAll(report.hourEntries);
        writeListing(m_dir / "riseset.txt", day);
        writeListing(m_dir / "risesetn.txt", day + hours(24));
    }
    void hideOutputWindows() override {}
    void addDisplayLine(const std::string&) override { ++displayLines; }
    void addDisplayAside(const std::string&) override {}
    void setStatusText(const std::string&) override {}
    void showNote(const std::string&) override {}
    long displayLines = 0;

private:
    void writeListing(const std::filesystem::path& path, const LocalDateTime& day)
    {
        std::string text;
        const char* events[] = {"nadirs", "rises", "zeniths", "sets"};
        for (int i = 0; i < 4; ++i) {
            text += listingLine(day + hoursLong(1.1 + 5.2 * i), "Sun", events[i]) + "\r\n";
            text += listingLine(day + hoursLong(2.3 + 5.7 * i), "Moon", events[i]) + "\r\n";
        }
        testing::writeWholeFile(path, text);
    }
    core::AlarmList& m_list;
    std::filesystem::path m_dir;
    core::RegionalSettings m_regional = core::usEnglishRegionalSettings();
};

void printTimes(const char* what, std::size_t entries, std::vector<double> micros)
{
    std::sort(micros.begin(), micros.end());
    double sum = 0;
    for (double m : micros)
        sum += m;
    std::printf("%s, %zu entries: mean %.1f us, median %.1f us, p99 %.1f us, max %.1f us "
                "(target <= 1000 us)\n",
                what, entries, sum / micros.size(), micros[micros.size() / 2],
                micros[micros.size() * 99 / 100], micros.back());
}

void tickTime()
{
    testing::TempDir dir;
    core::AlarmList list;
    testing::FakeSound sound;
    testing::FakeClock clock(kStart);
    const core::RegionalSettings us = core::usEnglishRegionalSettings();
    SimulatedWindow window(list, dir.path());
    core::Settings settings;
    settings.hourAlarmVenus = true;
    const testing::FakeZoneRules zones;
    core::Alarm alarm(list, sound, core::LocalClock(clock, &zones, settings), us, dir.path());
    alarm.toggle(window);
    // Fill to 5,000 with one hour entry a minute from midnight on, 20 seconds into the minute.
    for (int minute = 0; list.size() < 5000; ++minute)
        list.add(core::hourEntry(kStart + std::chrono::seconds(minute * 60 + 20), "Venus", us));

    // Through the day, one tick as each minute begins (one entry goes off) and one in its
    // middle (nothing is due any more).
    std::vector<double> due;
    std::vector<double> quiet;
    for (int minute = 0; minute < 24 * 60; ++minute) {
        for (int second : {0, 30}) {
            clock.set(kStart + std::chrono::seconds(minute * 60 + second));
            const auto begin = std::chrono::steady_clock::now();
            const core::AlarmTick tick = alarm.check(window, settings);
            const double micros =
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin)
                    .count();
            (second == 0 ? due : quiet).push_back(micros);
            // The day's own hours may add a second alarm to a minute; none may be missed.
            if ((second == 0) != !tick.displayLines.empty())
                std::printf("unexpected: %zu alarms at minute %d\n", tick.displayLines.size(),
                            minute);
        }
    }
    printTimes("check tick, one entry due", list.size(), due);
    printTimes("check tick, nothing due", list.size(), quiet);
}

void thirtyDays()
{
    testing::TempDir dir;
    core::AlarmList list;
    testing::FakeSound sound;
    testing::FakeClock clock(kStart + hours(12));
    const core::RegionalSettings us = core::usEnglishRegionalSettings();
    SimulatedWindow window(list, dir.path());
    core::Settings settings;
    settings.alarmMoon = settings.hourAlarmVenus = settings.hourAlarmMars = true;
    const testing::FakeZoneRules zones;
    core::Alarm alarm(list, sound, core::LocalClock(clock, &zones, settings), us, dir.path());

    const long rssBefore = peakRssKiB();
    alarm.toggle(window);
    const auto begin = std::chrono::steady_clock::now();
    long ticks = 0;
    // One tick a second for 30 days.
    for (long second = 0; second < 30L * 86400; ++second, ++ticks) {
        clock.set(kStart + hours(12) + std::chrono::seconds(second));
        alarm.check(window, settings);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    const auto empty = std::count(list.entries().begin(), list.entries().end(), "");
    std::printf("30 days: %ld ticks in %.1f s (%.1f us a tick), %zu entries (%ld gone off), "
                "%zu bytes of entry text, %ld alarms written, %zu arming sounds\n",
                ticks, seconds, seconds * 1e6 / ticks, list.size(), static_cast<long>(empty),
                list.textBytes(), window.displayLines, sound.asyncPlayed.size());
    const double listBytes =
        static_cast<double>(list.textBytes() + list.entries().capacity() * sizeof(std::string));
    std::printf("list memory: %.0f bytes (%.1f bytes an entry); peak RSS %ld KiB before arming, "
                "%ld KiB after 30 days (%.1f KiB of peak RSS per 1,000 entries)\n",
                listBytes, listBytes / static_cast<double>(list.size()), rssBefore, peakRssKiB(),
                static_cast<double>(peakRssKiB()) * 1000.0 / static_cast<double>(list.size()));
}

}  // namespace

int main()
{
    tickTime();
    thirtyDays();
    return 0;
}
