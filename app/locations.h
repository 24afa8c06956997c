#pragma once
// The program's places on this machine, and the folders each mode works in: the window in the
// user's working folder, the command-line modes in a private folder of their own, so that
// neither leaves a command file or a listing in the folder a command was typed in, nor
// overwrites one a running window is reading.

#include <filesystem>

#include "core/batch/private_folder.h"
#include "core/settings/file_locations.h"

namespace vantrel::app {

// The file rules applied to this executable's folder, this process's environment and the
// user's home folder `home`.
core::FileLocations programLocations(const std::filesystem::path& home);
// The user's home folder: HOME, else the user database's entry, else the root folder. (In a file
// of its own, which the statically linked front program does without: the database's name
// services need the shared C library.)
std::filesystem::path homeFolder();
// The folder of this executable, where its engine and the Qt program lie beside it.
std::filesystem::path executableFolder();

// Makes the working folder the current directory, creating it when it is missing. Throws
// VantrelError naming the folder when it cannot be made or entered.
void enterWorkingFolder(const core::FileLocations& locations);

// A new folder readable by the user alone (a core::PrivateFolder), the current directory while
// this object lives, removed with everything in it afterwards. Throws VantrelError when none can
// be made or entered.
class PrivateWorkFolder {
public:
    PrivateWorkFolder();
    ~PrivateWorkFolder();
    PrivateWorkFolder(const PrivateWorkFolder&) = delete;
    PrivateWorkFolder& operator=(const PrivateWorkFolder&) = delete;

    // The current directory before this folder was entered, where the user typed the command.
    const std::filesystem::path& userFolder() const { return m_userFolder; }

private:
    std::filesystem::path m_userFolder;
    core::PrivateFolder m_folder;
};

}  // namespace vantrel::app
