#include "core/thelemic/year_numbering.h"

#include <cstdlib>

#include "core/common/ascii_case.h"

namespace vantrel::core {

namespace {

constexpr const char* kHundreds[] = {"", "C", "CC", "CCC", "CD", "D", "DC", "DCC", "DCCC", "CM"};
constexpr const char* kTens[] = {"", "X", "XX", "XXX", "XL", "L", "LX", "LXX", "LXXX", "XC"};
constexpr const char* kUnits[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};

enum class Style { RomanUpper, RomanLower, Decimal };

std::string written(int number, Style style)
{
    switch (style) {
    case Style::RomanUpper:
        return romanNumeral(number);
    case Style::RomanLower:
        return asciiLowerCase(romanNumeral(number));
    case Style::Decimal:
        break;
    }
    return std::to_string(number);
}

struct CycleAndYear {
    Style cycle;
    Style year;
};

CycleAndYear stylesOf(YearFormat format)
{
    switch (format) {
    case YearFormat::UpperRomanLowerRoman:
        return {Style::RomanUpper, Style::RomanLower};
    case YearFormat::LowerRomanUpperRoman:
        return {Style::RomanLower, Style::RomanUpper};
    case YearFormat::DigitsLowerRoman:
        return {Style::Decimal, Style::RomanLower};
    case YearFormat::DigitsUpperRoman:
        return {Style::Decimal, Style::RomanUpper};
    case YearFormat::LowerRomanDigits:
    case YearFormat::NotChosen:
        break;
    }
    return {Style::RomanLower, Style::Decimal};
}

}  // namespace

int yearCount(int year, int month, int day)
{
    int count = year - 1904;
    if (month < 3 || (month == 3 && day <= 19))
        --count;
    return count;
}

std::string romanNumeral(int number)
{
    if (number <= 0 || number > 3999)
        return "";
    return std::string(number / 1000, 'M') + kHundreds[number / 100 % 10] +
           kTens[number / 10 % 10] + kUnits[number % 10];
}

std::string yearText(int yearCount, YearFormat format)
{
    const CycleAndYear chosen = stylesOf(format);
    const int magnitude = std::abs(yearCount);
    const std::string text = written(magnitude / kYearsPerCycle, chosen.cycle) +
                             written(magnitude % kYearsPerCycle, chosen.year);
    return yearCount < 0 ? "-" + text : text;
}

}  // namespace vantrel::core
