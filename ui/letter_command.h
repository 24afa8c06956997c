#pragma once
// "Letter in Writer" of the Edit menu and of the tray: a letter in the desktop's word
// processor, begun with the date display's text and the two greeting lines.

#include <memory>

#include "core/document/document_insertion.h"

namespace vantrel::ui {

struct MainWindowHooks;

class LetterCommand {
public:
    // The display is copied and the settings are read at each use; both, and messages, must
    // outlive the command. `automation` empty: LibreOffice Writer, as this build reaches it.
    LetterCommand(core::DateDisplay& display, core::Settings& settings, core::Messages& messages,
                  std::unique_ptr<core::DocumentAutomation> automation = {});
    ~LetterCommand();

    // Connects both "Letter in Writer" entries to this command.
    void connectTo(MainWindowHooks& hooks);

    void insertLetter();

    const core::DocumentInsertion& insertion() const { return m_insertion; }

private:
    core::Settings& m_settings;
    std::unique_ptr<core::DocumentAutomation> m_automation;
    core::DocumentInsertion m_insertion;
};

}  // namespace vantrel::ui
