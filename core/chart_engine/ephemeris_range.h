#pragma once
// The dates the chart engine computes. Its ephemeris files reach from 1800 to 2400; beyond them
// it falls back on the built-in Moshier theory, which holds from 3000 BC to 3000 AD. The engine
// refuses any other date, and so the program never asks for one. The engine keeps the same
// numbers; a test checks that the two agree.

#include <optional>
#include <string>

#include "core/common/date_time.h"

namespace vantrel::core {

inline constexpr CivilDate kFirstEphemerisDate{1, 1, 1};
inline constexpr CivilDate kLastEphemerisDate{3000, 12, 31};

// "1 January 1 to 31 December 3000".
std::string ephemerisRangeText();

bool inEphemerisRange(Date date);

// The message for a date outside the range: "The date 1 January 3001 is outside the ephemeris
// range (1 January 1 to 31 December 3000)"; nullopt inside it.
std::optional<std::string> ephemerisRangeProblem(Date date);

}  // namespace vantrel::core
