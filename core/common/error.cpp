#include "core/common/error.h"

namespace vantrel::core {

std::string formatMessage(const std::string& messageTemplate, const std::string& value)
{
    std::string result = messageTemplate;
    for (const char* placeholder : {"%s", "%d"}) {
        if (const auto at = result.find(placeholder); at != std::string::npos) {
            result.replace(at, 2, value);
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
