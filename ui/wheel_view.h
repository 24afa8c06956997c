#pragma once
// The wheel-chart window's picture area.

#include <atomic>

#include <QImage>
#include <QThreadPool>
#include <QWidget>

#include "ui/wmf_painter.h"

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

}  // namespace vantrel::ui
