#pragma once
#include <iosfwd>

#include "core/ports/messages.h"

namespace vantrel::platform {

// The command-line modes' report: every message on standard error, one per line.
class ConsoleMessages : public core::Messages {
public:
    ConsoleMessages();
    explicit ConsoleMessages(std::ostream& out) : m_out(out) {}
    void showError(const std::string& text) override;
    void showMessage(const std::string& text) override;

private:
    std::ostream& m_out;
};

}  // namespace vantrel::platform
