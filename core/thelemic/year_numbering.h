#pragma once
// Thelemic years: counted from 20 March 1904 and written as the number of completed 22-year
// cycles followed directly by the year within the cycle.

#include <string>

#include "core/settings/settings.h"

namespace vantrel::core {

inline constexpr int kYearsPerCycle = 22;

// Whole years since the year that began on 20 March 1904 (count 0). The year turns at the start
// of 20 March; dates before the epoch give negative counts (19 March 1904 is -1).
int yearCount(int year, int month, int day);

// The Roman numeral of 0 to 3999 in upper case; 0 (and anything outside the range) gives the
// empty text.
std::string romanNumeral(int number);

// The year text in `format` (NotChosen is written as LowerRomanDigits, the first-run format).
// Cycle and year are count div 22 and count mod 22. A negative count (a date before the epoch)
// is written as a minus sign followed by the text of the number of years before the epoch,
// split the same way: 19 March 1904 is "-i" in UpperRomanLowerRoman, "-1" in LowerRomanDigits.
std::string yearText(int yearCount, YearFormat format);

}  // namespace vantrel::core
