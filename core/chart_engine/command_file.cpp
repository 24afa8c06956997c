#include "core/chart_engine/command_file.h"

#include <cstdio>
#include <optional>

#include "core/common/error.h"
#include "core/common/zone_text.h"
#include "core/ports/zone_rules.h"

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
    // An empty field would leave the engine's line one field short, and the engine would name
    // the last field as the missing one.
    if (text.empty())
        throw VantrelError(std::string(fieldName) + " must not be empty");
    for (const char c : text) {
        if (isBlankOrControl(static_cast<unsigned char>(c))) {
            throw VantrelError(std::string(fieldName) + " \"" + visibleText(text) +
                               "\" must not contain blanks or control characters");
        }
    }
}

// The daylight field and the zone for a local moment by the tz database. The engine's daylight
// time is one whole hour, so " DT " with the standard offset is written only for a shift of
// exactly one hour; any other (half an hour, two hours, a negative shift) goes into the zone,
// with " ST ", so that the line still names the same universal time.
std::string zoneFieldFromRules(const Settings& settings, const LiveZone& zone,
                               const LocalDateTime& localMoment)
{
    const bool placeZone = settings.timeMode == TimeMode::PlaceZone;
    if (placeZone && settings.zoneName.empty())
        throw VantrelError(kNoPlaceZoneMessage);
    const std::string zoneName = placeZone ? settings.zoneName : std::string();
    std::optional<ZoneOffset> offset;
    if (zone.zoneRules)
        offset = zone.zoneRules->offsetAt(localMoment, zoneName);
    if (!offset) {
        if (placeZone) {
            throw VantrelError("The time zone \"" + visibleText(zoneName) +
                               "\" is not in this computer's time-zone database");
        }
        return " ST 0";  // the system's zone cannot be read
    }
    if (offset->daylightMinutes == 60)
        return " DT " + zoneTextFromMinutesWest(offset->minutesWest + 60);
    return " ST " + zoneTextFromMinutesWest(offset->minutesWest);
}

// Nothing chosen (a hand-edited -1) calculates with the first-run house system, as every other
// unchosen option falls back to its first-run item; the engine knows no house system -1.
std::string houseSystemLine(const Settings& settings)
{
    const HouseSystem system = settings.houseSystem == HouseSystem::NotChosen
                                   ? HouseSystem::Placidus
                                   : settings.houseSystem;
    return "/c " + std::to_string(choiceIndex(system));
}

void addSiderealLine(std::vector<std::string>& lines, const Settings& settings)
{
    if (settings.zodiac == Zodiac::Sidereal)
        lines.push_back("/s");
}

std::vector<std::string> commonHead(const ChartPlace& place, const LocalDateTime& moment,
                                    const Settings& settings, const LiveZone& zone,
                                    const std::string& outputFile)
{
    return {kHeaderLine, chartDataLine(place, moment, settings, zone), "/os " + outputFile};
}

}  // namespace

std::string chartDataLine(const ChartPlace& place, const LocalDateTime& moment,
                          const Settings& settings, const LiveZone& zone)
{
    const bool zoneFromRules =
        settings.timeMode == TimeMode::SystemZone || settings.timeMode == TimeMode::PlaceZone;
    if (!zoneFromRules)
        requireSingleWord("Time Zone", place.zone);
    requireSingleWord("Longitude", place.longitude);
    requireSingleWord("Latitude", place.latitude);

    const CivilDate day = moment.date.civil();
    const TimeOfDay clock = moment.time;
    char minute[4];
    std::snprintf(minute, sizeof minute, "%02d", clock.minute());

    std::string line = "/qb " + std::to_string(day.month) + " " + std::to_string(day.day) + " " +
                       std::to_string(day.year) + " " + std::to_string(clock.hour()) + ":" +
                       minute + (clock.hour() >= 12 ? "PM" : "AM");
    if (zoneFromRules) {
        // The moment, not the bare date: on the day the clocks change, the hours before the
        // change keep the old time and the hours after it take the new one.
        line += zoneFieldFromRules(settings, zone, moment);
    } else {
        line += settings.timeMode == TimeMode::Daylight ? " DT " : " ST ";
        line += place.zone;
    }
    return line + " " + place.longitude + " " + place.latitude;
}

std::vector<std::string> chartInputLines(const ChartPlace& place, const LocalDateTime& moment,
                                         const Settings& settings, const LiveZone& zone)
{
    auto lines = commonHead(place, moment, settings, zone, "chart.txt");
    lines.push_back(zone.dateOrderSwitch);
    lines.insert(lines.end(), kRestrictions.begin(), kRestrictions.end());
    lines.push_back(houseSystemLine(settings));
    addSiderealLine(lines, settings);
    return lines;
}

std::vector<std::string> wheelInputLines(const ChartPlace& place, const LocalDateTime& moment,
                                         const Settings& settings, const LiveZone& zone)
{
    auto lines = commonHead(place, moment, settings, zone, "wheel.txt");
    lines.push_back(zone.dateOrderSwitch);
    lines.insert(lines.end(), kRestrictions.begin(), kRestrictions.end());
    lines.push_back("/XM0");
    if (settings.wheelReversed)
        lines.push_back("/Xr");
    if (settings.wheelMonochrome)
        lines.push_back("/Xm");
    lines.push_back("/Xo chart.wmf");
    lines.push_back(houseSystemLine(settings));
    addSiderealLine(lines, settings);
    lines.push_back("/w 10");
    return lines;
}

std::vector<std::string> aspectsInputLines(const ChartPlace& place, const LocalDateTime& moment,
                                           const Settings& settings, const LiveZone& zone)
{
    auto lines = commonHead(place, moment, settings, zone, "aspects.txt");
    lines.push_back(zone.dateOrderSwitch);
    lines.push_back(houseSystemLine(settings));
    addSiderealLine(lines, settings);
    for (const char* display : {"/a0", "/g0", "/j0"})
        lines.push_back(display);
    lines.insert(lines.end(), kRestrictions.begin(), kRestrictions.end());
    lines.push_back("/Z");
    return lines;
}

std::vector<std::string> riseSetInputLines(const ChartPlace& place, const std::string& outputFile,
                                           const LocalDateTime& moment, const Settings& settings,
                                           const LiveZone& zone)
{
    auto lines = commonHead(place, moment, settings, zone, outputFile);
    lines.insert(lines.end(), kRestrictions.begin(), kRestrictions.end());
    lines.push_back("/Zd");
    lines.push_back(zone.dateOrderSwitch);
    return lines;
}

std::vector<std::string> trimmedChartInputLines(const ChartPlace& place,
                                                const LocalDateTime& moment,
                                                const Settings& settings, const LiveZone& zone)
{
    auto lines = commonHead(place, moment, settings, zone, "chart.txt");
    // House system 13 is "None": no houses are computed for it.
    lines.push_back("/c 13");
    addSiderealLine(lines, settings);
    lines.push_back("/R Mer Ven Mar Jup Sat Ura Nep Plu Chi Cer Pal Jun Ves Nod Lil For Ver Eas");
    return lines;
}

std::vector<std::string> trimmedRiseSetInputLines(const ChartPlace& place,
                                                  const std::string& outputFile,
                                                  const LocalDateTime& moment,
                                                  const Settings& settings, const LiveZone& zone)
{
    auto lines = commonHead(place, moment, settings, zone, outputFile);
    lines.push_back("/R Moo Mer Ven Mar Jup Sat Ura Nep Plu");
    lines.push_back("/Zd");
    lines.push_back(zone.dateOrderSwitch);
    return lines;
}

void writeCommandFile(std::ostream& out, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        out << line << "\r\n";
}

}  // namespace vantrel::core
