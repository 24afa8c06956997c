#pragma once
// The wheel-chart window: the chart picture stretched to the window, which the user can save.

#include <functional>

#include <QMainWindow>

#include "ui/wmf_painter.h"

class QAction;

namespace vantrel::core {
class Messages;
}

namespace vantrel::ui {

// The area that draws the picture stretched to its own size.
class WheelView : public QWidget {
    Q_OBJECT

public:
    explicit WheelView(QWidget* parent = nullptr);
    void setPicture(MetafilePicture picture);
    const MetafilePicture& picture() const { return m_picture; }
    QSize sizeHint() const override { return QSize(614, 450); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MetafilePicture m_picture;
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
    WheelView* Image1 = nullptr;

    // "&Save image": asks for a file name and saves the picture's original bytes.
    void SaveImage1Click();
    // Writes the picture to path; "Cannot create file %s" is reported when that fails.
    bool savePicture(const QString& path);
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    QAction* SaveImage1 = nullptr;
    QAction* Close1 = nullptr;

private:
    core::Messages& m_messages;
    FileChooser m_chooser;
};

}  // namespace vantrel::ui
