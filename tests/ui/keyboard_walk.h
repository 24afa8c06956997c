#pragma once
// Walks a window with the Tab key, as a keyboard user does, and lists what a screen reader
// names at each stop.

#include <QAccessible>
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace vantrel::testing {

// From `start` round to it again: each stop once, as "objectName: accessible name". A stop
// inside a control that names none of its own parts (a picker's fields, a calendar's grid)
// goes by the control's name; a control that takes several Tabs counts once.
inline QStringList tabRound(QWidget& window, QWidget& start)
{
    const auto named = [&window](QWidget* widget) {
        while (widget != &window &&
               (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_")))
            widget = widget->parentWidget();
        return widget->objectName();
    };
    start.setFocus(Qt::TabFocusReason);
    QStringList stops;
    for (int step = 0; step < 60; ++step) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            break;
        const QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(focus);
        const QString stop = named(focus) + ": " + reader->text(QAccessible::Name);
        if (!stops.isEmpty() && stops.constFirst() == stop && stops.constLast() != stop)
            break;
        if (stops.isEmpty() || stops.constLast() != stop)
            stops << stop;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return stops;
}

}  // namespace vantrel::testing
