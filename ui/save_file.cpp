#include "ui/save_file.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>

#include "core/common/error.h"
#include "core/ports/messages.h"

namespace vantrel::ui {

QString chooseFileToSave(QWidget* parent, const QString& caption, const QString& fileName,
                         const QString& filter)
{
    QFileDialog dialog(parent, caption, fileName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(fileName).suffix());
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QAction* addFileMenu(QMainWindow& window, const QString& saveCaption, const char* saveName)
{
    return addFileMenu(window, {{saveCaption, saveName}}).front();
}

QList<QAction*> addFileMenu(QMainWindow& window, std::initializer_list<SaveEntry> entries)
{
    QMenu* file = window.menuBar()->addMenu("&File");
    QList<QAction*> saveActions;
    for (const SaveEntry& entry : entries) {
        QAction* saveAction = file->addAction(entry.caption);
        saveAction->setObjectName(entry.name);
        saveActions << saveAction;
    }
    QAction* closeAction = file->addAction("&Close");
    closeAction->setObjectName("Close1");
    QObject::connect(closeAction, &QAction::triggered, &window, &QWidget::close);
    return saveActions;
}

void saveThroughChooser(QWidget& window, const FileChooser& chooser,
                        const std::function<void(const QString& path)>& save)
{
    const QString path = chooser(&window);
    if (!path.isEmpty())
        save(path);
}

bool reportUnwritten(core::Messages& messages, const QString& path,
                     const core::FileWritten& written)
{
    if (!written)
        messages.showError(core::cannotCreateMessage(path.toStdString(), written.reason));
    return written.ok;
}

bool reportUnwritten(core::Messages& messages, const QString& path, bool written)
{
    return reportUnwritten(messages, path, core::FileWritten{written, {}});
}

}  // namespace vantrel::ui
