#include "core/common/regional_settings.h"

#include "core/common/ascii_case.h"

namespace vantrel::core {

RegionalSettings usEnglishRegionalSettings()
{
    return RegionalSettings{};
}

DateOrder shortDateOrder(const RegionalSettings& regional)
{
    for (const char c : regional.shortDateFormat) {
        switch (asciiLower(c)) {
        case 'd':
            return DateOrder::DayMonthYear;
        case 'm':
            return DateOrder::MonthDayYear;
        case 'y':
            return DateOrder::YearMonthDay;
        default:
            break;
        }
    }
    return DateOrder::MonthDayYear;
}

bool hasRecognisableDateOrder(const RegionalSettings& regional)
{
    return regional.shortDateFormat.find_first_of("dDmMyY") != std::string::npos;
}

}  // namespace vantrel::core
