#pragma once
#include <iosfwd>

#include "core/ports/messages.h"

class QWidget;

namespace vantrel::platform {

// Message boxes titled "Vantrel": the general error report with an error icon and the final
// full stop, and plain notes with an OK button.
class QtMessages : public core::Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void showError(const std::string& text) override;
    void showMessage(const std::string& text) override;

private:
    QWidget* m_parent;
};

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
