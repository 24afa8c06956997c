#include "core/hours/planetary_hours.h"

#include <chrono>
#include <optional>

#include "core/common/date_format.h"

namespace vantrel::core {

namespace {

// Ruler of the first day hour, Sunday to Saturday: Sun, Moon, Mars, Mercury, Jupiter, Venus,
// Saturn, as positions in kRulerCycle.
constexpr std::array<int, 7> kFirstRuler = {0, 3, 6, 2, 5, 1, 4};

constexpr std::string_view kMissingTime = "not found";

// A length of time as H:MM.
std::string hoursAndMinutes(std::chrono::milliseconds length, const RegionalSettings& regional)
{
    return formatTime("h:nn", TimeOfDay::fromDuration(length), regional);
}

std::string shortTime(const std::optional<LocalDateTime>& value, const RegionalSettings& regional)
{
    if (!value)
        return std::string(kMissingTime);
    return formatDateTime("t", *value, regional);
}

std::string headingDate(const std::optional<LocalDateTime>& value, std::string_view datePattern,
                        const RegionalSettings& regional)
{
    if (!value)
        return std::string(kMissingTime);
    return formatDateTime(datePattern, *value, regional);
}

std::vector<std::string> sunMoonLines(const RiseSetTimes& times, const RegionalSettings& regional)
{
    return {
        "Sun   Nadir " + shortTime(times.sunNadir, regional),
        "Sun    Rise " + shortTime(times.sunrise, regional),
        "Sun  Zenith " + shortTime(times.sunZenith, regional),
        "Sun     Set " + shortTime(times.sunset, regional),
        " ",
        "Moon  Nadir " + shortTime(times.moonNadir, regional),
        "Moon   Rise " + shortTime(times.moonrise, regional),
        "Moon Zenith " + shortTime(times.moonZenith, regional),
        "Moon    Set " + shortTime(times.moonset, regional),
    };
}

// Daylight and darkness exist only when the Sun rises, sets and rises again, in that order.
bool sunRisesAndSets(const RiseSetTimes& times)
{
    if (!times.sunrise || !times.sunset || !times.nextSunrise)
        return false;
    return *times.sunrise < *times.sunset && *times.sunset < *times.nextSunrise;
}

void fillHours(PlanetaryHoursReport& report, const RiseSetTimes& times, int weekday,
               const RegionalSettings& regional)
{
    const std::chrono::milliseconds light = *times.sunset - *times.sunrise;
    const std::chrono::milliseconds darkness = *times.nextSunrise - *times.sunset;
    report.dayHourLength = light / 12;
    report.nightHourLength = darkness / 12;
    for (int k = 1; k <= 12; ++k) {
        // Multiplied before divided, so that no hour carries the rounding of the ones before.
        PlanetaryHour& day = report.dayHours[k - 1];
        day.start = *times.sunrise + light * (k - 1) / 12;
        day.ruler = dayHourRuler(weekday, k);
        PlanetaryHour& night = report.nightHours[k - 1];
        night.start = *times.sunset + darkness * (k - 1) / 12;
        night.ruler = nightHourRuler(weekday, k);

        auto& row = report.table[k];
        row[0] = formatDateTime("t", day.start, regional);
        row[1] = day.ruler;
        row[2] = formatDateTime("t", night.start, regional);
        row[3] = night.ruler;
    }
    report.statusText = "Hours of Light " + hoursAndMinutes(light, regional) +
                        "  Hours of Darkness " + hoursAndMinutes(darkness, regional);

    for (int column : {0, 2}) {
        for (int row = 0; row <= 12; ++row)
            report.hoursList.push_back(report.table[row][column] + " " +
                                       report.table[row][column + 1]);
        if (column == 0)
            report.hoursList.emplace_back(" ");
    }
    for (const auto* hours : {&report.dayHours, &report.nightHours})
        for (const PlanetaryHour& hour : *hours)
            report.hourEntries.push_back(hourEntry(hour.start, hour.ruler, regional));
}

}  // namespace

int firstRulerIndex(int weekday)
{
    if (weekday < 1 || weekday > 7)
        return 0;
    return kFirstRuler[weekday - 1];
}

std::string_view dayHourRuler(int weekday, int hour)
{
    return kRulerCycle[(firstRulerIndex(weekday) + hour - 1) % 7];
}

std::string_view nightHourRuler(int weekday, int hour)
{
    return kRulerCycle[(firstRulerIndex(weekday) + 12 + hour - 1) % 7];
}

std::string hourEntry(const LocalDateTime& start, std::string_view ruler,
                      const RegionalSettings& regional)
{
    std::string name = std::string(ruler) + std::string(Blanks8);
    name.resize(8);
    return std::string(kSixBlanks) + formatDateTime(kEventTimeFormat, start, regional) + " " +
           name + std::string(kHourTag);
}

PlanetaryHoursReport computePlanetaryHours(const RiseSetTimes& times, Date shownDate,
                                           std::string_view datePattern,
                                           const RegionalSettings& regional)
{
    PlanetaryHoursReport report;
    report.sunMoonList = sunMoonLines(times, regional);
    report.table[0][0] = "Sunrise " + headingDate(times.sunrise, datePattern, regional);
    report.table[0][2] = "Sunset " + headingDate(times.sunset, datePattern, regional);
    report.hasHours = sunRisesAndSets(times);
    if (report.hasHours) {
        fillHours(report, times, shownDate.weekday(), regional);
    } else {
        report.statusText = std::string(kNoSunriseText);
        report.hoursList = {report.table[0][0] + " ", std::string(kNoSunriseText)};
    }
    return report;
}

}  // namespace vantrel::core
