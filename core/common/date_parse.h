#pragma once
// Reading dates and times written in the user's regional conventions.

#include <optional>
#include <string_view>

#include "core/common/date_time.h"
#include "core/common/regional_settings.h"

namespace vantrel::core {

// A date and a time of day in one text, as the rise-and-set reading builds it: three numbers in
// the short date order separated by the date separator, then hours and minutes (seconds
// optional) separated by the time separator, then an optional "am"/"pm" (any case). Blanks
// before each number are skipped; a number stops after the digit that brings it to 1000 or more,
// so " 3/ 6/200010:29am" reads as 6 March 2000 (month first), 10:29. nullopt when the text does
// not fit or the date does not exist.
std::optional<LocalDateTime> parseLocaleDateTime(std::string_view text,
                                                 const RegionalSettings& regional);
// The same with the three numbers of the date in the given order instead of the short date's.
std::optional<LocalDateTime> parseLocaleDateTime(std::string_view text,
                                                 const RegionalSettings& regional, DateOrder order);

}  // namespace vantrel::core
