#pragma once
// The comma-separated text of batch files: splitting an input line into fields, and writing a
// value so that the same split reads it back.

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::core {

// Splits one line into fields. Characters with codes 1 to 32 (blanks and control characters)
// separate fields as a comma does and are skipped around commas. A field that begins with a
// double quote runs to the matching closing quote, two quotes in a row standing for one; an
// unclosed quote runs to the end of the line. Two commas in a row give an empty field; a comma
// at the end of the line adds none.
std::vector<std::string> splitCommaText(std::string_view line);

// A value as it is written into an output line: unchanged, unless it holds a comma or a double
// quote, in which case it is enclosed in double quotes with every inner quote doubled.
std::string commaTextValue(std::string_view value);

}  // namespace vantrel::core
