#pragma once
// The single-instance guard: a lock file named after the program's instance name, held for as
// long as the process runs, and a local socket beside it through which a second start asks the
// running instance to show its window.

#include <memory>

#include <QObject>
#include <QString>

class QLocalServer;
class QLockFile;

namespace vantrel::platform {

inline constexpr const char* kInstanceName = "{B7C008B9-41EA-4094-A5FF-A86715364CD7}";

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // folder: where the lock and the socket lie; empty: the user's runtime folder (the temporary
    // folder where there is none).
    explicit SingleInstance(QString folder = {});
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is now the only instance; it then listens for later starts. A lock
    // left behind by an instance that has ended (a crash) does not count; a live instance's
    // lock does, however old it is.
    bool acquire();
    // Asks the instance that holds the lock to show its window. False when it could not be
    // reached (it is still starting, or ending) within a second or so.
    bool activateRunning() const;

    QString lockPath() const { return m_path; }
    QString socketPath() const { return m_socketPath; }

signals:
    // A later start asked for the window.
    void activationRequested();

private:
    void listen();

    QString m_path;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

}  // namespace vantrel::platform
