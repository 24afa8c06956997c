// Figures for the tz database and the cities database: the time of one zone question (the
// system's zone and a named one, as every command file asks), and of place searches, the first
// of which reads the cities database.

#include <chrono>
#include <cstdio>
#include <string>

#include <QCoreApplication>

#include "platform/geonames_place_lookup.h"
#include "platform/qt_zone_rules.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start, int count)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

void zoneQuestions(const vantrel::platform::QtZoneRules& rules, const char* zoneName)
{
    constexpr int kQuestions = 20000;
    const vantrel::core::Date first = *vantrel::core::Date::fromCivil(1950, 1, 1);
    const vantrel::core::TimeOfDay one = *vantrel::core::TimeOfDay::fromClock(13, 0);
    int daylight = 0;
    const auto start = Clock::now();
    for (int i = 0; i < kQuestions; ++i) {
        // Every third day at 13:00 over 164 years, as a batch of birthdays would ask.
        if (const auto offset = rules.offsetAt({first.plusDays(i * 3), one}, zoneName))
            daylight += offset->daylightMinutes == 60;
    }
    std::printf("zone question, %-20s %8.2f us each (%d of %d in daylight time)\n",
                *zoneName ? zoneName : "system zone", microsecondsSince(start, kQuestions),
                daylight, kQuestions);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const vantrel::platform::QtZoneRules rules;
    zoneQuestions(rules, "");
    zoneQuestions(rules, "Europe/Dublin");
    zoneQuestions(rules, "Australia/Lord_Howe");

    const vantrel::platform::GeonamesPlaceLookup lookup;
    for (const char* query : {"Minneapolis", "Minneapolis", "dub", "s", "sao paulo", "xyzzy"}) {
        const auto start = Clock::now();
        const auto places = lookup.findPlaces(query, 100);
        std::printf("place search %-14s %8.1f ms, %zu places\n",
                    (std::string("\"") + query + "\"").c_str(), microsecondsSince(start, 1) / 1000,
                    places.size());
    }
    return 0;
}
