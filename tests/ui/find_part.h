#pragma once
// Finds a window's controls by their objectNames, the names the windows give them.

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace vantrel::testing {

// The window's child of type T named `name`. A test that names a part the window lacks stops
// at once, naming the part.
template <typename T> T& part(const QObject& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s has no %s named \"%s\"", window.metaObject()->className(),
               T::staticMetaObject.className(), name);
    return *found;
}

}  // namespace vantrel::testing
