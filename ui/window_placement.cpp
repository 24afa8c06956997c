#include "ui/window_placement.h"

#include <algorithm>

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace vantrel::ui {

namespace {

// The decoration around the window: its own once the window manager has framed it, else that of
// a window it has framed.
QMargins frameMargins(const QWidget& window, const QWidget* framed)
{
    if (const QWindow* handle = window.windowHandle(); handle && handle->isVisible()) {
        const QMargins own = handle->frameMargins();
        if (!own.isNull())
            return own;
    }
    if (!framed)
        return {};
    const QRect frame = framed->frameGeometry();
    const QRect client = framed->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

QRect workAreaAt(QPoint point, const QWidget& window)
{
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Moves the frame's corner there. Between the show and the window manager's framing of a
// window, moving the widget would put its client area at the point, with the title bar above it.
void moveFrameTo(QWidget& window, QPoint corner)
{
    QWindow* handle = window.windowHandle();
    if (handle && handle->isVisible() && handle->frameMargins().isNull())
        handle->setFramePosition(corner);
    else
        window.move(corner);
}

}  // namespace

QRect frameInside(QRect frame, const QRect& workArea, QSize smallest)
{
    if (frame.bottom() > workArea.bottom())
        frame.setHeight(std::max(smallest.height(), workArea.bottom() - frame.top() + 1));
    if (frame.right() > workArea.right())
        frame.setWidth(std::max(smallest.width(), workArea.right() - frame.left() + 1));
    frame.setSize(frame.size().boundedTo(workArea.size()));
    frame.moveLeft(std::clamp(frame.left(), workArea.left(), workArea.right() - frame.width() + 1));
    frame.moveTop(std::clamp(frame.top(), workArea.top(), workArea.bottom() - frame.height() + 1));
    return frame;
}

void placeInWorkArea(QWidget& window, QPoint frameTopLeft, const QWidget* framed, QSize smallest)
{
    const QMargins margins = frameMargins(window, framed);
    const QSize decoration(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QRect workArea = workAreaAt(frameTopLeft, window);
    if (smallest.isEmpty())
        smallest = window.size();
    smallest = smallest.expandedTo(window.minimumSize());
    QRect frame(frameTopLeft, window.size() + decoration);
    if (workArea.isValid())
        frame = frameInside(frame, workArea, smallest + decoration);
    if (frame.size() != window.size() + decoration)
        window.resize(frame.size() - decoration);
    moveFrameTo(window, frame.topLeft());
}

void centreInWorkArea(QWidget& window, const QWidget* over)
{
    const QMargins margins = frameMargins(window, over);
    QRect frame(QPoint(), window.size().grownBy(margins));
    if (over) {
        frame.moveCenter(over->frameGeometry().center());
    } else if (const QScreen* screen = window.screen()) {
        frame.moveCenter(screen->availableGeometry().center());
    }
    placeInWorkArea(window, frame.topLeft(), over);
}

}  // namespace vantrel::ui
