#include "core/settings/file_locations.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

namespace fs = std::filesystem;

// Portable or installed, writable or not, XDG variables set, unset, empty or relative (which the
// XDG base-directory rules declare invalid).
TEST(FileLocationRules, PortableCopyOrUserFolders)
{
    struct Row {
        const char* name;
        bool portable;
        bool writable;
        std::optional<std::string> dataHome;
        std::optional<std::string> configHome;
        const char* workDir;
        const char* settingsFile;
    };
    const Row rows[] = {
        {"portable, writable", true, true, "/xd", "/xc", "/opt/v/bin", "/opt/v/bin/Vantrel.ini"},
        {"portable, read-only", true, false, "/xd", "/xc", "/xd/vantrel", "/opt/v/bin/Vantrel.ini"},
        {"installed, writable", false, true, "/xd", "/xc", "/xd/vantrel",
         "/xc/vantrel/Vantrel.ini"},
        {"installed, read-only", false, false, "/xd", "/xc", "/xd/vantrel",
         "/xc/vantrel/Vantrel.ini"},
        {"XDG unset", false, false, std::nullopt, std::nullopt, "/home/u/.local/share/vantrel",
         "/home/u/.config/vantrel/Vantrel.ini"},
        {"XDG empty", false, true, "", "", "/home/u/.local/share/vantrel",
         "/home/u/.config/vantrel/Vantrel.ini"},
        {"XDG relative", true, false, "data", "conf", "/home/u/.local/share/vantrel",
         "/opt/v/bin/Vantrel.ini"},
    };
    for (const Row& row : rows) {
        const FileLocations found = fileLocations({.executableDir = "/opt/v/bin",
                                                   .settingsBesideExecutable = row.portable,
                                                   .executableDirWritable = row.writable,
                                                   .xdgDataHome = row.dataHome,
                                                   .xdgConfigHome = row.configHome,
                                                   .home = "/home/u",
                                                   .dataDirFromExecutable = "../share/vantrel"});
        EXPECT_EQ(found.workDir, fs::path(row.workDir)) << row.name;
        EXPECT_EQ(found.settingsFile, fs::path(row.settingsFile)) << row.name;
        EXPECT_EQ(found.dataDir, fs::path("/opt/v/share/vantrel")) << row.name;
    }
}

TEST(DataFileLookup, WorkingFolderCopyWinsOverTheInstalledOne)
{
    testing::TempDir dir;
    const fs::path work = dir.path() / "work";
    const fs::path data = dir.path() / "share";
    fs::create_directories(work);
    fs::create_directories(data / "verses.txt");  // a folder is no data file
    testing::writeWholeFile(work / "tips.txt", "mine");
    testing::writeWholeFile(data / "tips.txt", "installed");
    testing::writeWholeFile(data / "sun.wav", "RIFF");
    const DataFiles files(work, data);

    EXPECT_EQ(files.path("tips.txt"), work / "tips.txt");
    EXPECT_EQ(files.path("sun.wav"), data / "sun.wav");
    EXPECT_EQ(files.find("verses.txt"), std::nullopt);
    EXPECT_EQ(files.path("verses.txt"), work / "verses.txt");
    EXPECT_EQ(DataFiles(work).path("sun.wav"), work / "sun.wav");
}

}  // namespace
}  // namespace vantrel::core
