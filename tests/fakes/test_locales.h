#pragma once
// The regional conventions tests run under, built by hand so that no test depends on the
// machine's locale data. United States English is core::usEnglishRegionalSettings(). A test
// that is about one convention starts from one of these and changes that field where it is
// used.

#include "core/common/regional_settings.h"

namespace vantrel::testing {

// United States English with the two-digit year of the short date: 6/3/00, Saturday, June 03,
// 2000, 8:03 PM, 8:03:15 PM.
inline core::RegionalSettings usEnglishTwoDigitYear()
{
    core::RegionalSettings regional = core::usEnglishRegionalSettings();
    regional.shortDateFormat = "m/d/yy";
    return regional;
}

// United States English with the four-digit year of the short date: 6/3/2000, Saturday, June
// 03, 2000, 8:03 PM.
inline core::RegionalSettings usEnglishFourDigitYear()
{
    core::RegionalSettings regional = core::usEnglishRegionalSettings();
    regional.shortDateFormat = "m/d/yyyy";
    return regional;
}

// German: day first with dots, the 24-hour clock without designators, a decimal comma:
// 03.06.2000, Samstag, 3. Juni 2000, 20:03, 20:03:15.
inline core::RegionalSettings german()
{
    core::RegionalSettings regional;
    regional.shortDateFormat = "dd.mm.yyyy";
    regional.longDateFormat = "dddd, d. mmmm yyyy";
    regional.shortTimeFormat = "hh:nn";
    regional.longTimeFormat = "hh:nn:ss";
    regional.dateSeparator = ".";
    regional.timeSeparator = ":";
    regional.decimalSeparator = ",";
    regional.amDesignator = "";
    regional.pmDesignator = "";
    const char* const days[7] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                 "Donnerstag", "Freitag", "Samstag"};
    const char* const shortDays[7] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    const char* const months[12] = {"Januar",    "Februar", "M\u00E4rz", "April",
                                    "Mai",       "Juni",    "Juli",      "August",
                                    "September", "Oktober", "November",  "Dezember"};
    const char* const shortMonths[12] = {"Jan", "Feb", "M\u00E4r", "Apr", "Mai", "Jun",
                                         "Jul", "Aug", "Sep",      "Okt", "Nov", "Dez"};
    for (int i = 0; i < 7; ++i) {
        regional.longDayNames[i] = days[i];
        regional.shortDayNames[i] = shortDays[i];
    }
    for (int i = 0; i < 12; ++i) {
        regional.longMonthNames[i] = months[i];
        regional.shortMonthNames[i] = shortMonths[i];
    }
    return regional;
}

// Finnish separators: day first, dots between the parts of the date and of the time
// (3.6.2000 20.03). Names and patterns otherwise as in the United States record; no test
// formats them.
inline core::RegionalSettings finnish()
{
    core::RegionalSettings regional = core::usEnglishRegionalSettings();
    regional.shortDateFormat = "d.m.yyyy";
    regional.dateSeparator = ".";
    regional.timeSeparator = ".";
    return regional;
}

// Year first with dashes, as in ISO 8601: 2000-06-03.
inline core::RegionalSettings yearFirst()
{
    core::RegionalSettings regional = core::usEnglishRegionalSettings();
    regional.shortDateFormat = "yyyy-mm-dd";
    regional.dateSeparator = "-";
    return regional;
}

}  // namespace vantrel::testing
