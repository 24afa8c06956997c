#include "ui/letter_command.h"

#include <QApplication>

#include "platform/libreoffice_link.h"
#include "ui/main_window_interface.h"

namespace vantrel::ui {

LetterCommand::LetterCommand(core::DateDisplay& display, core::Settings& settings,
                             core::Messages& messages,
                             std::unique_ptr<core::DocumentAutomation> automation)
    : m_settings(settings),
      m_automation(automation ? std::move(automation) : platform::makeLibreOfficeLink()),
      m_insertion(*m_automation, display, messages)
{
}

LetterCommand::~LetterCommand() = default;

void LetterCommand::connectTo(MainWindowHooks& hooks)
{
    hooks.insertLetter = [this] { insertLetter(); };
}

void LetterCommand::insertLetter()
{
    // Starting the word processor may take a few seconds.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restoreCursor;
    m_insertion.insertLetter(m_settings);
}

}  // namespace vantrel::ui
