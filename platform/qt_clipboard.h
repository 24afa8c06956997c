#pragma once
#include "core/ports/clipboard.h"

namespace vantrel::platform {

// The desktop clipboard. Rich text goes out as HTML with its plain text beside it, so that
// editors paste the formatting and plain fields paste the text.
class QtClipboard : public core::Clipboard {
public:
    void setText(const std::string& plainText) override;
    void setRichText(const std::string& html, const std::string& plainText) override;
};

}  // namespace vantrel::platform
