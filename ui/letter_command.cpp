#include "ui/letter_command.h"

#include "platform/libreoffice_document.h"
#include "ui/main_window.h"

namespace vantrel::ui {

LetterCommand::LetterCommand(TVantrel& window,
                             std::unique_ptr<core::DocumentAutomation> automation)
    : m_window(window),
      m_automation(automation ? std::move(automation)
                              : std::make_unique<platform::LibreOfficeDocument>()),
      m_display(*window.TDate, window.services().clipboard),
      m_insertion(*m_automation, m_display, window.services().messages)
{
}

LetterCommand::~LetterCommand() = default;

void LetterCommand::install()
{
    TVantrelHooks hooks = m_window.hooks();
    hooks.InsertintoWord971Click = [this] { InsertintoWord971Click(); };
    m_window.setHooks(std::move(hooks));
}

void LetterCommand::InsertintoWord971Click()
{
    m_insertion.InsertintoWord971Click(m_window.settings());
}

}  // namespace vantrel::ui
