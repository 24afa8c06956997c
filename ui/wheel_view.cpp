#include "ui/wheel_view.h"

#include <QPainter>

namespace vantrel::ui {

WheelView::WheelView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_drawer.setMaxThreadCount(1);
}

WheelView::~WheelView()
{
    // A drawing under way still holds the picture and posts its result to this view.
    ++m_ticket;
    m_drawer.waitForDone();
}

void WheelView::setPicture(MetafilePicture picture)
{
    m_picture = std::move(picture);
    m_image = QImage();
    m_requested = QSize();
    update();
}

void WheelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QSize pixels = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (!m_picture.isNull() && pixels != m_requested && !pixels.isEmpty())
        startDrawing(pixels);
    if (!m_image.isNull())
        painter.drawImage(QRectF(rect()), m_image);
}

void WheelView::startDrawing(QSize pixels)
{
    m_requested = pixels;
    const int ticket = ++m_ticket;
    const QColor background = palette().window().color();
    m_drawer.start([this, ticket, pixels, background, picture = m_picture] {
        if (ticket != m_ticket)
            return;  // asked for again since, at another size or of another picture
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(background);
        {
            QPainter painter(&image);
            // A round chart stays round, however the window is shaped.
            picture.paint(painter, picture.fittedInto(QRectF(image.rect())));
        }
        QMetaObject::invokeMethod(
            this,
            [this, ticket, image] {
                if (ticket != m_ticket)
                    return;
                m_image = image;
                update();
                emit pictureDrawn();
            },
            Qt::QueuedConnection);
    });
}

}  // namespace vantrel::ui
