#include "ui/main_view_adapter.h"

#include <memory>

#include <QCalendarWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include "core/ports/clipboard.h"
#include "ui/main_window.h"
#include "ui/qt_date_time.h"

namespace vantrel::ui {

QTextDocumentFragment copiedSelection(const QTextCursor& selection)
{
    const int start = selection.selectionStart();
    int end = selection.selectionEnd();
    // The remarks are cut from a copy of the document, last first, so that the positions before
    // each cut still hold.
    std::unique_ptr<QTextDocument> copy(selection.document()->clone());
    QList<QPair<int, int>> asides;
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextFragment fragment = piece.fragment();
            const int from = std::max(start, fragment.position());
            const int to = std::min(end, fragment.position() + fragment.length());
            if (from < to && fragment.charFormat().boolProperty(kAsideProperty))
                asides.append({from, to});
        }
    }
    QTextCursor cut(copy.get());
    for (auto aside = asides.crbegin(); aside != asides.crend(); ++aside) {
        cut.setPosition(aside->first);
        cut.setPosition(aside->second, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
        end -= aside->second - aside->first;
    }
    cut.setPosition(start);
    cut.setPosition(end, QTextCursor::KeepAnchor);
    return cut.selection();
}

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
    const QTextDocumentFragment whole = copiedSelection(cursor);
    const QString plainText = whole.toPlainText();
    m_clipboard.setRichText(whole.toHtml().toStdString(), plainText.toStdString());
    // The caret stays where the selection ended, with nothing selected.
    cursor.clearSelection();
    m_display.setTextCursor(cursor);
    return m_display.document()->isEmpty() ? 0 : static_cast<int>(plainText.count('\n')) + 1;
}

}  // namespace vantrel::ui
