#include "ui/main_view_adapter.h"

#include <QCalendarWidget>
#include <QTextEdit>

#include "ui/main_window.h"

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

void MainViewAdapter::setMonthCalendarDate(core::DateTime date)
{
    const core::CivilDate civil = core::dateFromDateTime(date);
    m_window.MonthCalendar1->setSelectedDate(QDate(civil.year, civil.month, civil.day));
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
    m_window.AstroButtonClick();
}

void MainViewAdapter::moveCaretToStart()
{
    m_window.TDate->moveCursor(QTextCursor::Start);
    m_window.TDate->ensureCursorVisible();
}

}  // namespace vantrel::ui
