#include "ui/main_view_adapter.h"

#include <QCalendarWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include "core/ports/clipboard.h"
#include "ui/main_window.h"
#include "ui/qt_date_time.h"

namespace vantrel::ui {

void MainViewAdapter::showStatusText(const std::string& text)
{
    m_window.showStatusText(QString::fromStdString(text));
}

void MainViewAdapter::setDisplayLines(const std::vector<std::string>& lines)
{
    m_window.setDisplayLines(lines);
}

std::vector<std::string> MainViewAdapter::displayLines() const
{
    return m_window.displayLines();
}

void MainViewAdapter::setMonthCalendarDate(core::Date date)
{
    m_window.m_monthCalendar->setSelectedDate(qDateFrom(date));
}

void MainViewAdapter::setCaption(const std::string& caption)
{
    m_window.setCaption(QString::fromStdString(caption));
}

bool MainViewAdapter::isDataWindowShown() const
{
    const auto& shown = m_window.hooks().isDataWindowShown;
    return shown && shown();
}

void MainViewAdapter::refreshDataWindow()
{
    m_window.showDataWindow();
}

void MainViewAdapter::moveCaretToStart()
{
    m_window.m_display->moveCursor(QTextCursor::Start);
    m_window.m_display->ensureCursorVisible();
}

int TextEditDateDisplay::copyAllAsRichText()
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

}  // namespace vantrel::ui
