// The letter command in the main window: its menu entry and tray entry, the date display it
// copies, and the settings it reads.

#include "ui/letter_command.h"

#include <algorithm>

#include <QAction>
#include <QTextEdit>
#include <QtTest>

#include "tests/core/document/recording_automation.h"
#include "tests/ui/find_part.h"
#include "tests/ui/main_window_harness.h"

using namespace vantrel;
using testing::part;

namespace {

long countOf(const std::vector<std::string>& log, const std::string& line)
{
    return std::count(log.begin(), log.end(), line);
}

}  // namespace

class LetterCommandTest : public QObject {
    Q_OBJECT

private slots:
    // GIVEN a window showing a date WHEN "Letter in Writer" of the menu and then the tray's are
    // chosen THEN each makes a letter of its own on one connection.
    void menuAndTrayEntriesEachMakeALetter()
    {
        testing::MainWindowHarness harness;
        ui::MainWindow& window = harness.create();
        window.setDisplayLines({"Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii",
                                "Saturday, June 03, 2000 e.v. 8:03 PM"});
        auto owned = std::make_unique<testing::RecordingAutomation>();
        testing::RecordingAutomation& automation = *owned;
        ui::LetterCommand letter(window.dateDisplay(), window.settings(), harness.messages,
                                 std::move(owned));
        testing::connectCommands(window, letter);
        QVERIFY(part<QAction>(window, "InsertintoWord971").isEnabled());
        QVERIFY(part<QAction>(window, "WordDocument1").isEnabled());

        part<QAction>(window, "InsertintoWord971").trigger();
        part<QAction>(window, "WordDocument1").trigger();

        QCOMPARE(automation.connects, 1);
        QCOMPARE(countOf(automation.log, "App.Documents.Add"), 2L);
        QCOMPARE(countOf(automation.log, "present Doc1"), 1L);
        QCOMPARE(countOf(automation.log, "present Doc2"), 1L);
        // "Two Lines" (the first-run setting): two date lines in each letter.
        QCOMPARE(countOf(automation.log, "Doc1.Paragraphs(2).Range.Font.Size = 8"), 1L);
        QCOMPARE(countOf(automation.log, "Doc1.Paragraphs(3).Range.Font.Size = 8"), 0L);
        QVERIFY(harness.messages.errors.empty());

        // The display went to the clipboard whole, as rich text and plain text, and nothing
        // in it stays selected.
        QCOMPARE(harness.clipboard.text,
                 std::optional<std::string>("Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii\n"
                                            "Saturday, June 03, 2000 e.v. 8:03 PM"));
        QVERIFY(harness.clipboard.html &&
                harness.clipboard.html->find("Saturday, June 03, 2000") != std::string::npos);
        QVERIFY(!part<QTextEdit>(window, "TDate").textCursor().hasSelection());
    }

    // The Lines setting is read when the command runs, not when it was installed.
    void linesSettingIsReadAtEachUse()
    {
        testing::MainWindowHarness harness;
        ui::MainWindow& window = harness.create();
        window.setDisplayLines({"Anno", "Dies Saturnii", "e.v."});
        auto owned = std::make_unique<testing::RecordingAutomation>();
        testing::RecordingAutomation& automation = *owned;
        ui::LetterCommand letter(window.dateDisplay(), window.settings(), harness.messages,
                                 std::move(owned));
        testing::connectCommands(window, letter);

        window.settings().lineCount = core::LineCount::Three;
        part<QAction>(window, "InsertintoWord971").trigger();
        QCOMPARE(countOf(automation.log, "Doc1.Paragraphs(3).Range.Font.Size = 8"), 1L);
        window.settings().lineCount = core::LineCount::One;
        part<QAction>(window, "InsertintoWord971").trigger();
        QCOMPARE(countOf(automation.log, "Doc2.Paragraphs(1).Range.Font.Size = 8"), 1L);
        QCOMPARE(countOf(automation.log, "Doc2.Paragraphs(2).Range.Font.Size = 8"), 0L);
    }

    void connectFailureReachesTheErrorReport()
    {
        testing::MainWindowHarness harness;
        ui::MainWindow& window = harness.create();
        auto owned = std::make_unique<testing::RecordingAutomation>();
        owned->connectError = "No word processor was found";
        ui::LetterCommand letter(window.dateDisplay(), window.settings(), harness.messages,
                                 std::move(owned));
        testing::connectCommands(window, letter);

        part<QAction>(window, "WordDocument1").trigger();
        QCOMPARE(harness.messages.errors, std::vector<std::string>{"No word processor was found"});
        QVERIFY(!letter.insertion().isConnected());
    }
};

QTEST_MAIN(LetterCommandTest)
#include "letter_command_test.moc"
