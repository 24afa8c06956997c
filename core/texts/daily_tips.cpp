#include "core/texts/daily_tips.h"

#include "core/texts/verse_commands.h"

namespace vantrel::core {

void DailyTips::setTipList(std::vector<std::string> lines)
{
    m_tipList = std::move(lines);
}

void DailyTips::setCurrentTip(int index)
{
    m_currentTip = index >= static_cast<int>(m_tipList.size()) ? 0 : index;
}

std::string DailyTips::currentText() const
{
    if (m_currentTip < 0 || m_currentTip >= static_cast<int>(m_tipList.size()))
        return {};
    return m_tipList[static_cast<std::size_t>(m_currentTip)];
}

void DailyTips::advance()
{
    setCurrentTip(m_currentTip + 1);
}

void DailyTips::next()
{
    advance();
    advance();
}

bool prepareStartupTip(bool& showOnStartup, bool verseOfDay, const std::filesystem::path& folder,
                       RandomDraw& draw, DailyTips& tips)
{
    if (verseOfDay)
        showOnStartup = true;
    if (!showOnStartup)
        return false;
    const auto lines =
        readExistingTextFile(folder / (verseOfDay ? kVersesFileName : kTipsFileName));
    if (lines)
        tips.setTipList(*lines);
    if (tips.tipList().empty())
        return false;
    tips.setCurrentTip(static_cast<int>(draw.indexBelow(tips.tipList().size())));
    return true;
}

}  // namespace vantrel::core
