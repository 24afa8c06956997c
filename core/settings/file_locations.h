#pragma once
// Where the program's files live. A portable copy keeps everything beside its executable; an
// installed program keeps its settings in the user's configuration folder, its command files
// and listings in a working folder of the user's own, and reads its data files (verses, tips,
// the help page, sounds) from the installation unless the user keeps copies of their own.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::core {

// What the rules look at, gathered by the caller.
struct LocationFacts {
    std::filesystem::path executableDir;
    // A "Vantrel.ini" lies beside the executable: the copy is portable.
    bool settingsBesideExecutable = false;
    // The executable's folder can be written by this user.
    bool executableDirWritable = false;
    // The environment's values; nullopt stands for an unset variable.
    std::optional<std::string> xdgDataHome;
    std::optional<std::string> xdgConfigHome;
    // The user's home folder.
    std::filesystem::path home;
    // The installed data folder relative to the executable's folder ("../share/vantrel").
    std::filesystem::path dataDirFromExecutable;
};

struct FileLocations {
    // Command files, listings and the save commands' default files.
    std::filesystem::path workDir;
    std::filesystem::path settingsFile;
    // The installed data files.
    std::filesystem::path dataDir;
    bool operator==(const FileLocations&) const = default;
};

// The settings file is the one beside the executable when it exists there (even in a folder that
// cannot be written), else $XDG_CONFIG_HOME/vantrel/Vantrel.ini. The working folder is the
// executable's folder for a portable copy that can write there, else $XDG_DATA_HOME/vantrel.
// An XDG variable that is unset, empty or not an absolute path stands for its default,
// ~/.config or ~/.local/share.
FileLocations fileLocations(const LocationFacts& facts);

// The data files of one run: a file in the working folder wins over the installed one of the
// same name, so that a user's own edited tips are read and an upgrade needs no copying.
class DataFiles {
public:
    explicit DataFiles(std::filesystem::path workDir = ".", std::filesystem::path dataDir = {})
        : m_workDir(std::move(workDir)), m_dataDir(std::move(dataDir))
    {
    }

    // Where `name` lies, or nullopt when neither folder holds it.
    std::optional<std::filesystem::path> find(std::string_view name) const;
    // Where `name` lies; where neither folder holds it, its place in the working folder, so that
    // what reports a missing file names that one.
    std::filesystem::path path(std::string_view name) const;

private:
    std::filesystem::path m_workDir;
    std::filesystem::path m_dataDir;
};

}  // namespace vantrel::core
