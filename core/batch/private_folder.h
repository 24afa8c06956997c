#pragma once
// Where an engine program runs during a conversion: a private folder of the conversion's own, so
// that its command files and listings never touch a file of the user's.

#include <filesystem>
#include <string>

namespace vantrel::core {

struct Settings;

// A folder of its own under the system's temporary folder ("vantrel-XXXXXX"), readable by the
// user alone, removed with everything in it when this object ends. It is locked (flock) while
// it lives: a folder of that name that no one holds locked and that has not changed for a while
// was left by a run killed before it could clean up, whatever process namespace either runs in,
// and is removed when the next one is made. Throws VantrelError "Cannot create a private folder
// in DIR: why" when none can be made.
class PrivateFolder {
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    int m_lock = -1;  // the folder, opened and locked
};

// Makes `folder` the current directory until the end of the scope.
class CurrentDirectorySwitch {
public:
    explicit CurrentDirectorySwitch(const std::filesystem::path& folder);
    ~CurrentDirectorySwitch();
    CurrentDirectorySwitch(const CurrentDirectorySwitch&) = delete;
    CurrentDirectorySwitch& operator=(const CurrentDirectorySwitch&) = delete;

private:
    std::filesystem::path m_previous;
};

// An engine program named by a relative path ("./astrolog") must still be found while the
// calculation runs in the private folder: until the end of the scope, Settings::engineCommand
// names it by its full path from `base`.
class EngineCommandPin {
public:
    EngineCommandPin(Settings& settings, const std::filesystem::path& base);
    ~EngineCommandPin();
    EngineCommandPin(const EngineCommandPin&) = delete;
    EngineCommandPin& operator=(const EngineCommandPin&) = delete;

private:
    Settings& m_settings;
    std::string m_previous;
};

}  // namespace vantrel::core
