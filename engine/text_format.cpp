#include "engine/text_format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace vantrel::engine {

namespace {

// Whole minutes of arc in an angle, truncated. The tiny allowance keeps a value such as
// 15.35 (which binary floating point holds as 15.34999...) at 15 degrees 21 minutes.
long wholeMinutes(double deg)
{
    return static_cast<long>(std::floor(deg * 60.0 + 1e-7));
}

}  // namespace

std::string format(const char* pattern, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, pattern);
    const int n = std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return std::string(
        buffer, n < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1));
}

int signOf(double longitudeDeg)
{
    return static_cast<int>((wholeMinutes(normalizeDeg(longitudeDeg)) / (30 * 60)) % 12);
}

std::string zodiacText(double longitudeDeg)
{
    const long minutes = wholeMinutes(normalizeDeg(longitudeDeg)) % (360 * 60);
    const int sign = static_cast<int>(minutes / (30 * 60));
    const long within = minutes % (30 * 60);
    return format("%2ld%s%02ld", within / 60, std::string(kSignAbbreviations[sign]).c_str(),
                  within % 60);
}

std::string signedDegreesText(double deg)
{
    const long minutes = wholeMinutes(std::fabs(deg));
    return format("%c%2ld:%02ld'", deg < 0 && minutes > 0 ? '-' : '+', minutes / 60, minutes % 60);
}

std::string azimuthText(double deg)
{
    const long minutes = wholeMinutes(normalizeDeg(deg)) % (360 * 60);
    return format("%3ld:%02ld'", minutes / 60, minutes % 60);
}

char dignityCode(Object object, int sign)
{
    // Rulerships (modern, with the traditional co-rulers) and exaltations, signs 0 = Aries.
    struct Dignity {
        int rules1, rules2, exalted;
    };
    static const Dignity table[kPlanetCount] = {
        {4, -1, 0},   // Sun: Leo; exalted in Aries
        {3, -1, 1},   // Moon: Cancer; Taurus
        {2, 5, 5},    // Mercury: Gemini, Virgo; Virgo
        {1, 6, 11},   // Venus: Taurus, Libra; Pisces
        {0, 7, 9},    // Mars: Aries, Scorpio; Capricorn
        {8, 11, 3},   // Jupiter: Sagittarius, Pisces; Cancer
        {9, 10, 6},   // Saturn: Capricorn, Aquarius; Libra
        {10, -1, 7},  // Uranus: Aquarius; Scorpio
        {11, -1, 3},  // Neptune: Pisces; Cancer
        {7, -1, 4},   // Pluto: Scorpio; Leo
    };
    const int i = static_cast<int>(object);
    if (i >= kPlanetCount)
        return '-';
    const Dignity& d = table[i];
    if (sign == d.rules1 || sign == d.rules2)
        return 'R';
    if (sign == d.exalted)
        return 'e';
    if (sign == (d.rules1 + 6) % 12 || (d.rules2 >= 0 && sign == (d.rules2 + 6) % 12))
        return 'd';
    if (sign == (d.exalted + 6) % 12)
        return 'f';
    return '-';
}

const char* weekdayName(int weekday)
{
    static const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    return names[((weekday % 7) + 7) % 7];
}

std::string listingDate(int year, int month, int day, bool dayFirst)
{
    return dayFirst ? format("%2d-%2d-%4d", day, month, year)
                    : format("%2d/%2d/%4d", month, day, year);
}

std::string twelveHourTime(int hour, int minute)
{
    const int h12 = hour % 12 == 0 ? 12 : hour % 12;
    return format("%2d:%02d%s", h12, minute, hour < 12 ? "am" : "pm");
}

std::string chartHeading(const Chart& chart, bool dayFirst)
{
    const ChartData& d = chart.data;
    const int zone = std::abs(d.zoneMinutesWest);
    return format("Chart of %s %s %s (%s %s%d:%02d GMT) %s %s", weekdayName(chart.weekday),
                  listingDate(d.year, d.month, d.day, dayFirst).c_str(),
                  twelveHourTime(d.hour, d.minute).c_str(), d.daylight ? "DT" : "ST",
                  d.zoneMinutesWest < 0 ? "-" : "", zone / 60, zone % 60, d.longitudeText.c_str(),
                  d.latitudeText.c_str());
}

}  // namespace vantrel::engine
