#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

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

void QtShell::openOrTell(const std::string& addressOrPath, std::function<void()> noHandler)
{
    const QUrl url = urlForShellOpen(addressOrPath);
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(url) && noHandler)
            noHandler();
        return;
    }
    // Without a parent: the program may end while the browser runs, and deleting a running
    // QProcess would end the browser with it. Its output goes where the program's goes, so a
    // chatty browser never fills a pipe no one reads.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, process,
                     [process, noHandler](int exitCode, QProcess::ExitStatus status) {
                         if (status == QProcess::NormalExit && exitCode == kXdgOpenNoHandler &&
                             noHandler)
                             noHandler();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, noHandler](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (noHandler)
                             noHandler();
                         process->deleteLater();
                     });
    process->start(opener, {url.toString(QUrl::FullyEncoded)});
}

}  // namespace vantrel::platform
