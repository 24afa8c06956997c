#pragma once
// Reading the Sun's and the Moon's sign (and whole degree) out of the engine's chart listing.

#include <string>
#include <string_view>
#include <vector>

#include "core/settings/settings.h"
#include "core/thelemic/thelemic_date.h"

namespace vantrel::core {

inline constexpr const char* kChartListing = "chart.txt";
// The degree sign, UTF-8.
inline constexpr const char* kDegreeSign = "\xC2\xB0";

// The sign's name for its three-letter abbreviation ("Gem" gives "Gemini"); the comparison is
// exact and case-sensitive, so anything else ("ari", "Ge") gives the empty text.
std::string SignName(std::string_view abbreviation);

// For each line that begins with "Sun" or "Moon", in listing order: reads the degree (columns 7
// and 8, as they stand) and the sign (columns 9 to 11), sets SunText or MoonText and appends the
// Sol or Luna piece to thelemicPart. SignOnly gives " Sol in Gemini"; WithDegree (and NotChosen)
// gives " Sol 13° Gemini". Fields whose line is missing keep their values.
void readChartListing(const std::vector<std::string>& lines, SignDisplay display,
                      TThelemicDate& record, std::string& thelemicPart);

}  // namespace vantrel::core
