#pragma once
#include "core/common/date_time.h"

namespace vantrel::core {

// The value that marks an event no listing supplied.
inline constexpr DateTime kNotFound = 99.0;

struct RiseSetTimes {
    DateTime SunRise = 0;
    DateTime SunZenith = 0;
    DateTime SunSet = 0;
    DateTime SunNadir = 0;
    DateTime MoonRise = 0;
    DateTime MoonZenith = 0;
    DateTime MoonSet = 0;
    DateTime MoonNadir = 0;
    DateTime NextSunRise = 0;
};

}  // namespace vantrel::core
