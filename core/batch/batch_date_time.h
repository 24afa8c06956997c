#pragma once
// Reading the date and time fields of a batch line in the user's regional conventions.

#include <optional>
#include <string_view>

#include "core/common/date_time.h"
#include "core/common/regional_settings.h"

namespace vantrel::core {

// Two or three whole numbers separated by the date separator, in the order of the short date
// format (day first, month first or year first). With two numbers the year is the year of
// `today`; a year of one or two digits falls in the hundred years that begin fifty years before
// that year. nullopt unless the text fits and the day exists.
std::optional<Date> readBatchDate(std::string_view text, const RegionalSettings& regional,
                                  Date today);

// Hours, then optionally minutes, seconds (time separator) and thousandths (decimal separator),
// with an optional "AM"/"PM" or regional designator before or after, in any letter case. With a
// designator the hours run 1 to 12 (12 AM is midnight, 12 PM noon), without one 0 to 23.
// nullopt unless the text fits.
std::optional<TimeOfDay> readBatchTime(std::string_view text, const RegionalSettings& regional);

}  // namespace vantrel::core
