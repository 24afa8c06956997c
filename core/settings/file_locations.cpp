#include "core/settings/file_locations.h"

#include "core/settings/settings_file.h"

namespace vantrel::core {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgramFolder = "vantrel";

// The XDG base-directory rule: a relative path in one of its variables is invalid and ignored.
fs::path xdgFolder(const std::optional<std::string>& value, const fs::path& fallback)
{
    if (value && fs::path(*value).is_absolute())
        return *value;
    return fallback;
}

}  // namespace

FileLocations fileLocations(const LocationFacts& facts)
{
    FileLocations locations;
    locations.dataDir = (facts.executableDir / facts.dataDirFromExecutable).lexically_normal();
    if (facts.settingsBesideExecutable)
        locations.settingsFile = facts.executableDir / kSettingsFileName;
    else
        locations.settingsFile = xdgFolder(facts.xdgConfigHome, facts.home / ".config") /
                                 kProgramFolder / kSettingsFileName;
    if (facts.settingsBesideExecutable && facts.executableDirWritable)
        locations.workDir = facts.executableDir;
    else
        locations.workDir =
            xdgFolder(facts.xdgDataHome, facts.home / ".local" / "share") / kProgramFolder;
    return locations;
}

std::optional<fs::path> DataFiles::find(std::string_view name) const
{
    std::error_code ignored;
    for (const fs::path& folder : {m_workDir, m_dataDir}) {
        if (folder.empty())
            continue;
        fs::path candidate = folder / name;
        if (fs::is_regular_file(candidate, ignored))
            return candidate;
    }
    return std::nullopt;
}

fs::path DataFiles::path(std::string_view name) const
{
    return find(name).value_or(m_workDir / name);
}

}  // namespace vantrel::core
