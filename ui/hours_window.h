#pragma once
// The planetary-hours window: the hours list above a splitter, the Sun and Moon list below it,
// and a status bar with the lengths of daylight and darkness.

#include "core/hours/planetary_hours.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QPlainTextEdit;
class QSplitter;
class QTableWidget;

namespace vantrel::core {
class Messages;
} // namespace vantrel::core

namespace vantrel::ui {

class TVantrel;

class TPhours : public QMainWindow {
    Q_OBJECT

  public:
    // Chooses the file to save into; returns an empty text when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent)>;

    explicit TPhours(core::Messages& messages, QWidget* parent = nullptr);

    // Fills the lists, the hidden table, the status bar and the caption from a report.
    void showReport(const core::PlanetaryHoursReport& report, const QString& mainCaption);
    // Puts the window 2 pixels right of the main window, tops aligned.
    void placeBeside(const QWidget& mainWindow);

    // "&Save": asks for a file name ("hourdata.txt" proposed) and writes the hours list.
    void Save1Click();
    // Writes the hours list, each line ended by CR LF; "Cannot create file %s" when that fails.
    bool saveLines(const QString& path);
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // Keeps the hidden table's columns a quarter of the panel wide.
    void Panel1Resize();

    QStringList hoursLines() const;
    QStringList sunMoonLines() const;

    // One-shot: the next planetary-hours command builds the window without showing it.
    bool SuppressHoursWindow = false;

    QWidget* Panel1 = nullptr;
    QPlainTextEdit* HoursList = nullptr;
    QPlainTextEdit* SunMoonList = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTableWidget* SuperGrid1 = nullptr; // never visible
    QAction* Save1 = nullptr;
    QAction* Close1 = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    core::Messages& m_messages;
    FileChooser m_chooser;
};

// The planetary-hours command: calculation, rise-and-set reading, the window (shown unless
// SuppressHoursWindow is set, placed beside the main window either way), the 24 hour entries,
// then the Astrolog data window. Errors propagate to the caller.
void HoursButtonClick(TPhours& hours, TVantrel& main);

} // namespace vantrel::ui
