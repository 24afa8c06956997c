#include "core/texts/verse_commands.h"

namespace vantrel::core {

std::optional<std::string> pickVerse(const std::filesystem::path& folder, RandomDraw& draw)
{
    return pickRandomLine(folder / kVersesFileName, draw);
}

void showQuoteBalloon(const std::filesystem::path& folder, RandomDraw& draw, Tray& tray)
{
    if (const auto verse = pickVerse(folder, draw))
        tray.showBalloon("", *verse);
}

void copyQuote(const std::filesystem::path& folder, RandomDraw& draw, Clipboard& clipboard)
{
    if (const auto verse = pickVerse(folder, draw))
        clipboard.setText(*verse);
}

Balloon dateBalloon(const std::vector<std::string>& displayedLines, const std::string& wholeText)
{
    std::size_t count = displayedLines.size();
    if (count > 0 && displayedLines.back().empty())
        --count;
    if (count < 2)
        return Balloon{"", wholeText};
    return Balloon{displayedLines[0], displayedLines[1]};
}

std::string lawText()
{
    return std::string(kGreetingLine) + "\r\n" + kClosingLine;
}

void copyLaw(Clipboard& clipboard)
{
    clipboard.setText(lawText());
}

}  // namespace vantrel::core
