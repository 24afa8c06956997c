// The main window as the user meets it: first start, the view switches and their memory, the
// pickers and the month calendar, the start-up dialog, closing, the tray and the text commands.

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "core/settings/settings_file.h"
#include "tests/ui/find_part.h"
#include "tests/ui/main_window_harness.h"
#include "ui/tip_dialog.h"

using vantrel::testing::MainWindowHarness;
using vantrel::testing::part;
using vantrel::testing::showAndWait;
using vantrel::ui::MainWindow;

namespace {

const QStringList kExampleLines = {"Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii",
                                   "Saturday, June 03, 2000 e.v. 8:03 PM"};

QStringList displayed(const MainWindow& window)
{
    return part<QTextEdit>(window, "TDate").toPlainText().split(QLatin1Char('\n'));
}

int clientHeight(MainWindow& window)
{
    return window.height() - window.menuBar()->height();
}

}  // namespace

class MainWindowTests : public QObject {
    Q_OBJECT

private slots:
    void firstStartUsesTheDefaultLayoutAndShowsTheDate();
    void viewSwitchesHideTheirPartsAndAreRememberedAfterARestart();
    void changingAPickerAsksForACalculation();
    void monthCalendarClickCalculatesThatDayAtThePickersTime();
    void thePickersHoldOnlyTheDatesTheEngineComputes();
    void nextTipMovesTwoEntriesOn_data();
    void nextTipMovesTwoEntriesOn();
    void verseOfTheDayOpensTheDialogAndSavesTheTipFlagAsOn();
    void verseOfTheDayWithoutVersesOpensNoDialog();
    void aSettingsFileThatCannotBeWrittenDoesNotKeepTheWindowOpen();
    void trayExitEndsWithoutSavingTheLayout();
    void whileAnEngineProgramRunsTheWindowAnswersAndEscapeStopsIt();
    void singleArgumentCopiesTheDisplayAndEnds_data();
    void singleArgumentCopiesTheDisplayAndEnds();
};

void MainWindowTests::firstStartUsesTheDefaultLayoutAndShowsTheDate()
{
    // GIVEN no settings file and a tips file
    MainWindowHarness h;
    h.write("tips.txt", "First tip\r\nSecond tip\r\n");
    // WHEN the window opens
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    // THEN tool bar, status bar and calendar show, the client area is 400 by 315 at (10, 10)
    QVERIFY(part<QToolBar>(window, "DateTool").isVisible());
    QVERIFY(window.statusBar()->isVisible());
    QVERIFY(part<QWidget>(window, "CalendarPanel").isVisible());
    QVERIFY(part<QAction>(window, "ToolBars1").isChecked());
    QVERIFY(part<QAction>(window, "Statusbar2").isChecked());
    QVERIFY(part<QAction>(window, "MonthlyCalendar1").isChecked());
    QCOMPARE(window.width(), 400);
    QCOMPARE(clientHeight(window), 315);
    QCOMPARE(window.frameGeometry().topLeft(), QPoint(10, 10));
    // ... the tip dialog shows one of the tips, and the display holds the date for now
    QVERIFY(window.tipDialog() != nullptr);
    QVERIFY(window.tipDialog()->isVisible());
    const QString tip = part<QLabel>(*window.tipDialog(), "TipLabel").text();
    QVERIFY2(tip == "First tip" || tip == "Second tip", qPrintable(tip));
    // ... centred on the window, not on the screen
    const QPoint offCentre =
        window.tipDialog()->frameGeometry().center() - window.frameGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2,
             qPrintable(QString::number(offCentre.x()) + "," + QString::number(offCentre.y())));
    QCOMPARE(displayed(window), kExampleLines);
    QCOMPARE(part<QDateEdit>(window, "GDate").date(), QDate(2000, 6, 3));
    QCOMPARE(part<QTimeEdit>(window, "Time").time(), QTime(20, 3, 15));
    QCOMPARE(part<QCalendarWidget>(window, "MonthCalendar1").selectedDate(), QDate(2000, 6, 3));
    QCOMPARE(window.windowTitle(), QString("Vantrel"));
    QVERIFY(h.messages.errors.empty());
}

void MainWindowTests::viewSwitchesHideTheirPartsAndAreRememberedAfterARestart()
{
    MainWindowHarness h;
    {
        MainWindow& window = h.create();
        QVERIFY(showAndWait(window));
        QWidget* handle = part<QSplitter>(window, "Splitter1").handle(1);
        QVERIFY(handle->isVisible());
        const int displayHeight = part<QTextEdit>(window, "TDate").height();

        part<QAction>(window, "MonthlyCalendar1").trigger();
        QVERIFY(!part<QAction>(window, "MonthlyCalendar1").isChecked());
        QVERIFY(!part<QWidget>(window, "CalendarPanel").isVisible());
        QVERIFY2(!handle->isVisible(), "the splitter goes with the calendar");
        QTRY_VERIFY(part<QTextEdit>(window, "TDate").height() > displayHeight);

        part<QAction>(window, "ToolBars1").trigger();
        part<QAction>(window, "Statusbar2").trigger();
        QVERIFY(!part<QToolBar>(window, "DateTool").isVisible());
        QVERIFY(!window.statusBar()->isVisible());
        window.close();
    }
    // After a restart all three stay hidden, the splitter with the calendar.
    MainWindow& again = h.create();
    QVERIFY(showAndWait(again));
    QVERIFY(!part<QAction>(again, "MonthlyCalendar1").isChecked());
    QVERIFY(!part<QWidget>(again, "CalendarPanel").isVisible());
    QVERIFY(!part<QSplitter>(again, "Splitter1").handle(1)->isVisible());
    QVERIFY(!part<QToolBar>(again, "DateTool").isVisible());
    QVERIFY(!again.statusBar()->isVisible());

    // Showing the calendar again brings the splitter back.
    part<QAction>(again, "MonthlyCalendar1").trigger();
    QVERIFY(part<QWidget>(again, "CalendarPanel").isVisible());
    QVERIFY(part<QSplitter>(again, "Splitter1").handle(1)->isVisible());
}

void MainWindowTests::changingAPickerAsksForACalculation()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    QCOMPARE(displayed(window), kExampleLines);
    const std::size_t runs = h.runner.runs.size();

    part<QTimeEdit>(window, "Time").setTime(QTime(9, 30));
    QCOMPARE(part<QTextEdit>(window, "TDate").toPlainText(),
             QString("- Click Calculate Button to Compute -"));
    window.calculate();
    QCOMPARE(displayed(window).at(1), QString("Saturday, June 03, 2000 e.v. 9:30 AM"));

    part<QDateEdit>(window, "GDate").setDate(QDate(2000, 6, 4));
    QCOMPARE(part<QTextEdit>(window, "TDate").toPlainText(),
             QString("- Click Calculate Button to Compute -"));
    // Only the Calculate click ran the engine.
    QCOMPARE(h.runner.runs.size(), runs + 1);
}

void MainWindowTests::monthCalendarClickCalculatesThatDayAtThePickersTime()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    {
        const QSignalBlocker quiet(&part<QTimeEdit>(window, "Time"));
        part<QTimeEdit>(window, "Time").setTime(QTime(8, 15, 40));
    }
    const QDate clicked(2000, 6, 9);
    part<QCalendarWidget>(window, "MonthCalendar1").setSelectedDate(clicked);
    emit part<QCalendarWidget>(window, "MonthCalendar1").clicked(clicked);

    QCOMPARE(part<QDateEdit>(window, "GDate").date(), clicked);
    QCOMPARE(part<QTimeEdit>(window, "Time").time(), QTime(8, 15, 40));
    QCOMPARE(displayed(window).at(1), QString("Friday, June 09, 2000 e.v. 8:15 AM"));
    const std::string& commandFile = h.runner.runs.back().commandFile;
    QVERIFY2(commandFile.find("/qb 6 9 2000") != std::string::npos, commandFile.c_str());
}

void MainWindowTests::thePickersHoldOnlyTheDatesTheEngineComputes()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    auto& picker = part<QDateEdit>(window, "GDate");
    auto& calendar = part<QCalendarWidget>(window, "MonthCalendar1");
    QCOMPARE(picker.minimumDate(), QDate(1, 1, 1));
    QCOMPARE(picker.maximumDate(), QDate(3000, 12, 31));
    QCOMPARE(calendar.minimumDate(), picker.minimumDate());
    QCOMPARE(calendar.maximumDate(), picker.maximumDate());
    picker.setDate(QDate(3001, 1, 1));
    QCOMPARE(picker.date(), QDate(3000, 12, 31));
}

void MainWindowTests::nextTipMovesTwoEntriesOn_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("two entries keep showing one") << 2;
    QTest::newRow("three entries visit all") << 3;
    QTest::newRow("five entries") << 5;
}

void MainWindowTests::nextTipMovesTwoEntriesOn()
{
    QFETCH(int, count);
    MainWindowHarness h;
    std::string tips;
    for (int i = 0; i < count; ++i)
        tips += "tip " + std::to_string(i) + "\r\n";
    h.write("tips.txt", tips);
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    vantrel::ui::TipDialog* dialog = window.tipDialog();
    QVERIFY(dialog != nullptr);
    QCOMPARE(static_cast<int>(dialog->tipList().size()), count);

    int expected = dialog->currentTip();
    QVERIFY(expected >= 0 && expected < count);
    for (int press = 0; press < 2 * count; ++press) {
        QTest::mouseClick(&part<QPushButton>(*dialog, "NextButton"), Qt::LeftButton);
        expected = (expected + 2) % count;
        QCOMPARE(dialog->currentTip(), expected);
        QCOMPARE(part<QLabel>(*dialog, "TipLabel").text(), QString("tip %1").arg(expected));
    }
}

void MainWindowTests::verseOfTheDayOpensTheDialogAndSavesTheTipFlagAsOn()
{
    MainWindowHarness h;
    h.write("Vantrel.ini", "[vantrel]\r\nTOTD=0\r\nVOD=1\r\n");
    h.write("verses.txt", "The only verse\r\n");
    h.write("tips.txt", "A tip\r\n");
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    QVERIFY(window.tipDialog() != nullptr);
    QCOMPARE(part<QLabel>(*window.tipDialog(), "TipLabel").text(), QString("The only verse"));
    QVERIFY(part<QCheckBox>(*window.tipDialog(), "ShowTips").isChecked());
    window.close();

    const vantrel::core::MainWindowLayout saved =
        vantrel::core::SettingsFile(h.settingsFile).readLayout();
    QVERIFY(saved.showOnStartup);
    QVERIFY(saved.verseOfDay);
}

void MainWindowTests::verseOfTheDayWithoutVersesOpensNoDialog()
{
    MainWindowHarness h;
    h.write("Vantrel.ini", "[vantrel]\r\nVOD=1\r\n");
    h.write("tips.txt", "A tip\r\n");
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    QVERIFY(window.tipDialog() == nullptr);
    QCOMPARE(displayed(window), kExampleLines);
}

void MainWindowTests::aSettingsFileThatCannotBeWrittenDoesNotKeepTheWindowOpen()
{
    // GIVEN a settings file whose folder is a plain file (unwritable even for root)
    MainWindowHarness h;
    h.write("not-a-folder", "x");
    h.settingsFile = h.dir.path() / "not-a-folder" / "Vantrel.ini";
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    QSignalSpy finished(&window, &MainWindow::finished);
    // WHEN the user closes the window
    window.close();
    // THEN the failure is reported once and the window closes all the same
    QCOMPARE(h.messages.errors.size(), std::size_t{1});
    QCOMPARE(h.messages.errors.front(), "Unable to write to " + h.settingsFile.string());
    QVERIFY(!window.isVisible());
    QCOMPARE(finished.count(), 1);
}

void MainWindowTests::trayExitEndsWithoutSavingTheLayout()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    QSignalSpy finished(&window, &MainWindow::finished);
    window.move(200, 150);
    part<QAction>(window, "Exit2").trigger();
    QCOMPARE(finished.count(), 1);
    QVERIFY(!std::filesystem::exists(h.settingsFile));

    // The menu's "&Exit" does save, with the new place.
    MainWindow& again = h.create();
    QVERIFY(showAndWait(again));
    again.move(200, 150);
    part<QAction>(again, "Exit1").trigger();
    const vantrel::core::MainWindowLayout saved =
        vantrel::core::SettingsFile(h.settingsFile).readLayout();
    QCOMPARE(saved.left, 200);
    QCOMPARE(saved.top, 150);
    QCOMPARE(saved.clientWidth, 400);
    QCOMPARE(saved.clientHeight, 315);
}

void MainWindowTests::whileAnEngineProgramRunsTheWindowAnswersAndEscapeStopsIt()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    const std::size_t runsBefore = h.runner.runs.size();
    h.runner.pollsWhileRunning = 1000;  // five seconds, unless stopped
    bool answered = false;
    bool waitCursor = false;
    QTimer::singleShot(100, &window, [&] {
        answered = true;
        waitCursor = QApplication::overrideCursor() &&
                     QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        // A click on Calculate meanwhile starts no second calculation; Escape ends the run.
        QTest::mouseClick(&part<QToolButton>(window, "CalcButton"), Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    QElapsedTimer clock;
    clock.start();
    part<QAction>(window, "Calculate1").trigger();
    QVERIFY(answered);
    QVERIFY(waitCursor);
    QCOMPARE(h.runner.runs.size(), runsBefore + 1);
    QVERIFY2(clock.elapsed() < 3000, "Escape stopped the run");
    QCOMPARE(part<QLabel>(window, "StatusPanel").text(),
             QStringLiteral("Stopped: the chart engine was stopped"));
    QTRY_VERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(h.messages.errors.empty());
}

void MainWindowTests::singleArgumentCopiesTheDisplayAndEnds_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("x: the date for now") << "x" << kExampleLines.join("\n");
    QTest::newRow("X: an empty text") << "X" << QString();
    QTest::newRow("any other word: an empty text") << "today" << QString();
}

void MainWindowTests::singleArgumentCopiesTheDisplayAndEnds()
{
    QFETCH(QString, argument);
    QFETCH(QString, clipboard);
    MainWindowHarness h;
    h.write("tips.txt", "A tip\r\n");
    MainWindow& window = h.create({argument});
    QSignalSpy finished(&window, &MainWindow::finished);
    QVERIFY(showAndWait(window));
    QCOMPARE(finished.count(), 1);
    QVERIFY(!window.isVisible());
    QVERIFY2(window.tipDialog() == nullptr, "no dialog in the command-line modes");
    QVERIFY(h.clipboard.text.has_value());
    QString copied = QString::fromStdString(*h.clipboard.text);
    copied.replace("\r\n", "\n");
    QCOMPARE(copied, clipboard);
}

QTEST_MAIN(MainWindowTests)
#include "main_window_test.moc"
