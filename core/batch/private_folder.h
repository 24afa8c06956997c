#pragma once
// Where an engine program runs during a conversion: a private folder of the conversion's own, so
// that its command files and listings never touch a file of the user's.

#include <filesystem>
#include <string>

namespace vantrel::core {

struct Settings;

// A folder of the conversion's own under the system's temporary folder, readable by the user
// alone, removed with everything in it when this object ends. It bears the process's number, so
// that the next conversion can remove it should this process be killed first; folders that
// conversions killed before they could clean up have left are removed on creation. Throws
// VantrelError "Cannot create file ..." when none can be made.
class PrivateFolder {
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
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
