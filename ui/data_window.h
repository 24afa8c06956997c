#pragma once
// The Astrolog data window: a plain-text view of the chart engine's listings that the user may
// edit and save. showEngineOutput refills it and brings up the wheel-chart window beside it.
// Its parts are found by their objectNames ("Memo1", "Save1").

#include <filesystem>
#include <string>
#include <vector>

#include <QMainWindow>

#include "ui/save_file.h"

class QPlainTextEdit;

namespace vantrel::core {
class Messages;
struct Settings;
}  // namespace vantrel::core

namespace vantrel::ui {

class WheelWindow;

class DataWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit DataWindow(core::Messages& messages, QWidget* parent = nullptr);

    // The text area's lines; an empty area has none.
    std::vector<std::string> lines() const;
    void setLines(const std::vector<std::string>& lines);
    void appendLines(const std::vector<std::string>& lines);
    void clear();

    // "&Save": asks for a file name and writes the lines, each ended by CR LF.
    void save();
    // Writes the lines to path; "Cannot create file %s" is reported when that fails.
    bool saveLines(const QString& path);
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

private:
    core::Messages& m_messages;
    FileChooser m_chooser;
    QPlainTextEdit* m_text = nullptr;  // Memo1
};

// Fills the data window with the listings found in workDir (emptied first when the settings
// ask for it), loads "chart.wmf" into the wheel-chart window and shows that window if it is
// hidden, then puts the data window under the main window (same left edge, 2 pixels below its
// bottom), inside the work area (lower only as far as it must be, else higher), and shows it.
// Throws core::VantrelError when a listing or the chart cannot be read; the data window is then
// neither moved nor shown.
void showEngineOutput(DataWindow& data, WheelWindow& wheel, const QWidget& mainWindow,
                      const core::Settings& settings, const std::filesystem::path& workDir);

}  // namespace vantrel::ui
