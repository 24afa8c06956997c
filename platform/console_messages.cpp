#include "platform/console_messages.h"

#include <iostream>

#include "core/common/error.h"

namespace vantrel::platform {

ConsoleMessages::ConsoleMessages() : m_out(std::cerr) {}

void ConsoleMessages::showError(const std::string& text)
{
    m_out << core::withFinalStop(text) << '\n' << std::flush;
}

void ConsoleMessages::showMessage(const std::string& text)
{
    m_out << text << '\n' << std::flush;
}

}  // namespace vantrel::platform
