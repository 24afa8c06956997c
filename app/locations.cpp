#include "app/locations.h"

#include <cstdlib>
#include <optional>
#include <string>

#include <unistd.h>

#include "core/common/error.h"
#include "core/settings/settings_file.h"

namespace vantrel::app {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> environmentValue(const char* name)
{
    if (const char* value = std::getenv(name))
        return std::string(value);
    return std::nullopt;
}

// access() asks the kernel, which knows of read-only mounts and access lists; no probe file
// is written.
bool writable(const fs::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

fs::path executableFolder()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error) : executable.parent_path();
}

core::FileLocations programLocations(const fs::path& home)
{
    const fs::path folder = executableFolder();
    std::error_code error;
    return core::fileLocations({
        .executableDir = folder,
        .settingsBesideExecutable = fs::exists(folder / core::kSettingsFileName, error),
        .executableDirWritable = writable(folder),
        .xdgDataHome = environmentValue("XDG_DATA_HOME"),
        .xdgConfigHome = environmentValue("XDG_CONFIG_HOME"),
        .home = home,
        .dataDirFromExecutable = VANTREL_DATA_FROM_BIN,
    });
}

void enterWorkingFolder(const core::FileLocations& locations)
{
    std::error_code error;
    fs::create_directories(locations.workDir, error);
    if (!error)
        fs::current_path(locations.workDir, error);
    if (error)
        throw core::VantrelError("Cannot use the working folder " + locations.workDir.string() +
                                 ": " + error.message());
}

PrivateWorkFolder::PrivateWorkFolder()
{
    std::error_code error;
    m_userFolder = fs::current_path(error);
    fs::current_path(m_folder.path(), error);
    if (error)
        throw core::VantrelError("Cannot enter the private folder " + m_folder.path().string() +
                                 ": " + error.message());
}

PrivateWorkFolder::~PrivateWorkFolder()
{
    std::error_code ignored;
    fs::current_path(m_userFolder.empty() ? fs::temp_directory_path(ignored) : m_userFolder,
                     ignored);
}

}  // namespace vantrel::app
