#pragma once
#include <string>

namespace vantrel::core {

// How the user is told things. In the window these are message boxes titled "Vantrel"; on the
// command line they go to standard error.
class Messages {
public:
    virtual ~Messages() = default;
    // The general error report: error icon, full stop added by withFinalStop().
    virtual void showError(const std::string& text) = 0;
    // A plain message with an OK button (the program's own notes).
    virtual void showMessage(const std::string& text) = 0;
};

}  // namespace vantrel::core
