#pragma once
#include <string>

namespace vantrel::core {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const std::string& plainText) = 0;
    // Rich text (HTML) and plain text together, as one clipboard entry.
    virtual void setRichText(const std::string& html, const std::string& plainText) = 0;
};

}  // namespace vantrel::core
