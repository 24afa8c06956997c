#pragma once
// The Astrolog data window: a plain-text view of the engine's listings that the user may edit
// and save. AstroButtonClick refills it and brings it up with the wheel-chart window.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QMainWindow>

class QAction;
class QPlainTextEdit;

namespace vantrel::core {
class Messages;
struct Settings;
}  // namespace vantrel::core

namespace vantrel::ui {

class TfWheel;

class TAData : public QMainWindow {
    Q_OBJECT

public:
    // Chooses the file to save into; returns an empty text when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent)>;

    explicit TAData(core::Messages& messages, QWidget* parent = nullptr);

    // The text area's lines; an empty area has none.
    std::vector<std::string> lines() const;
    void setLines(const std::vector<std::string>& lines);
    void appendLines(const std::vector<std::string>& lines);
    void clear();

    // "&Save": asks for a file name and writes the lines, each ended by CR LF.
    void Save1Click();
    // Writes the lines to path; "Cannot create file %s" is reported when that fails.
    bool saveLines(const QString& path);
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    QPlainTextEdit* Memo1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Close1 = nullptr;

private:
    core::Messages& m_messages;
    FileChooser m_chooser;
};

// Fills the data window with the listings found in workDir (emptied first when the settings
// ask for it), loads "chart.wmf" into the wheel-chart window and shows that window if it is
// hidden, then puts the data window under the main window (same left edge, 2 pixels below its
// bottom) and shows it. Throws core::VantrelError when a listing or the chart cannot be read;
// the data window is then neither moved nor shown.
void AstroButtonClick(TAData& data, TfWheel& wheel, const QWidget& mainWindow,
                      const core::Settings& settings, const std::filesystem::path& workDir);

}  // namespace vantrel::ui
