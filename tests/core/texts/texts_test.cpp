#include <map>

#include <unistd.h>

#include <gtest/gtest.h>

#include "core/common/error.h"
#include "core/texts/daily_tips.h"
#include "core/texts/verse_commands.h"
#include "tests/core/error_text.h"
#include "tests/fakes/as_user.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

// Hands out the indices it was given, and records each count it was asked for.
class ScriptedDraw : public RandomDraw {
public:
    explicit ScriptedDraw(std::vector<std::size_t> indices) : m_indices(std::move(indices)) {}
    std::size_t indexBelow(std::size_t count) override
    {
        counts.push_back(count);
        return m_indices.at(m_next++);
    }
    std::vector<std::size_t> counts;

private:
    std::vector<std::size_t> m_indices;
    std::size_t m_next = 0;
};

class RecordingTray : public Tray {
public:
    std::vector<std::pair<std::string, std::string>> balloons;
    void showBalloon(const std::string& title, const std::string& text) override
    {
        balloons.emplace_back(title, text);
    }
};

TEST(RandomLine, PicksTheDrawnLineOfEveryLineEndingStyle)
{
    testing::TempDir dir;
    for (const char* bytes : {"alpha\r\n\r\ngamma\r\n", "alpha\n\ngamma", "alpha\r\rgamma\r"}) {
        testing::writeWholeFile(dir.path() / "verses.txt", bytes);
        ScriptedDraw draw({0, 1, 2});
        EXPECT_EQ(pickVerse(dir.path(), draw), "alpha");
        EXPECT_EQ(pickVerse(dir.path(), draw), "");  // an empty line can be picked
        EXPECT_EQ(pickVerse(dir.path(), draw), "gamma");
        EXPECT_EQ(draw.counts, (std::vector<std::size_t>{3, 3, 3}));
    }
}

TEST(RandomLine, MissingOrEmptyFileGivesNothingWithoutDrawing)
{
    testing::TempDir dir;
    ScriptedDraw draw({});
    EXPECT_FALSE(pickVerse(dir.path(), draw));
    testing::writeWholeFile(dir.path() / "verses.txt", "");
    EXPECT_FALSE(pickVerse(dir.path(), draw));
    std::filesystem::remove(dir.path() / "verses.txt");
    std::filesystem::create_directory(dir.path() / "verses.txt");
    EXPECT_FALSE(pickVerse(dir.path(), draw));
    EXPECT_TRUE(draw.counts.empty());
}

TEST(RandomLineAsUser, UnreadableFileIsAnError)
{
    VANTREL_SKIP_AS_ROOT();
    testing::TempDir dir;
    const auto file = dir.path() / "verses.txt";
    testing::writeWholeFile(file, "x\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    ScriptedDraw draw({0});
    EXPECT_EQ(testing::errorText([&] { pickVerse(dir.path(), draw); }),
              "Cannot open file " + file.string());
}

TEST(RandomLine, ClockSeededDrawIsUniformAndRepeatsWithinAMillisecond)
{
    testing::FakeClock clock(testing::localDateTime(2000, 6, 3, 12, 0));
    ClockSeededDraw draw(clock);
    const std::size_t first = draw.indexBelow(1000);
    EXPECT_EQ(draw.indexBelow(1000), first);
    std::map<std::size_t, int> seen;
    for (int i = 0; i < 3000; ++i) {
        clock.advance(std::chrono::milliseconds(1));
        const std::size_t index = draw.indexBelow(3);
        ASSERT_LT(index, 3u);
        ++seen[index];
    }
    // Each of three lines comes up about a thousand times.
    for (std::size_t index = 0; index < 3; ++index)
        EXPECT_NEAR(seen[index], 1000, 150) << index;
    EXPECT_EQ(draw.indexBelow(1), 0u);
}

TEST(TrayTexts, QuoteGoesToTheBalloonOrTheClipboardOnlyWhenPicked)
{
    testing::TempDir dir;
    RecordingTray tray;
    testing::FakeClipboard clipboard;
    ScriptedDraw none({});
    showQuoteBalloon(dir.path(), none, tray);
    copyQuote(dir.path(), none, clipboard);
    EXPECT_TRUE(tray.balloons.empty());
    EXPECT_EQ(clipboard.writes, 0);

    testing::writeWholeFile(dir.path() / "verses.txt", "Every man and every woman is a star.\r\n");
    ScriptedDraw draw({0, 0});
    showQuoteBalloon(dir.path(), draw, tray);
    copyQuote(dir.path(), draw, clipboard);
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].first, "");
    EXPECT_EQ(tray.balloons[0].second, "Every man and every woman is a star.");
    EXPECT_EQ(clipboard.text, "Every man and every woman is a star.");
}

TEST(TrayTexts, DateBalloonTitleOnlyFromTwoLinesOn)
{
    EXPECT_EQ(dateBalloon({"An IVviii Sol in Gemini 6/3/00 e.v. "},
                          "An IVviii Sol in Gemini 6/3/00 e.v. "),
              (Balloon{"", "An IVviii Sol in Gemini 6/3/00 e.v. "}));
    // An empty last line is not counted.
    EXPECT_EQ(dateBalloon({"one", ""}, "one\r\n"), (Balloon{"", "one\r\n"}));
    EXPECT_EQ(dateBalloon({"first", "second", "third"}, "first\r\nsecond\r\nthird"),
              (Balloon{"first", "second"}));
    EXPECT_EQ(dateBalloon({}, ""), (Balloon{"", ""}));
}

TEST(TrayTexts, LawIsTwoLinesWithoutAFinalBreak)
{
    testing::FakeClipboard clipboard;
    copyLaw(clipboard);
    EXPECT_EQ(clipboard.text, "Do what thou wilt shall be the whole of the Law.\r\n"
                              "Love is the law, love under will.");
    EXPECT_FALSE(clipboard.html);
}

TEST(DailyTipStepping, NextTipMovesTwoEntriesOn)
{
    const struct {
        std::vector<std::string> entries;
        int start;
        std::vector<int> visited;
    } rows[] = {
        {{"a", "b"}, 0, {0, 0, 0}},           {{"a", "b"}, 1, {1, 1, 1}},
        {{"a", "b", "c"}, 0, {2, 1, 0, 2}},   {{"a"}, 0, {0, 0}},
        {{"a", "b", "c", "d"}, 3, {1, 3, 1}},
    };
    for (const auto& row : rows) {
        DailyTips tips;
        tips.setTipList(row.entries);
        tips.setCurrentTip(row.start);
        std::vector<int> visited;
        for (std::size_t i = 0; i < row.visited.size(); ++i) {
            tips.next();
            visited.push_back(tips.currentTip());
        }
        EXPECT_EQ(visited, row.visited) << row.entries.size() << " entries from " << row.start;
        EXPECT_EQ(tips.currentText(), row.entries[static_cast<std::size_t>(visited.back())]);
    }
}

TEST(DailyTipStepping, CurrentTipPastTheEndBecomesZeroAndNoneShowsNothing)
{
    DailyTips tips;
    EXPECT_EQ(tips.currentTip(), -1);
    EXPECT_EQ(tips.currentText(), "");
    tips.setTipList({"a", "b", "c"});
    tips.setCurrentTip(3);
    EXPECT_EQ(tips.currentTip(), 0);
    tips.setCurrentTip(2);
    tips.advance();
    EXPECT_EQ(tips.currentTip(), 0);
    tips.setCurrentTip(-1);
    EXPECT_EQ(tips.currentText(), "");
    // An empty list never shows an entry, however it is stepped.
    DailyTips empty;
    empty.next();
    EXPECT_EQ(empty.currentText(), "");
}

class StartupTip : public ::testing::Test {
protected:
    testing::TempDir m_dir;
    DailyTips m_tips;
};

TEST_F(StartupTip, TipsFileGivesARandomEntry)
{
    testing::writeWholeFile(m_dir.path() / "tips.txt", "one\ntwo\nthree\n");
    testing::writeWholeFile(m_dir.path() / "verses.txt", "verse\n");
    bool show = true;
    ScriptedDraw draw({1});
    EXPECT_TRUE(prepareStartupTip(show, false, m_dir.path(), draw, m_tips));
    EXPECT_EQ(m_tips.tipList(), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(m_tips.currentText(), "two");
    EXPECT_EQ(draw.counts, (std::vector<std::size_t>{3}));
}

TEST_F(StartupTip, VerseOfDaySwitchesTheDialogOnAndReadsVerses)
{
    testing::writeWholeFile(m_dir.path() / "tips.txt", "tip\n");
    testing::writeWholeFile(m_dir.path() / "verses.txt", "verse one\rverse two\r");
    bool show = false;
    ScriptedDraw draw({1});
    EXPECT_TRUE(prepareStartupTip(show, true, m_dir.path(), draw, m_tips));
    EXPECT_TRUE(show);
    EXPECT_EQ(m_tips.currentText(), "verse two");
}

TEST_F(StartupTip, NoDialogWhenOffOrWhenTheFileIsMissingOrEmpty)
{
    testing::writeWholeFile(m_dir.path() / "tips.txt", "tip\n");
    ScriptedDraw draw({});
    bool show = false;
    EXPECT_FALSE(prepareStartupTip(show, false, m_dir.path(), draw, m_tips));
    EXPECT_TRUE(m_tips.tipList().empty());
    // Verses asked for but missing: no dialog even though tips exist; the flag stays on.
    EXPECT_FALSE(prepareStartupTip(show, true, m_dir.path(), draw, m_tips));
    EXPECT_TRUE(show);
    testing::writeWholeFile(m_dir.path() / "tips.txt", "");
    EXPECT_FALSE(prepareStartupTip(show, false, m_dir.path(), draw, m_tips));
    EXPECT_EQ(m_tips.currentTip(), -1);
    EXPECT_TRUE(draw.counts.empty());
}

}  // namespace
}  // namespace vantrel::core
