#pragma once
// The texts the main window hands out: verses, the greeting lines, the start-up tip or verse,
// and the window's layout keys.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/settings.h"

namespace vantrel::ui {

core::MainWindowLayout readWindowLayout(const std::filesystem::path& settingsFile);
// Throws core::VantrelError ("Unable to write to <path>") when the file cannot be written.
void writeWindowLayout(const std::filesystem::path& settingsFile,
                       const core::MainWindowLayout& layout);

// A random line of "verses.txt" in the folder; nothing when the file is missing or empty.
std::optional<std::string> pickVerse(const std::filesystem::path& workDir);

// The two greeting lines with a CR LF between them and none after.
std::string lawGreeting();

// What the start-up dialog shows: the (possibly switched on) start-up flag, the entries and the
// index drawn among them; current is -1 when no dialog is to open.
struct StartupEntries {
    bool showOnStartup = false;
    std::vector<std::string> entries;
    int current = -1;
};
StartupEntries startupEntries(bool showOnStartup, bool verseOfDay,
                              const std::filesystem::path& workDir);

}  // namespace vantrel::ui
