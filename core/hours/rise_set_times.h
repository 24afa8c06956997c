#pragma once
#include <optional>

#include "core/common/date_time.h"

namespace vantrel::core {

// The events of the Sun and the Moon that the rise-and-set listings supplied; an event they did
// not supply (polar day or night, a failed run) is empty.
struct RiseSetTimes {
    std::optional<LocalDateTime> sunrise;
    std::optional<LocalDateTime> sunZenith;
    std::optional<LocalDateTime> sunset;
    std::optional<LocalDateTime> sunNadir;
    std::optional<LocalDateTime> moonrise;
    std::optional<LocalDateTime> moonZenith;
    std::optional<LocalDateTime> moonset;
    std::optional<LocalDateTime> moonNadir;
    std::optional<LocalDateTime> nextSunrise;
};

}  // namespace vantrel::core
