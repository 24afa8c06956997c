#pragma once
// What the three output windows (data, wheel chart, planetary hours) share for saving: the
// "&File" menu, the file chooser and the report of a file that cannot be written.

#include <functional>
#include <initializer_list>

#include <QList>
#include <QString>

#include "core/common/text_file.h"

class QAction;
class QMainWindow;
class QWidget;

namespace vantrel::core {
class Messages;
}  // namespace vantrel::core

namespace vantrel::ui {

// Chooses the file to save into; returns an empty text when the user cancels.
using FileChooser = std::function<QString(QWidget* parent)>;

// Asks for the file to save into, proposing `fileName` (whose extension is added to a name typed
// without one) in the current folder; an empty text when the user cancels.
QString chooseFileToSave(QWidget* parent, const QString& caption, const QString& fileName,
                         const QString& filter);

// Gives the window its "&File" menu: `saveCaption` (objectName `saveName`), then "&Close"
// ("Close1"), which closes the window. Returns the save entry, for the window to connect.
QAction* addFileMenu(QMainWindow& window, const QString& saveCaption, const char* saveName);

// The same with several save entries, in order before "&Close"; returns their actions in order.
struct SaveEntry {
    QString caption;
    const char* name;
};
QList<QAction*> addFileMenu(QMainWindow& window, std::initializer_list<SaveEntry> entries);

// Asks the chooser for a file and, unless the user cancelled, hands it to `save`.
void saveThroughChooser(QWidget& window, const FileChooser& chooser,
                        const std::function<void(const QString& path)>& save);

// Whether the file was written, after "Cannot create file PATH: REASON" has been reported when
// it was not; a caller that has only a yes or no reports no reason.
bool reportUnwritten(core::Messages& messages, const QString& path,
                     const core::FileWritten& written);
bool reportUnwritten(core::Messages& messages, const QString& path, bool written);

}  // namespace vantrel::ui
