#include "core/document/document_insertion.h"

#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/core/document/recording_automation.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingAutomation;
using testing::RecordingDateDisplay;

// One expected call and the step of the letter it belongs to: 1 connect, 2 build (everything
// up to the paste), 3 + n formatting of date line n, 0 handing the document over.
struct Expected {
    int step;
    std::string line;
};

constexpr int kConnect = 1;
constexpr int kBuild = 2;
constexpr int kPresent = 0;
int dateLineStep(int n)
{
    return 3 + n;
}

void appendParagraphFormatting(std::vector<Expected>& calls, int step, const std::string& doc,
                               int n, const std::string& alignment,
                               const std::vector<std::string>& fontSettings)
{
    const std::string item = doc + ".Paragraphs.Item(" + std::to_string(n) + ")";
    const std::string para = doc + ".Paragraphs(" + std::to_string(n) + ")";
    for (const std::string& line :
         {item, para + ".Format", item, para + ".Range", para + ".Range.Font",
          para + ".Format.Alignment = " + alignment, item, para + ".Range", para + ".Range.Font"})
        calls.push_back({step, line});
    for (const std::string& setting : fontSettings)
        calls.push_back({step, para + ".Range.Font." + setting});
}

// The whole conversation for one letter with `dateLines` date lines, on a fresh connection
// when `connect` is set.
std::vector<Expected> letterCalls(int dateLines, const std::string& doc = "Doc1",
                                  bool connect = true)
{
    std::vector<Expected> calls;
    if (connect)
        calls.push_back({kConnect, "connect"});
    for (const std::string& line :
         {std::string("App.Visible = true"), std::string("App.Documents.Add"),
          doc + ".Bookmarks.Add(FirstRealPara)", std::string("App.Selection"),
          std::string("App.Selection.Font"),
          std::string("App.Selection.TypeText(Do what thou wilt shall be the whole of the Law.)"),
          std::string("App.Selection.TypeParagraph")})
        calls.push_back({kBuild, line});
    appendParagraphFormatting(calls, kBuild, doc, 1, "1", {"Size = 10", "Italic = 1"});
    calls.push_back({kBuild, doc + ".Bookmarks.Add(Bod)"});
    calls.push_back({kBuild, "App.Selection.TypeText(Love is the law, love under will.)"});
    calls.push_back({kBuild, "App.Selection.TypeParagraph"});
    appendParagraphFormatting(calls, kBuild, doc, 2, "1", {"Size = 10", "Italic = 1"});
    calls.push_back({kBuild, "display: copy all as rich text"});
    calls.push_back({kBuild, doc + ".Bookmarks.Item(FirstRealPara)"});
    calls.push_back({kBuild, doc + ".Bookmarks(FirstRealPara).Range"});
    calls.push_back({kBuild, doc + ".Bookmarks(FirstRealPara).Range.PasteSpecial(1)"});
    for (int n = 1; n <= dateLines; ++n)
        appendParagraphFormatting(calls, dateLineStep(n), doc, n, "2", {"Size = 8"});
    calls.push_back({kPresent, "present " + doc});
    return calls;
}

std::vector<std::string> lines(const std::vector<Expected>& calls)
{
    std::vector<std::string> result;
    for (const Expected& call : calls)
        result.push_back(call.line);
    return result;
}

Settings withLines(LineCount lines)
{
    Settings settings;
    settings.lineCount = lines;
    return settings;
}

struct Letter {
    RecordingAutomation automation;
    RecordingDateDisplay display{automation};
    testing::FakeMessages messages;
    DocumentInsertion command{automation, display, messages};
};

// Stored values outside the items are taken as the last item or none when the settings are
// loaded (SettingsFileTest.ValueConversion).
TEST(DateLineCount, FollowsTheLinesSetting)
{
    const std::vector<std::pair<LineCount, int>> rows = {
        {LineCount::NotChosen, 0}, {LineCount::One, 1}, {LineCount::Two, 2}, {LineCount::Three, 3}};
    for (const auto& [oLines, count] : rows)
        EXPECT_EQ(dateLineCount(oLines), count) << "OLines " << choiceIndex(oLines);
}

TEST(LetterCalls, OrderAndArgumentsForEachLinesSetting)
{
    const std::vector<std::pair<std::string, LineCount>> rows = {
        {"One Line", LineCount::One},
        {"Two Lines", LineCount::Two},
        {"Three Lines", LineCount::Three},
        {"nothing chosen", LineCount::NotChosen}};
    for (const auto& [name, oLines] : rows) {
        Letter letter;
        letter.command.insertLetter(withLines(oLines));
        EXPECT_EQ(letter.automation.log, lines(letterCalls(dateLineCount(oLines)))) << name;
        EXPECT_TRUE(letter.command.isConnected()) << name;
        EXPECT_THAT(letter.messages.errors, IsEmpty()) << name;
    }
}

TEST(LetterCalls, ConnectionIsKeptAndEachUseMakesItsOwnDocument)
{
    Letter letter;
    letter.command.insertLetter(withLines(LineCount::Two));
    letter.command.insertLetter(withLines(LineCount::Three));

    std::vector<std::string> expected = lines(letterCalls(2, "Doc1"));
    const std::vector<std::string> second = lines(letterCalls(3, "Doc2", false));
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(letter.automation.log, expected);
    EXPECT_EQ(letter.automation.connects, 1);
}

// A display holding fewer lines than the setting asks for (a status text, a verse): the
// paragraphs after its lines are the greetings, which keep their own format.
TEST(LetterCalls, NoMoreDateLinesThanTheDisplayHad)
{
    const std::vector<std::pair<int, int>> rows = {{0, 0}, {1, 1}, {2, 2}, {4, 3}};
    for (const auto& [displayLines, formatted] : rows) {
        Letter letter;
        letter.display.lines = displayLines;
        letter.command.insertLetter(withLines(LineCount::Three));
        EXPECT_EQ(letter.automation.log, lines(letterCalls(formatted)))
            << displayLines << " display lines";
    }
}

TEST(LetterFailures, ConnectFailureIsReportedWithTheWordProcessorsText)
{
    Letter letter;
    letter.automation.connectError = "No word processor is installed";
    letter.command.insertLetter(withLines(LineCount::Two));

    EXPECT_THAT(letter.automation.log, ElementsAre("connect"));
    EXPECT_THAT(letter.messages.errors, ElementsAre("No word processor is installed"));
    EXPECT_FALSE(letter.command.isConnected());

    // Nothing is remembered of the failure: the next use tries again.
    letter.automation.connectError.clear();
    letter.command.insertLetter(withLines(LineCount::Two));
    EXPECT_EQ(letter.automation.connects, 1);
    EXPECT_TRUE(letter.command.isConnected());
}

// Fails every call of a letter in turn, for each Lines setting, and checks what happens next:
// a failure to connect, while building or to hand the document over drops the connection and
// is reported; a failure in a date line skips the rest of that line only.
TEST(LetterFailures, FailureAtEachCall)
{
    for (LineCount oLines : {LineCount::One, LineCount::Two, LineCount::Three}) {
        const std::vector<Expected> full = letterCalls(dateLineCount(oLines));
        for (std::size_t failing = 0; failing < full.size(); ++failing) {
            const std::string where = "Lines " + std::to_string(choiceIndex(oLines)) +
                                      ", failing call: " + full[failing].line;
            Letter letter;
            letter.automation.failAtCall = static_cast<int>(failing);
            letter.command.insertLetter(withLines(oLines));

            std::vector<std::string> expected;
            const int step = full[failing].step;
            if (step == kConnect || step == kBuild || step == kPresent) {
                for (std::size_t i = 0; i <= failing; ++i)
                    expected.push_back(full[i].line);
                if (step != kConnect)
                    expected.push_back("disconnect App");
                EXPECT_FALSE(letter.command.isConnected()) << where;
                EXPECT_THAT(letter.messages.errors,
                            ElementsAre("call failed: " + full[failing].line))
                    << where;
            } else {
                for (std::size_t i = 0; i < full.size(); ++i)
                    if (i <= failing || full[i].step != step)
                        expected.push_back(full[i].line);
                EXPECT_TRUE(letter.command.isConnected()) << where;
                EXPECT_THAT(letter.messages.errors, IsEmpty()) << where;
            }
            EXPECT_EQ(letter.automation.log, expected) << where;
        }
    }
}

TEST(LetterFailures, NextUseAfterAFailureConnectsAfresh)
{
    Letter letter;
    letter.automation.failWhen = [](const std::string& line) {
        return line == "Doc1.Bookmarks(FirstRealPara).Range.PasteSpecial(1)";
    };
    letter.command.insertLetter(withLines(LineCount::Two));
    EXPECT_FALSE(letter.command.isConnected());
    letter.automation.log.clear();
    letter.messages.errors.clear();

    letter.command.insertLetter(withLines(LineCount::Two));
    EXPECT_EQ(letter.automation.log, lines(letterCalls(2, "Doc2")));
    EXPECT_EQ(letter.automation.connects, 2);
    EXPECT_THAT(letter.messages.errors, IsEmpty());
}

// The user quit the word processor between two uses: the same letter is written on a fresh
// connection, or, when none can be made, the failure to make it is reported.
TEST(LetterFailures, WordProcessorQuitSinceTheLastUse)
{
    for (const bool startsAgain : {true, false}) {
        Letter letter;
        letter.command.insertLetter(withLines(LineCount::Two));
        letter.automation.log.clear();
        letter.automation.gone = true;
        if (!startsAgain)
            letter.automation.connectError = "Cannot start the word processor";
        letter.command.insertLetter(withLines(LineCount::Two));

        std::vector<std::string> expected{"App.Visible = true", "disconnect App"};
        if (startsAgain) {
            const std::vector<std::string> letter2 = lines(letterCalls(2, "Doc2"));
            expected.insert(expected.end(), letter2.begin(), letter2.end());
            EXPECT_THAT(letter.messages.errors, IsEmpty());
        } else {
            expected.push_back("connect");
            EXPECT_THAT(letter.messages.errors, ElementsAre("Cannot start the word processor"));
        }
        EXPECT_EQ(letter.automation.log, expected) << startsAgain;
        EXPECT_EQ(letter.command.isConnected(), startsAgain);
    }
}

TEST(LetterFailures, SeveralDateLinesFailingAreEachSkipped)
{
    // Paragraphs 2 and 3 cannot be reached after the paste (a pasted text shorter than the
    // setting asks for); paragraph 1 is still formatted and the letter handed over.
    Letter letter;
    bool pasted = false;
    letter.automation.failWhen = [&pasted](const std::string& line) {
        if (line.find("PasteSpecial") != std::string::npos)
            pasted = true;
        return pasted && (line == "Doc1.Paragraphs.Item(2)" || line == "Doc1.Paragraphs.Item(3)");
    };
    letter.command.insertLetter(withLines(LineCount::Three));

    std::vector<std::string> expected;
    for (const Expected& call : letterCalls(3)) {
        if (call.step == dateLineStep(2) || call.step == dateLineStep(3)) {
            const std::string lookUp =
                "Doc1.Paragraphs.Item(" + std::to_string(call.step - dateLineStep(0)) + ")";
            if (expected.back() != lookUp)
                expected.push_back(lookUp);
            continue;
        }
        expected.push_back(call.line);
    }
    EXPECT_EQ(letter.automation.log, expected);
    EXPECT_THAT(expected, ::testing::Contains("Doc1.Paragraphs(1).Range.Font.Size = 8"));
    EXPECT_TRUE(letter.command.isConnected());
    EXPECT_THAT(letter.messages.errors, IsEmpty());
}

}  // namespace
}  // namespace vantrel::core
