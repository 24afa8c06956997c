#include "platform/qt_messages.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>

#include "core/common/error.h"

namespace vantrel::platform {

namespace {
const QString kTitle = QStringLiteral("Vantrel");

// A box comes up over the window the user is working in (the options dialog, a save dialog,
// the output windows), so that it is seen where its cause is; the main window otherwise.
QWidget* boxParent(QWidget* fallback)
{
    QWidget* active = QApplication::activeModalWidget();
    if (!active)
        active = QApplication::activeWindow();
    if (active && active->isVisible() && !qobject_cast<QMenu*>(active))
        return active;
    return fallback;
}
}  // namespace

void QtMessages::showError(const std::string& text)
{
    QMessageBox box(QMessageBox::Critical, kTitle,
                    QString::fromStdString(core::withFinalStop(text)), QMessageBox::Ok,
                    boxParent(m_parent));
    box.exec();
}

void QtMessages::showMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, QString::fromStdString(text), QMessageBox::Ok,
                    boxParent(m_parent));
    box.exec();
}

}  // namespace vantrel::platform
