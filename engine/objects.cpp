#include "engine/objects.h"

namespace vantrel::engine {

std::optional<Object> objectFromPrefix(std::string_view prefix)
{
    if (prefix.size() < 3)
        return std::nullopt;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (int i = 0; i < kObjectCount; ++i) {
        // the name without its blanks ("EastPoint") begins with the prefix
        if (lower(kObjectNames[i][0]) != lower(prefix[0]))
            continue;
        std::size_t k = 0;
        for (const char c : kObjectNames[i]) {
            if (k == prefix.size() || (c != ' ' && lower(c) != lower(prefix[k])))
                break;
            k += c != ' ';
        }
        if (k == prefix.size())
            return static_cast<Object>(i);
    }
    return std::nullopt;
}

}  // namespace vantrel::engine
