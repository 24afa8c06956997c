#pragma once
#include <string>

#include "core/ports/messages.h"
#include "platform/console_messages.h"

namespace vantrel::app {

// Standard error, remembering whether an error was reported, so that the exit status tells a
// script that the output may be incomplete.
class CommandLineMessages : public core::Messages {
public:
    bool errorShown = false;
    void showError(const std::string& text) override
    {
        errorShown = true;
        m_console.showError(text);
    }
    void showMessage(const std::string& text) override { m_console.showMessage(text); }

private:
    platform::ConsoleMessages m_console;
};

}  // namespace vantrel::app
