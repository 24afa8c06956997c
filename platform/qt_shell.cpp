#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>

namespace vantrel::platform {

QUrl urlForShellOpen(const std::string& addressOrPath)
{
    const QString text = QString::fromStdString(addressOrPath);
    // Two letters at least before the colon, so that "C:file" style names stay files.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch())
        return QUrl(text);
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(text));
}

void QtShell::open(const std::string& addressOrPath)
{
    QDesktopServices::openUrl(urlForShellOpen(addressOrPath));
}

}  // namespace vantrel::platform
