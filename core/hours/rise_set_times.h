#pragma once
#include "core/common/date_time.h"

namespace vantrel::core {

// The value that marks an event no listing supplied.
inline constexpr DateTime kNotFound = 99.0;

struct RiseSetTimes {
    DateTime sunrise = 0;
    DateTime sunZenith = 0;
    DateTime sunset = 0;
    DateTime sunNadir = 0;
    DateTime moonrise = 0;
    DateTime moonZenith = 0;
    DateTime moonset = 0;
    DateTime moonNadir = 0;
    DateTime nextSunrise = 0;
};

}  // namespace vantrel::core
