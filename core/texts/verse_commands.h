#pragma once
// The verse, quote, date and greeting commands of the main window and the tray menu. Each
// takes the folder in which "verses.txt" is looked up (the current folder when empty).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/clipboard.h"
#include "core/ports/tray.h"
#include "core/texts/random_line.h"

namespace vantrel::core {

inline constexpr const char* kVersesFileName = "verses.txt";
inline constexpr const char* kTipsFileName = "tips.txt";

inline constexpr const char* kGreetingLine = "Do what thou wilt shall be the whole of the Law.";
inline constexpr const char* kClosingLine = "Love is the law, love under will.";

// "Random Verse": the line that replaces the whole date display, or nullopt to leave the
// display as it is. Errors as pickRandomLine.
std::optional<std::string> pickVerse(const std::filesystem::path& folder, RandomDraw& draw);

// Tray "Quote": a balloon with a random verse and no title; nothing when no verse is picked.
void showQuoteBalloon(const std::filesystem::path& folder, RandomDraw& draw, Tray& tray);

// Tray "ClipBoard" > "Quote": a random verse becomes the clipboard's text; the clipboard is
// left alone when no verse is picked.
void copyQuote(const std::filesystem::path& folder, RandomDraw& draw, Clipboard& clipboard);

// What tray "Date" shows once the date has been recalculated.
struct Balloon {
    std::string title;
    std::string text;
    bool operator==(const Balloon&) const = default;
};
// `displayedLines` are the date display's lines as it shows them (a line wrapped for the
// width counts as several); `wholeText` is its whole text. Fewer than two lines (an empty last
// line not counted): the whole text without a title; otherwise the second line under the first.
Balloon dateBalloon(const std::vector<std::string>& displayedLines, const std::string& wholeText);

// Tray "ClipBoard" > "Law": the two greeting lines, joined by CR LF, without a final line end.
std::string lawText();
void copyLaw(Clipboard& clipboard);

}  // namespace vantrel::core
