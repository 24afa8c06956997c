#include "ui/main_window_texts.h"

#include "core/settings/settings_file.h"
#include <chrono>
#include <random>

#include "core/common/text_file.h"

namespace vantrel::ui {

core::MainWindowLayout readWindowLayout(const std::filesystem::path& settingsFile)
{
    return core::SettingsFile(settingsFile).readLayout();
}

void writeWindowLayout(const std::filesystem::path& settingsFile,
                       const core::MainWindowLayout& layout)
{
    core::SettingsFile(settingsFile).writeLayout(layout);
}

namespace {

// Re-seeded from the clock before every draw, as the program always has.
int drawIndex(std::size_t count)
{
    std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<std::size_t> pick(0, count - 1);
    return static_cast<int>(pick(generator));
}

std::vector<std::string> fileLines(const std::filesystem::path& path)
{
    return core::readLinesFromFile(path).value_or(std::vector<std::string>{});
}

}  // namespace

std::optional<std::string> pickVerse(const std::filesystem::path& workDir)
{
    const std::vector<std::string> lines = fileLines(workDir / "verses.txt");
    if (lines.empty())
        return std::nullopt;
    return lines[static_cast<std::size_t>(drawIndex(lines.size()))];
}

std::string lawGreeting()
{
    return "Do what thou wilt shall be the whole of the Law.\r\nLove is the law, love under will.";
}

StartupEntries startupEntries(bool showOnStartup, bool verseOfDay,
                              const std::filesystem::path& workDir)
{
    StartupEntries start;
    start.showOnStartup = showOnStartup || verseOfDay;
    if (!start.showOnStartup)
        return start;
    start.entries = fileLines(workDir / (verseOfDay ? "verses.txt" : "tips.txt"));
    if (!start.entries.empty())
        start.current = drawIndex(start.entries.size());
    return start;
}

}  // namespace vantrel::ui
