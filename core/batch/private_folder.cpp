#include "core/batch/private_folder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/chart_engine/engine_run.h"
#include "core/common/error.h"
#include "core/settings/settings.h"

namespace vantrel::core {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFolderPrefix = "vantrel-";
// The folders of older versions, named for their process: "vantrel-batch-PID-N".
constexpr std::string_view kNumberedPrefix = "vantrel-batch-";
// A folder is locked a moment after it is made; one younger than this may not be yet.
constexpr auto kUnlockedGrace = std::chrono::seconds(10);
// The file that tells a folder of this program's own from another's of a like name.
constexpr const char* kMarkName = ".vantrel-private";

// "vantrel-" and six letters or digits, as mkdtemp() names them, with the mark inside; or an
// older version's name.
bool privateFolder(const fs::path& folder)
{
    const std::string fileName = folder.filename().string();
    const std::string_view name = fileName;
    const auto alphanumeric = [](std::string_view text) {
        return std::all_of(text.begin(), text.end(),
                           [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
    };
    if (name.starts_with(kNumberedPrefix)) {
        // Such a folder holds no lock: its process must be gone too.
        const std::string_view rest = name.substr(kNumberedPrefix.size());
        const std::string_view pid = rest.substr(0, rest.find('-'));
        std::error_code gone;
        return !pid.empty() && rest.find_first_not_of("0123456789-") == std::string_view::npos &&
               fs::exists("/proc/self", gone) &&
               !fs::exists(fs::path("/proc") / std::string(pid), gone);
    }
    if (!name.starts_with(kFolderPrefix))
        return false;
    const std::string_view rest = name.substr(kFolderPrefix.size());
    std::error_code error;
    return rest.size() == 6 && alphanumeric(rest) &&
           fs::is_regular_file(fs::symlink_status(folder / kMarkName, error));
}

// Opens the folder and locks it without waiting; -1 when it is no folder of the user's own (a
// link, say) or someone holds it.
int lockFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_uid != ::geteuid() ||
        ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Removes the folders that runs killed before they could clean up have left in `base`: those
// of the user's that no one holds locked and that have not changed for a moment.
void removeAbandonedFolders(const fs::path& base)
{
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        if (!privateFolder(it->path()))
            continue;
        const int fd = lockFolder(it->path());
        if (fd < 0)
            continue;
        std::error_code ignored;
        const auto changed = fs::last_write_time(it->path(), ignored);
        if (!ignored && now - changed >= kUnlockedGrace)
            fs::remove_all(it->path(), ignored);
        ::close(fd);
    }
}

}  // namespace

PrivateFolder::PrivateFolder()
{
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (!error)
        removeAbandonedFolders(base);
    std::string name = (base / (std::string(kFolderPrefix) + "XXXXXX")).string();
    if (error || ::mkdtemp(name.data()) == nullptr)
        throw VantrelError("Cannot create a private folder in " +
                           (error ? std::string("the temporary folder") : base.string()) + ": " +
                           (error ? error.message() : std::strerror(errno)));
    m_path = name;
    m_lock = lockFolder(m_path);
    const int mark =
        ::open((m_path / kMarkName).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (mark >= 0)
        ::close(mark);
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
    if (m_lock >= 0)
        ::close(m_lock);
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
