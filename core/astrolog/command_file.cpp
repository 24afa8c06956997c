#include "core/astrolog/command_file.h"

#include <cstdio>
#include <cstdlib>

#include "core/common/error.h"

namespace vantrel::core {

namespace {

constexpr const char* kHeaderLine = "@0102  ; Astrolog chart info.";

// The restriction lines every kind of run writes, in this order.
const std::vector<std::string> kRestrictions = {"/R Chir", "/R Cere", "/R Pall",
                                                "/R Juno", "/R Vest", "/R Lili"};

bool isBlankOrControl(unsigned char c)
{
    return c <= 0x20 || c == 0x7F;
}

void requireSingleWord(const char* fieldName, const std::string& text)
{
    for (const char c : text) {
        if (isBlankOrControl(static_cast<unsigned char>(c))) {
            throw VantrelError(std::string(fieldName) + " \"" + visibleText(text) +
                               "\" must not contain blanks or control characters");
        }
    }
}

bool isDaylightDate(DateTime date, const ZoneSnapshot& zone)
{
    if (zone.DaylightStart <= zone.DaylightEnd)
        return zone.DaylightStart < date && date < zone.DaylightEnd;
    // A southern-hemisphere period runs over the turn of the year.
    return date > zone.DaylightStart || date < zone.DaylightEnd;
}

// The system zone as the engine reads it: whole hours as before, other zones as hours and
// minutes ("-5:30" for India, "3:30" for Newfoundland).
std::string systemZoneText(const ZoneSnapshot& zone)
{
    const int minutesWest = zone.systemZoneMinutesWest;
    if (minutesWest % 60 == 0)
        return std::to_string(zone.SystemZoneHours);
    const int magnitude = std::abs(minutesWest);
    char minutes[4];
    std::snprintf(minutes, sizeof minutes, "%02d", magnitude % 60);
    return (minutesWest < 0 ? "-" : "") + std::to_string(magnitude / 60) + ":" + minutes;
}

std::string houseSystemLine(const Settings& settings)
{
    return "/c " + std::to_string(choiceIndex(settings.OHouseSystem));
}

void addSiderealLine(std::vector<std::string>& lines, const Settings& settings)
{
    if (settings.OZodiac == Zodiac::Sidereal)
        lines.push_back("/s");
}

std::vector<std::string> commonHead(const ChartPlace& place, DateTime time, DateTime date,
                                    const Settings& settings, const ZoneSnapshot& zone,
                                    const std::string& outputFile)
{
    return {kHeaderLine, chartDataLine(place, time, date, settings, zone), "/os " + outputFile};
}

}  // namespace

std::string chartDataLine(const ChartPlace& place, DateTime time, DateTime date,
                          const Settings& settings, const ZoneSnapshot& zone)
{
    const bool systemZone = settings.OTime == TimeMode::SystemZone;
    if (!systemZone)
        requireSingleWord("Time Zone", place.zone);
    requireSingleWord("Longitude", place.longitude);
    requireSingleWord("Latitude", place.latitude);

    const CivilDate day = dateFromDateTime(date);
    const TimeOfDay clock = timeFromDateTime(time);
    char minute[4];
    std::snprintf(minute, sizeof minute, "%02d", clock.minute);

    std::string line = "/qb " + std::to_string(day.month) + " " + std::to_string(day.day) + " " +
                       std::to_string(day.year) + " " + std::to_string(clock.hour) + ":" + minute +
                       (clock.hour >= 12 ? "PM" : "AM");
    if (systemZone) {
        // The moment, not the bare date: on the day the clocks change, the hours before the
        // change keep the old time and the hours after it take the new one.
        line += isDaylightDate(datePart(date) + timePart(time), zone) ? " DT " : " ST ";
        line += systemZoneText(zone);
    } else {
        line += settings.OTime == TimeMode::Daylight ? " DT " : " ST ";
        line += place.zone;
    }
    return line + " " + place.longitude + " " + place.latitude;
}

std::vector<std::string> chartInputLines(const ChartPlace& place, DateTime time, DateTime date,
                                         const Settings& settings, const ZoneSnapshot& zone)
{
    auto lines = commonHead(place, time, date, settings, zone, "chart.txt");
    lines.push_back(zone.DateOrderSwitch);
    lines.insert(lines.end(), kRestrictions.begin(), kRestrictions.end());
    lines.push_back(houseSystemLine(settings));
    addSiderealLine(lines, settings);
    return lines;
}

std::vector<std::string> wheelInputLines(const ChartPlace& place, DateTime time, DateTime date,
                                         const Settings& settings, const ZoneSnapshot& zone)
{
    auto lines = commonHead(place, time, date, settings, zone, "wheel.txt");
    lines.push_back(zone.DateOrderSwitch);
    lines.insert(lines.end(), kRestrictions.begin(), kRestrictions.end());
    lines.push_back("/XM0");
    if (settings.WheelReverse)
        lines.push_back("/Xr");
    if (settings.Monochrome)
        lines.push_back("/Xm");
    lines.push_back("/Xo chart.wmf");
    lines.push_back(houseSystemLine(settings));
    addSiderealLine(lines, settings);
    lines.push_back("/w 10");
    return lines;
}

std::vector<std::string> aspectsInputLines(const ChartPlace& place, DateTime time, DateTime date,
                                           const Settings& settings, const ZoneSnapshot& zone)
{
    auto lines = commonHead(place, time, date, settings, zone, "aspects.txt");
    lines.push_back(zone.DateOrderSwitch);
    lines.push_back(houseSystemLine(settings));
    addSiderealLine(lines, settings);
    for (const char* display : {"/a0", "/g0", "/j0"})
        lines.push_back(display);
    lines.insert(lines.end(), kRestrictions.begin(), kRestrictions.end());
    lines.push_back("/Z");
    return lines;
}

std::vector<std::string> riseSetInputLines(const ChartPlace& place, const std::string& outputFile,
                                           DateTime time, DateTime date, const Settings& settings,
                                           const ZoneSnapshot& zone)
{
    auto lines = commonHead(place, time, date, settings, zone, outputFile);
    lines.insert(lines.end(), kRestrictions.begin(), kRestrictions.end());
    lines.push_back("/Zd");
    lines.push_back(zone.DateOrderSwitch);
    return lines;
}

void writeCommandFile(std::ostream& out, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        out << line << "\r\n";
}

}  // namespace vantrel::core
