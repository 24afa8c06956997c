#pragma once
// Reading the rise, zenith, set and nadir times of the Sun and the Moon from the engine's two
// rise-and-set listings (the shown day, and the day after it).
//
// An event line, as read here (columns counted from 1): the date in 7-16, the time in 18-24
// (12-hour clock with "am"/"pm"), the body's name right-aligned to end in column 32, the event
// word somewhere after it ("rises", "sets", "zeniths", "nadirs").

#include <string>
#include <string_view>
#include <vector>

#include "core/common/regional_settings.h"
#include "core/hours/rise_set_times.h"

namespace vantrel::core {

inline constexpr const char* kRiseSetListing = "riseset.txt";
inline constexpr const char* kNextRiseSetListing = "risesetn.txt";

// In day-first mode (dateOrderSwitch not empty) every "-" becomes the regional date separator and
// every ":" the regional time separator; otherwise the text is returned unchanged.
std::string localizeSeparators(std::string_view text, const std::string& dateOrderSwitch,
                               const RegionalSettings& regional);

// The order of the dates in the listings: day first when the engine was given "-Yd", otherwise
// month first, whatever the order of the user's own short date.
DateOrder listingDateOrder(const std::string& dateOrderSwitch);

enum class RiseSetReadResult {
    Complete,
    // A date or time in a listing did not fit the user's date order; reading stopped at that line
    // and the fields read before it keep their values.
    UnreadableDate,
};

// Fills `times` from the lines of the day's listing and of the next day's listing: every field
// is first emptied; the day's listing sets each event (the last matching line wins); the
// next day's listing sets nextSunrise (its last Sun rising) and any event the day's listing
// lacked (its first matching line).
RiseSetReadResult readRiseSetListings(const std::vector<std::string>& dayLines,
                                      const std::vector<std::string>& nextDayLines,
                                      const std::string& dateOrderSwitch,
                                      const RegionalSettings& regional, RiseSetTimes& times);

}  // namespace vantrel::core
