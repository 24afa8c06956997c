#pragma once
// The main window's side of two core ports: the view a calculation writes into, and the date
// display the letter copies.

#include <QTextFormat>

#include "core/ports/date_display.h"
#include "core/ports/main_view.h"

class QTextCursor;
class QTextDocumentFragment;
class QTextEdit;

namespace vantrel::core {
class Clipboard;
}

namespace vantrel::ui {

class MainWindow;

// Marks text of the date display that is a remark of the program's ("no audio output"): it is
// shown, but the letter, the clipboard and Copy never take it.
inline constexpr int kAsideProperty = QTextFormat::UserProperty + 1;

// The cursor's selection as it is copied: without the remarks in it.
QTextDocumentFragment copiedSelection(const QTextCursor& selection);

// What the calculation writes, put into the main window's controls.
class MainViewAdapter : public core::MainView {
public:
    explicit MainViewAdapter(MainWindow& window) : m_window(window) {}

    void showStatusText(const std::string& text) override;
    void setDisplayLines(const std::vector<std::string>& lines) override;
    std::vector<std::string> displayLines() const override;
    void setMonthCalendarDate(core::Date date) override;
    void setCaption(const std::string& caption) override;
    bool isDataWindowShown() const override;
    void refreshDataWindow() override;
    void moveCaretToStart() override;

private:
    MainWindow& m_window;
};

// A date display shown in a text area, copied whole as rich text and plain text.
class TextEditDateDisplay : public core::DateDisplay {
public:
    TextEditDateDisplay(QTextEdit& display, core::Clipboard& clipboard)
        : m_display(display), m_clipboard(clipboard)
    {
    }
    int copyAllAsRichText() override;

private:
    QTextEdit& m_display;
    core::Clipboard& m_clipboard;
};

}  // namespace vantrel::ui
