#pragma once
// "The Year": every event of a civil year in order, with its local date and time and the
// Thelemic date of its day; a year picker; the list saved as text, or exported as an iCalendar
// file for phones and shared calendars. Its parts are found by their objectNames ("YearPicker",
// "YearList", "SaveText", "ExportICalendar").

#include <functional>
#include <optional>

#include <QMainWindow>

#include "core/calendar/year_calendar.h"

class QSpinBox;
class QTableWidget;

namespace vantrel::core {
class Clock;
class Messages;
}  // namespace vantrel::core

namespace vantrel::ui {

class YearCalendars;

class YearWindow : public QMainWindow {
    Q_OBJECT

public:
    // The references must outlive the window; the clock stamps the iCalendar files.
    YearWindow(YearCalendars& years, core::Messages& messages, const core::Clock& clock,
               QWidget* parent = nullptr);

    // Picks the year, lists it and brings the window forward.
    void showYear(int year);
    int year() const;
    // The rows listed, as the text file has them (a heading first).
    std::vector<std::string> textLines() const;

    // "Save as text...": asks for a file ("year2025.txt" proposed) and writes the list there,
    // columns separated by tabs; "Cannot create file %s" when that fails.
    void saveText();
    bool saveTextTo(const QString& path);
    // "Export as iCalendar...": asks for a file ("year2025.ics" proposed) and writes the year's
    // iCalendar text there; "Cannot create file %s" when that fails.
    void exportICalendar();
    bool exportICalendarTo(const QString& path);

    // The file chooser: parent, proposed name, filter; an empty text when the user cancels.
    using Chooser = std::function<QString(QWidget*, const QString&, const QString&)>;
    void setFileChooser(Chooser chooser) { m_chooser = std::move(chooser); }

public slots:
    // Lists the year picked, afresh.
    void listYear();

private:
    YearCalendars& m_years;
    core::Messages& m_messages;
    const core::Clock& m_clock;
    Chooser m_chooser;
    std::optional<core::YearCalendar> m_calendar;
    std::vector<core::YearRow> m_rows;

    QSpinBox* m_yearPicker = nullptr;
    QTableWidget* m_list = nullptr;
    QAction* m_saveText = nullptr;
    QAction* m_export = nullptr;
};

}  // namespace vantrel::ui
