#pragma once
// The tip (or verse) of the day shown at start: the list of entries, the entry shown, and
// the start-up decision.

#include <filesystem>
#include <string>
#include <vector>

#include "core/texts/random_line.h"

namespace vantrel::core {

class DailyTips {
public:
    const std::vector<std::string>& tipList() const { return m_tipList; }
    void setTipList(std::vector<std::string> lines);

    // -1 when no entry is shown.
    int currentTip() const { return m_currentTip; }
    // A value past the last entry stores 0.
    void setCurrentTip(int index);
    // The entry shown; empty when none is.
    std::string currentText() const;

    // One step on: the next entry, or the first after the last (the main window's next-tip
    // step).
    void advance();
    // "&Next Tip": the dialog's own step followed by the main window's, so each press moves
    // two entries on (with two entries the same one stays in view).
    void next();

private:
    std::vector<std::string> m_tipList;
    int m_currentTip = -1;
};

// The start-up step. A set verseOfDay switches showOnStartup on. When showOnStartup is on,
// tipList becomes the lines of "verses.txt" (verseOfDay) or "tips.txt" in `folder`, when that
// file exists, and a random entry becomes current. Returns whether the dialog opens: false
// when showOnStartup is off or the list is empty. Throws VantrelError("Cannot open file ...")
// for a file that exists but cannot be read.
bool prepareStartupTip(bool& showOnStartup, bool verseOfDay, const std::filesystem::path& folder,
                       RandomDraw& draw, DailyTips& tips);

}  // namespace vantrel::core
