#pragma once
// The single-instance guard: a lock file named after the program's instance name, held for as
// long as the process runs.

#include <memory>

#include <QString>

class QLockFile;

namespace vantrel::platform {

inline constexpr const char* kInstanceName = "{B7C008B9-41EA-4094-A5FF-A86715364CD7}";

class SingleInstance {
public:
    // folder: where the lock lies; empty: the user's runtime folder (the temporary folder
    // where there is none).
    explicit SingleInstance(QString folder = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is now the only instance. A lock left behind by an instance that
    // has ended (a crash) does not count; a live instance's lock does, however old it is.
    bool acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace vantrel::platform
