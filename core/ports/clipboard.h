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

// A clipboard that takes nothing: for a batch's lines, for a command line without a display
// (where a clipboard would live only as long as the process) and for benchmarks.
class NullClipboard : public Clipboard {
public:
    void setText(const std::string&) override {}
    void setRichText(const std::string&, const std::string&) override {}
};

}  // namespace vantrel::core
