#pragma once
// The user's regional conventions, as the formatter and the parsers need them. Patterns are in
// the program's own pattern language (see date_format.h).

#include <string>

namespace vantrel::core {

struct RegionalSettings {
    std::string shortDateFormat = "m/d/yyyy";
    std::string longDateFormat = "dddd, mmmm dd, yyyy";
    std::string shortTimeFormat = "h:nn ampm";
    std::string longTimeFormat = "h:nn:ss ampm";
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    std::string decimalSeparator = ".";
    std::string amDesignator = "AM";
    std::string pmDesignator = "PM";
    std::string longDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                   "Thursday", "Friday", "Saturday"};
    std::string shortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string longMonthNames[12] = {"January",   "February", "March",    "April",
                                      "May",       "June",     "July",     "August",
                                      "September", "October",  "November", "December"};
    std::string shortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
};

// United States English conventions; also what the C/POSIX locale gets.
RegionalSettings usEnglishRegionalSettings();

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// Order of the short date format, from the first of the letters d, m and y (any case) in it;
// none of them counts as month first.
DateOrder shortDateOrder(const RegionalSettings& regional);

// Whether the short date format holds any of the letters d, m and y (in any case) at all.
bool hasRecognisableDateOrder(const RegionalSettings& regional);

}  // namespace vantrel::core
