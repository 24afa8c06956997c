#include "platform/qt_single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace vantrel::platform {

namespace {

QString defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

}  // namespace

SingleInstance::SingleInstance(QString folder)
    : m_path(QDir(folder.isEmpty() ? defaultFolder() : folder)
                 .absoluteFilePath(QLatin1String(kInstanceName) + QStringLiteral(".lock"))),
      m_lock(std::make_unique<QLockFile>(m_path))
{
    // Staleness by age would hand the lock to a second copy once the first has run for a
    // while; only a lock whose owner has ended is stale.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (m_lock->isLocked())
        return true;
    return m_lock->tryLock(0);
}

}  // namespace vantrel::platform
