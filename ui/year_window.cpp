#include "ui/year_window.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>

#include "core/chart_engine/ephemeris_range.h"
#include "core/common/text_file.h"
#include "core/ports/clock.h"
#include "core/ports/messages.h"
#include "platform/icalendar_file.h"
#include "ui/about_box.h"
#include "ui/save_file.h"
#include "ui/year_calendars.h"

namespace vantrel::ui {

namespace {

QString proposedFile(QWidget* parent, const QString& fileName, const QString& filter)
{
    return chooseFileToSave(parent, QString(), fileName, filter);
}

}  // namespace

YearWindow::YearWindow(YearCalendars& years, core::Messages& messages, const core::Clock& clock,
                       QWidget* parent)
    : QMainWindow(parent), m_years(years), m_messages(messages), m_clock(clock),
      m_chooser(proposedFile)
{
    setObjectName("YearWindow");
    setWindowTitle("The Year");
    resize(960, 520);

    const QList<QAction*> saves = addFileMenu(
        *this, {{"Save as &text...", "SaveText"}, {"&Export as iCalendar...", "ExportICalendar"}});
    m_saveText = saves[0];
    m_export = saves[1];
    connect(m_saveText, &QAction::triggered, this, &YearWindow::saveText);
    connect(m_export, &QAction::triggered, this, &YearWindow::exportICalendar);

    auto* bar = addToolBar("Year");
    bar->setMovable(false);
    auto* label = new QLabel("&Year ", bar);
    m_yearPicker = new QSpinBox(bar);
    m_yearPicker->setObjectName("YearPicker");
    m_yearPicker->setRange(core::kFirstEphemerisDate.year, core::kLastEphemerisDate.year);
    // A year typed digit by digit is listed once, when it is complete.
    m_yearPicker->setKeyboardTracking(false);
    label->setBuddy(m_yearPicker);
    bar->addWidget(label);
    bar->addWidget(m_yearPicker);
    connect(m_yearPicker, &QSpinBox::valueChanged, this, &YearWindow::listYear);

    m_list = new QTableWidget(0, 4, this);
    m_list->setObjectName("YearList");
    m_list->setHorizontalHeaderLabels({"Date", "Time", "Event", "Thelemic date"});
    m_list->verticalHeader()->hide();
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setWordWrap(false);
    // One line a row, each column as wide as its widest entry: the Thelemic dates are long.
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    setCentralWidget(m_list);

    connect(&m_years, &YearCalendars::changed, this, [this] {
        if (isVisible())
            listYear();
    });
}

int YearWindow::year() const
{
    return m_yearPicker->value();
}

void YearWindow::showYear(int year)
{
    const QSignalBlocker quiet(m_yearPicker);
    m_yearPicker->setValue(year);
    listYear();
    show();
    raise();
    activateWindow();
}

void YearWindow::listYear()
{
    const core::YearCalendar* calendar = m_years.calendarFor(year());
    m_calendar.reset();
    m_rows.clear();
    if (calendar) {
        m_calendar = *calendar;
        m_rows = core::yearRows(*calendar, m_years.regional());
    }
    m_list->setRowCount(static_cast<int>(m_rows.size()));
    for (int r = 0; r < static_cast<int>(m_rows.size()); ++r) {
        const core::YearRow& row = m_rows[static_cast<std::size_t>(r)];
        const bool feast = m_calendar->events()[static_cast<std::size_t>(r)].category ==
                           core::CalendarEvent::Category::Feast;
        int column = 0;
        for (const std::string* text : {&row.date, &row.time, &row.event, &row.thelemicDate}) {
            auto* item = new QTableWidgetItem(QString::fromStdString(*text));
            if (feast) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            m_list->setItem(r, column++, item);
        }
    }
    m_list->resizeColumnsToContents();
    m_saveText->setEnabled(calendar != nullptr);
    m_export->setEnabled(calendar != nullptr);
    statusBar()->showMessage(calendar ? QString("%1 events").arg(m_rows.size())
                                      : QString::fromStdString(m_years.problem()));
    if (!calendar)
        m_messages.showError(m_years.problem());
}

std::vector<std::string> YearWindow::textLines() const
{
    return core::yearTextLines(m_rows);
}

void YearWindow::saveText()
{
    const QString path = m_chooser(this, QString("year%1.txt").arg(year()), "Text Files(*.txt)");
    if (!path.isEmpty())
        saveTextTo(path);
}

bool YearWindow::saveTextTo(const QString& path)
{
    return reportUnwritten(m_messages, path,
                           m_calendar &&
                               core::writeLinesAtomically(path.toStdString(), textLines()));
}

void YearWindow::exportICalendar()
{
    const QString path =
        m_chooser(this, QString("year%1.ics").arg(year()), "iCalendar Files(*.ics)");
    if (!path.isEmpty())
        exportICalendarTo(path);
}

bool YearWindow::exportICalendarTo(const QString& path)
{
    return reportUnwritten(
        m_messages, path,
        m_calendar && core::writeFileAtomically(
                          path.toStdString(),
                          platform::iCalendarText(*m_calendar, kVersionText, m_clock.now())));
}

}  // namespace vantrel::ui
