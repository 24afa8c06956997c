#pragma once
// Where the program puts its windows: wholly inside the work area of their screen, the screen
// less the panels and docks the desktop keeps for itself.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace vantrel::ui {

// `frame` moved inside `workArea`. A frame that reaches past the work area's bottom or right
// edge first gives up height or width, down to `smallest` (never below it); one that is still
// larger than the work area is cut to it.
QRect frameInside(QRect frame, const QRect& workArea, QSize smallest);

// Puts the frame of `window` with its top-left corner at `frameTopLeft`, or as near as keeps it
// inside the work area of the screen that holds that point; `smallest` as for frameInside
// (the client area's size; empty: the window's own size). A window the window manager has not
// framed yet is taken to have the frame of `framed`, a window it has (none without one).
void placeInWorkArea(QWidget& window, QPoint frameTopLeft, const QWidget* framed = nullptr,
                     QSize smallest = {});

// Puts `window` centred on `over` (the screen's work area when null), inside the work area.
void centreInWorkArea(QWidget& window, const QWidget* over);

}  // namespace vantrel::ui
