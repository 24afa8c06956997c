#pragma once
// Letter case by the ASCII rules alone. The program's own texts and keys (Roman numerals,
// settings keys, pattern letters, designators) fold case this way whatever the locale: under
// a Turkish or Azeri one std::tolower('I') is not 'i'. Bytes outside ASCII are left as they are.

#include <string>
#include <string_view>

namespace vantrel::core {

constexpr char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string asciiLowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = asciiLower(c);
    return lower;
}

// Whether text begins with prefix, ASCII letters compared without regard to case.
constexpr bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i]) != asciiLower(prefix[i]))
            return false;
    return true;
}

constexpr bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && startsWithNoCase(a, b);
}

}  // namespace vantrel::core
