#pragma once
// Cutting unwanted characters from both ends of a text.

#include <string_view>

namespace vantrel::core {

// The text without the leading and trailing characters for which isBlank is true.
template <typename IsBlank> std::string_view trimmedBy(std::string_view text, IsBlank isBlank)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace vantrel::core
