#include "core/common/error.h"

#include <cstdio>

namespace vantrel::core {

std::string visibleText(std::string_view text)
{
    std::string shown;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (code < 0x20 || code == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", code);
            shown += hex;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string formatMessage(const std::string& messageTemplate, const std::string& value)
{
    std::string result = messageTemplate;
    for (const char* placeholder : {"%s", "%d"}) {
        if (const auto at = result.find(placeholder); at != std::string::npos) {
            result.replace(at, 2, visibleText(value));
            return result;
        }
    }
    return result;
}

std::string withFinalStop(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

}  // namespace vantrel::core
