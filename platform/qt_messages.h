#pragma once
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

}  // namespace vantrel::platform
