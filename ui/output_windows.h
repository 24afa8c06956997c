#pragma once
// The two windows that show the chart engine's output: the Astrolog data window, a plain-text
// view of the listings that the user may edit and save, and the wheel-chart window, the chart
// picture as large as the window holds it at its own shape. AstroButtonClick refills the one and
// brings up both. Their parts are found by their objectNames ("Memo1", "Image1", "SaveImage1").

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QImage>
#include <QMainWindow>
#include <QThreadPool>

#include "ui/wmf_painter.h"

class QAction;
class QPlainTextEdit;

namespace vantrel::core {
class Messages;
struct Settings;
}  // namespace vantrel::core

namespace vantrel::ui {

// The area that draws the picture as large as it fits, at its own aspect ratio, centred on the
// window's background. The picture is drawn off the window's thread, into an image of the area's
// size, so that no picture the reader accepts holds the window up, however long it takes to draw;
// until the drawing is done the area shows the one before, stretched.
class WheelView : public QWidget {
    Q_OBJECT

public:
    explicit WheelView(QWidget* parent = nullptr);
    ~WheelView() override;
    void setPicture(MetafilePicture picture);
    const MetafilePicture& picture() const { return m_picture; }
    QSize sizeHint() const override { return QSize(614, 450); }

signals:
    // A drawing for the current picture and size is ready and shown.
    void pictureDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void startDrawing(QSize pixels);

    MetafilePicture m_picture;
    QImage m_image;                // the last drawing done
    QSize m_requested;             // the size of the drawing last asked for
    std::atomic<int> m_ticket{0};  // the drawing last asked for; older ones are dropped
    QThreadPool m_drawer;
};

class TfWheel : public QMainWindow {
    Q_OBJECT

public:
    // Chooses the file to save into; returns an empty text when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent)>;

    explicit TfWheel(core::Messages& messages, QWidget* parent = nullptr);

    // Loads a metafile as the window's picture, replacing the previous one. Throws
    // core::VantrelError when it cannot be read; the old picture stays then.
    void loadPicture(const QString& path);
    const MetafilePicture& picture() const;

    // "&Save image": asks for a file name and saves the picture's original bytes.
    void SaveImage1Click();
    // Writes the picture to path; "Cannot create file %s" is reported when that fails.
    bool savePicture(const QString& path);
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

private:
    core::Messages& m_messages;
    FileChooser m_chooser;
    WheelView* m_view = nullptr;      // Image1
    QAction* m_saveAction = nullptr;  // SaveImage1, enabled once a picture is loaded
};

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

private:
    core::Messages& m_messages;
    FileChooser m_chooser;
    QPlainTextEdit* m_text = nullptr;  // Memo1
};

// Fills the data window with the listings found in workDir (emptied first when the settings
// ask for it), loads "chart.wmf" into the wheel-chart window and shows that window if it is
// hidden, then puts the data window under the main window (same left edge, 2 pixels below its
// bottom) and shows it. Throws core::VantrelError when a listing or the chart cannot be read;
// the data window is then neither moved nor shown.
void AstroButtonClick(TAData& data, TfWheel& wheel, const QWidget& mainWindow,
                      const core::Settings& settings, const std::filesystem::path& workDir);

}  // namespace vantrel::ui
