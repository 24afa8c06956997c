#pragma once
// The planetary-hours window: the hours list above a splitter, the Sun and Moon list below it,
// and a status bar with the lengths of daylight and darkness. Its parts are found by their
// objectNames ("HoursList", "SuperGrid1").

#include <functional>

#include <QMainWindow>

#include "core/hours/planetary_hours.h"
#include "ui/save_file.h"

class QPlainTextEdit;
class QSplitter;
class QTableWidget;

namespace vantrel::core {
class Messages;
}  // namespace vantrel::core

namespace vantrel::ui {

class HoursWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit HoursWindow(core::Messages& messages, QWidget* parent = nullptr);

    // Fills the lists, the hidden table, the status bar and the caption from a report.
    void showReport(const core::PlanetaryHoursReport& report, const QString& mainCaption);
    // Puts the window 2 pixels right of the main window, tops aligned.
    void placeBeside(const QWidget& mainWindow);

    // "&Save": asks for a file name ("hourdata.txt" proposed) and writes the hours list.
    void save();
    // Writes the hours list, each line ended by CR LF; "Cannot create file %s" when that fails.
    bool saveLines(const QString& path);
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // Keeps the hidden table's columns a quarter of the panel wide.
    void fitTableColumns();

    QStringList hoursLines() const;
    QStringList sunMoonLines() const;

    // One-shot: the next planetary-hours command builds the window without showing it.
    bool suppressNextShow = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    core::Messages& m_messages;
    FileChooser m_chooser;

    QWidget* m_panel = nullptr;               // Panel1
    QSplitter* m_splitter = nullptr;          // Splitter1
    QPlainTextEdit* m_hoursList = nullptr;    // HoursList
    QPlainTextEdit* m_sunMoonList = nullptr;  // SunMoonList
    QTableWidget* m_table = nullptr;          // SuperGrid1, never visible
};

}  // namespace vantrel::ui
