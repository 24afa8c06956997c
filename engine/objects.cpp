#include "engine/objects.h"

#include <cctype>
#include <string>

namespace vantrel::engine {

std::optional<Object> objectFromPrefix(std::string_view prefix)
{
    if (prefix.size() < 3)
        return std::nullopt;
    for (int i = 0; i < kObjectCount; ++i) {
        std::string name;
        for (char c : kObjectNames[i])
            if (c != ' ')
                name.push_back(c);
        if (prefix.size() > name.size())
            continue;
        bool same = true;
        for (std::size_t k = 0; k < prefix.size() && same; ++k)
            same = std::tolower(static_cast<unsigned char>(prefix[k])) ==
                   std::tolower(static_cast<unsigned char>(name[k]));
        if (same)
            return static_cast<Object>(i);
    }
    return std::nullopt;
}

}  // namespace vantrel::engine
