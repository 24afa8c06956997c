// Figures for a year's calendar as the month calendar and the Year window compute it: the
// events of the year and the Sun and Moon of each of its noons from the engine's library in
// process, the zone questions of the system's zone, the feasts and the day lines; and the
// iCalendar text of it. Median of several runs per case. Prints figures; never fails.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QCoreApplication>

#include "core/calendar/year_calendar.h"
#include "platform/engine_sky_event_source.h"
#include "platform/icalendar_file.h"
#include "platform/qt_zone_rules.h"

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;

template <typename Work> double medianMillis(int runs, const Work& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const platform::QtZoneRules rules;
    const core::LiveZone zone{&rules, ""};
    const core::RegionalSettings regional = core::usEnglishRegionalSettings();
    const std::vector<core::Feast> feasts = core::readFeastsFile(VANTREL_FEASTS_FILE).feasts;
    platform::EngineSkyEventSource files;
    platform::EngineSkyEventSource theory("/nonexistent");

    std::printf("%-34s %5s %7s %12s %12s\n", "case", "year", "events", "ms calendar",
                "ms iCalendar");
    const struct {
        const char* name;
        core::SkyEventSource& sky;
        int year;
        core::Zodiac zodiac;
    } cases[] = {
        {"files, tropical", files, 2025, core::Zodiac::Tropical},
        {"files, sidereal", files, 2025, core::Zodiac::Sidereal},
        {"built-in theory (no files)", theory, 2025, core::Zodiac::Tropical},
        {"files end, theory beyond (2500)", files, 2500, core::Zodiac::Tropical},
    };
    for (const auto& c : cases) {
        core::Settings settings;
        settings.timeMode = core::TimeMode::SystemZone;
        settings.zodiac = c.zodiac;
        const core::CalendarContext context{settings, regional, zone, c.sky};
        core::YearCalendar calendar;
        const double calendarMs =
            medianMillis(runs, [&] { calendar = core::yearCalendar(c.year, feasts, context); });
        const double textMs = medianMillis(runs, [&] {
            if (platform::iCalendarText(calendar, "bench", core::Instant{}).empty())
                std::printf("empty iCalendar text\n");
        });
        std::printf("%-34s %5d %7zu %12.1f %12.1f\n", c.name, c.year, calendar.events().size(),
                    calendarMs, textMs);
    }
    return 0;
}
