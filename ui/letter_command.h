#pragma once
// "Insert into Word97" and the tray's "Word Document": a letter in the desktop's word
// processor, begun with the date display's text and the two greeting lines.

#include <memory>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include "core/document/document_insertion.h"
#include "core/ports/clipboard.h"
#include "core/ports/date_display.h"

namespace vantrel::ui {

class TVantrel;

// The main window's date display, copied whole as rich text and plain text.
class TextEditDateDisplay : public core::DateDisplay {
public:
    TextEditDateDisplay(QTextEdit& display, core::Clipboard& clipboard)
        : m_display(display), m_clipboard(clipboard)
    {
    }
    int copyAllAsRichText() override
    {
        m_display.selectAll();
        QTextCursor cursor = m_display.textCursor();
        const QTextDocumentFragment whole = cursor.selection();
        const QString plainText = whole.toPlainText();
        m_clipboard.setRichText(whole.toHtml().toStdString(), plainText.toStdString());
        // The caret stays where the selection ended, with nothing selected.
        cursor.clearSelection();
        m_display.setTextCursor(cursor);
        return m_display.document()->isEmpty() ? 0 : static_cast<int>(plainText.count('\n')) + 1;
    }

private:
    QTextEdit& m_display;
    core::Clipboard& m_clipboard;
};

class LetterCommand {
public:
    // `automation` empty: LibreOffice Writer. The window must outlive the command.
    explicit LetterCommand(TVantrel& window,
                           std::unique_ptr<core::DocumentAutomation> automation = {});
    ~LetterCommand();

    // Makes the window's "Insert into Word97" and "Word Document" run this command.
    void install();

    void InsertintoWord971Click();

    const core::DocumentInsertion& insertion() const { return m_insertion; }

private:
    TVantrel& m_window;
    std::unique_ptr<core::DocumentAutomation> m_automation;
    TextEditDateDisplay m_display;
    core::DocumentInsertion m_insertion;
};

}  // namespace vantrel::ui
