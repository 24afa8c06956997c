#include "core/batch/private_folder.h"

#include <random>
#include <string_view>

#include <unistd.h>

#include "core/chart_engine/engine_run.h"
#include "core/common/error.h"
#include "core/settings/settings.h"

namespace vantrel::core {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFolderPrefix = "vantrel-batch-";

// Removes the folders that conversions killed before they could clean up have left in `base`:
// those named for a process that no longer runs ("vantrel-batch-PID-N").
void removeAbandonedFolders(const fs::path& base)
{
    std::error_code error;
    // Without /proc no process could be told to be gone.
    if (!fs::exists("/proc/self", error))
        return;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(kFolderPrefix))
            continue;
        const std::string_view rest = std::string_view(name).substr(kFolderPrefix.size());
        const std::string_view pid = rest.substr(0, rest.find('-'));
        const bool numbered = !pid.empty() && pid.size() < rest.size() &&
                              pid.find_first_not_of("0123456789") == std::string_view::npos;
        std::error_code ignored;
        if (numbered && !fs::exists(fs::path("/proc") / pid, ignored))
            fs::remove_all(it->path(), ignored);
    }
}

}  // namespace

PrivateFolder::PrivateFolder()
{
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (!error)
        removeAbandonedFolders(base);
    std::random_device entropy;
    const std::string prefix = std::string(kFolderPrefix) + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100 && !error; ++attempt) {
        const fs::path candidate = base / (prefix + std::to_string(entropy()));
        if (fs::create_directory(candidate, error)) {
            fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace, error);
            m_path = candidate;
            return;
        }
    }
    throw VantrelError(formatMessage("Cannot create file %s", (base / (prefix + "*")).string()));
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

CurrentDirectorySwitch::CurrentDirectorySwitch(const fs::path& folder)
    : m_previous(fs::current_path())
{
    fs::current_path(folder);
}

CurrentDirectorySwitch::~CurrentDirectorySwitch()
{
    std::error_code ignored;
    fs::current_path(m_previous, ignored);
}

EngineCommandPin::EngineCommandPin(Settings& settings, const fs::path& base)
    : m_settings(settings), m_previous(settings.engineCommand)
{
    if (engineProgramNamed(settings))
        settings.engineCommand = anchoredEngineCommand(settings.engineCommand, base);
}

EngineCommandPin::~EngineCommandPin()
{
    m_settings.engineCommand = m_previous;
}

}  // namespace vantrel::core
