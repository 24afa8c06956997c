#pragma once
// The wheel-chart window: the chart picture as large as the window holds it at its own shape.
// Its parts are found by their objectNames ("Image1", "SaveImage1").

#include <QMainWindow>

#include "ui/save_file.h"
#include "ui/wmf_painter.h"

class QAction;

namespace vantrel::core {
class Messages;
}  // namespace vantrel::core

namespace vantrel::ui {

class WheelView;

class WheelWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit WheelWindow(core::Messages& messages, QWidget* parent = nullptr);

    // Loads a metafile as the window's picture, replacing the previous one. Throws
    // core::VantrelError when it cannot be read; the old picture stays then.
    void loadPicture(const QString& path);
    const MetafilePicture& picture() const;

    // "&Save image": asks for a file name and saves the picture's original bytes.
    void saveImage();
    // Writes the picture to path; "Cannot create file %s" is reported when that fails.
    bool savePicture(const QString& path);
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

private:
    core::Messages& m_messages;
    FileChooser m_chooser;
    WheelView* m_view = nullptr;      // Image1
    QAction* m_saveAction = nullptr;  // SaveImage1, enabled once a picture is loaded
};

}  // namespace vantrel::ui
