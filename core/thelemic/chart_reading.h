#pragma once
// Reading the Sun's and the Moon's sign (and whole degree) out of the engine's chart listing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/text_file.h"
#include "core/settings/settings.h"
#include "core/thelemic/thelemic_date.h"

namespace vantrel::core {

inline constexpr const char* kChartListing = "chart.txt";
// The degree sign, UTF-8.
inline constexpr const char* kDegreeSign = "\xC2\xB0";

// The sign's name for its three-letter abbreviation ("Gem" gives "Gemini"); the comparison is
// exact and case-sensitive, so anything else ("ari", "Ge") gives the empty text.
std::string signName(std::string_view abbreviation);
// The name of sign 0 (Aries) to 11 (Pisces); the empty text for any other number.
std::string signName(int sign);

// For each line that begins with "Sun" or "Moon", in listing order: reads the degree (columns 7
// and 8, as they stand) and the sign (columns 9 to 11), sets SunText or MoonText and appends the
// Sol or Luna piece to thelemicPart. SignOnly gives " Sol in Gemini"; WithDegree (and NotChosen)
// gives " Sol 13° Gemini". Fields whose line is missing keep their values.
void readChartListing(const std::vector<std::string>& lines, SignDisplay display,
                      ThelemicDate& record, std::string& thelemicPart);

// The same pieces for the Sun's and the Moon's ecliptic longitudes (degrees, any value), as
// the engine's chart listing would give them: the whole degree and the sign, both cut (never
// rounded) at the whole minute of arc.
void addSunAndMoonPieces(double sunLongitudeDeg, double moonLongitudeDeg, SignDisplay display,
                         ThelemicDate& record, std::string& thelemicPart);

// What keeps the program from reading a chart listing, naming the file (and line) and saying
// what was expected there: a listing that is missing, empty, unreadable, without a Sun or a Moon
// row, or with such a row whose degree (columns 7 and 8, 0 to 29) or sign (columns 9 to 11, one
// of the twelve abbreviations) is not there. nullopt when the listing can be read.
std::optional<std::string> chartListingProblem(const TextFile& listing, std::string_view fileName);

}  // namespace vantrel::core
