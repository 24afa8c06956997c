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

void appendNumber(std::string& out, unsigned long value, int width, char pad)
{
    char text[24];
    char* const end = text + sizeof text;
    char* first = end;
    do {
        *--first = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (end - first < width && first > text)
        *--first = pad;
    out.append(first, end);
}

int signOf(double longitudeDeg)
{
    return static_cast<int>((wholeMinutes(normalizeDeg(longitudeDeg)) / (30 * 60)) % 12);
}

void appendZodiac(std::string& out, double longitudeDeg)
{
    const long minutes = wholeMinutes(normalizeDeg(longitudeDeg)) % (360 * 60);
    const long within = minutes % (30 * 60);
    appendNumber(out, static_cast<unsigned long>(within / 60), 2, ' ');
    out += kSignAbbreviations[static_cast<std::size_t>(minutes / (30 * 60))];
    appendNumber(out, static_cast<unsigned long>(within % 60), 2, '0');
}

std::string zodiacText(double longitudeDeg)
{
    std::string text;
    appendZodiac(text, longitudeDeg);
    return text;
}

void appendSignedDegrees(std::string& out, double deg)
{
    const long minutes = wholeMinutes(std::fabs(deg));
    out += deg < 0 && minutes > 0 ? '-' : '+';
    appendNumber(out, static_cast<unsigned long>(minutes / 60), 2, ' ');
    out += ':';
    appendNumber(out, static_cast<unsigned long>(minutes % 60), 2, '0');
    out += '\'';
}

std::string signedDegreesText(double deg)
{
    std::string text;
    appendSignedDegrees(text, deg);
    return text;
}

std::string azimuthText(double deg)
{
    const long minutes = wholeMinutes(normalizeDeg(deg)) % (360 * 60);
    std::string text;
    appendNumber(text, static_cast<unsigned long>(minutes / 60), 3, ' ');
    text += ':';
    appendNumber(text, static_cast<unsigned long>(minutes % 60), 2, '0');
    text += '\'';
    return text;
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
    std::string text;
    const auto part = [&text](int n, int width) {
        appendNumber(text, static_cast<unsigned long>(n), width, ' ');
    };
    part(dayFirst ? day : month, 2);
    text += dayFirst ? '-' : '/';
    part(dayFirst ? month : day, 2);
    text += dayFirst ? '-' : '/';
    part(year, 4);
    return text;
}

std::string twelveHourTime(int hour, int minute)
{
    std::string text;
    appendNumber(text, static_cast<unsigned long>(hour % 12 == 0 ? 12 : hour % 12), 2, ' ');
    text += ':';
    appendNumber(text, static_cast<unsigned long>(minute), 2, '0');
    text += hour < 12 ? "am" : "pm";
    return text;
}

std::string chartHeading(const Chart& chart, bool dayFirst)
{
    const ChartData& d = chart.data;
    const int zone = std::abs(d.zoneMinutesWest);
    std::string text = "Chart of ";
    text += weekdayName(chart.weekday);
    text += ' ';
    text += listingDate(d.year, d.month, d.day, dayFirst);
    text += ' ';
    text += twelveHourTime(d.hour, d.minute);
    text += d.daylight ? " (DT " : " (ST ";
    if (d.zoneMinutesWest < 0)
        text += '-';
    appendNumber(text, static_cast<unsigned long>(zone / 60), 1, '0');
    text += ':';
    appendNumber(text, static_cast<unsigned long>(zone % 60), 2, '0');
    text += " GMT) ";
    text += d.longitudeText;
    text += ' ';
    text += d.latitudeText;
    return text;
}

}  // namespace vantrel::engine
