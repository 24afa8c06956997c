// The main window's commands beside the calculation: verses, greetings and the tray's date,
// the date display's copy, minimising with and without a tray, the web links, the menus, and
// the commands that other windows carry out.

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>

#include "core/common/error.h"
#include "core/texts/verse_commands.h"
#include "tests/ui/find_part.h"
#include "tests/ui/keyboard_walk.h"
#include "tests/ui/main_window_harness.h"
#include "ui/tip_dialog.h"

using vantrel::testing::MainWindowHarness;
using vantrel::testing::part;
using vantrel::testing::showAndWait;
using vantrel::testing::tabRound;
using vantrel::testing::TempDir;
using vantrel::testing::writeWholeFile;
using vantrel::ui::MainWindow;

namespace {

// A menu as the user reads it: its shown entries' captions, "-" for a separator, and a
// submenu's entries after its caption, indented.
QStringList menuText(const QMenu& menu, const QString& indent = {})
{
    QStringList lines;
    for (const QAction* action : menu.actions()) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator()) {
            lines << indent + "-";
            continue;
        }
        lines << indent + action->text();
        if (const QMenu* sub = action->menu())
            lines << menuText(*sub, indent + "  ");
    }
    return lines;
}

}  // namespace

class MainCommandsTests : public QObject {
    Q_OBJECT

private slots:
    void randomVerseReplacesTheDisplay();
    void randomVerseWithoutVersesLeavesTheDisplay();
    void quotesGoToTheBalloonAndTheClipboard();
    void lawPutsBothGreetingLinesOnTheClipboard();
    void trayDateBalloon_data();
    void trayDateBalloon();
    void trayClipboardDateCopiesTheDateForNow();
    void nowUnderThePlacesZoneIsThePlacesOwnTime();
    void copyPutsTheSelectionWithItsFormatting();
    void shortcutsRunTheMenuCommands();
    void screenReadersHearEveryControlInLayoutOrder();
    void minimisingWithoutATrayKeepsTheWindowReachable();
    void minimisingWithATrayHidesTheProgramUntilRestored();
    void helpAndWebLinksOpenThroughTheShell();
    void commandsOfOtherWindowsRunThroughTheirHooks();
    void menusToolBarAndTrayCarryTheirCaptionsInOrder();
    void everyToolButtonShowsAtTheDefaultWidth();
    void trayCommandsJoinTheMenusWhileThereIsNoTray();
};

void MainCommandsTests::randomVerseReplacesTheDisplay()
{
    MainWindowHarness h;
    h.write("verses.txt", "Every man and every woman is a star.\r\n");
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    part<QToolButton>(window, "VerseButton").click();
    QCOMPARE(part<QTextEdit>(window, "TDate").toPlainText(),
             QString("Every man and every woman is a star."));
}

void MainCommandsTests::randomVerseWithoutVersesLeavesTheDisplay()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    const QString before = part<QTextEdit>(window, "TDate").toPlainText();
    part<QAction>(window, "RandomVerse1").trigger();
    QCOMPARE(part<QTextEdit>(window, "TDate").toPlainText(), before);
    // An empty file gives nothing either.
    h.write("verses.txt", "");
    part<QAction>(window, "RandomVerse1").trigger();
    QCOMPARE(part<QTextEdit>(window, "TDate").toPlainText(), before);
    QVERIFY(h.messages.errors.empty());
}

void MainCommandsTests::quotesGoToTheBalloonAndTheClipboard()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    part<QAction>(window, "Quote1").trigger();
    part<QAction>(window, "Quote2").trigger();
    QVERIFY2(h.tray.balloons.empty(), "no verses file: no balloon");
    QVERIFY(!h.clipboard.text.has_value());

    h.write("verses.txt", "Love is the law\r\n");
    part<QAction>(window, "Quote1").trigger();
    QCOMPARE(h.tray.balloons.size(), std::size_t{1});
    QCOMPARE(h.tray.balloons[0].title, std::string());
    QCOMPARE(h.tray.balloons[0].text, std::string("Love is the law"));
    part<QAction>(window, "Quote2").trigger();
    QCOMPARE(h.clipboard.text.value_or("-"), std::string("Love is the law"));
}

void MainCommandsTests::lawPutsBothGreetingLinesOnTheClipboard()
{
    MainWindowHarness h;
    h.settings.greetings = false;
    MainWindow& window = h.create();
    part<QAction>(window, "Law1").trigger();
    QCOMPARE(h.clipboard.text.value_or("-"),
             std::string("Do what thou wilt shall be the whole of the Law.\r\n"
                         "Love is the law, love under will."));
}

void MainCommandsTests::trayDateBalloon_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("one line: no title")
        << 0 << QString()
        << "Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii Saturday, June 03, 2000 e.v. "
           "8:03 PM";
    QTest::newRow("two lines: the first is the title")
        << 1 << "Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii"
        << "Saturday, June 03, 2000 e.v. 8:03 PM";
}

void MainCommandsTests::trayDateBalloon()
{
    QFETCH(int, lines);
    QFETCH(QString, title);
    QFETCH(QString, text);
    MainWindowHarness h;
    h.settings.lineCount = vantrel::core::choiceFromIndex<vantrel::core::LineCount>(lines);
    MainWindow& window = h.create();
    // Wide enough that no line wraps.
    window.resize(1200, 400);
    QVERIFY(showAndWait(window));
    h.clock.set(vantrel::testing::exampleMoment());
    part<QAction>(window, "Query1").trigger();
    QCOMPARE(h.tray.balloons.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(h.tray.balloons[0].title), title);
    QCOMPARE(QString::fromStdString(h.tray.balloons[0].text), text);
}

void MainCommandsTests::trayClipboardDateCopiesTheDateForNow()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    // Another moment on the clock: the command sets the pickers to it first.
    h.clock.set(vantrel::testing::localDateTime(2000, 6, 3, 21, 0, 0));
    part<QAction>(window, "Date1").trigger();
    QCOMPARE(part<QTimeEdit>(window, "Time").time(), QTime(21, 0));
    QString copied = QString::fromStdString(h.clipboard.text.value_or("-"));
    copied.replace("\r\n", "\n");
    QCOMPARE(copied, QString("Anno IVviii Sol in Gemini, Luna in Leo Dies Saturnii\n"
                             "Saturday, June 03, 2000 e.v. 9:00 PM"));
}

void MainCommandsTests::nowUnderThePlacesZoneIsThePlacesOwnTime()
{
    MainWindowHarness h;
    h.settings.timeMode = vantrel::core::TimeMode::PlaceZone;
    h.settings.zoneName = "Australia/Melbourne";
    h.zoneRules.zones["Australia/Melbourne"] = {-600, 0};
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    // 21:00 in Minnesota's standard time is 13:00 the next day in Melbourne's winter.
    h.clock.set(vantrel::testing::localDateTime(2000, 6, 3, 21, 0, 0));
    part<QAction>(window, "Now1").trigger();
    QCOMPARE(part<QDateEdit>(window, "GDate").date(), QDate(2000, 6, 4));
    QCOMPARE(part<QTimeEdit>(window, "Time").time(), QTime(13, 0));
}

void MainCommandsTests::copyPutsTheSelectionWithItsFormatting()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto& display = part<QTextEdit>(window, "TDate");
    auto& copy = part<QAction>(window, "Copy2");
    // The window opens with the date in focus; the date picker has nothing selected.
    QCOMPARE(QApplication::focusWidget(), &display);
    QVERIFY(part<QDateEdit>(window, "GDate").findChild<QLineEdit*>()->selectedText().isEmpty());
    QVERIFY2(!copy.isEnabled(), "nothing selected, nothing to copy");

    QTest::keySequence(&display, QKeySequence::SelectAll);
    QVERIFY(copy.isEnabled());
    QTest::keySequence(&display, QKeySequence::Copy);
    QCOMPARE(h.clipboard.writes, 1);
    QCOMPARE(QString::fromStdString(h.clipboard.text.value_or("")), display.toPlainText());
    QVERIFY(h.clipboard.html.has_value());
    QVERIFY(h.clipboard.html->find("Sol in Gemini") != std::string::npos);

    window.calculate();
    QVERIFY2(!copy.isEnabled(), "a new date has nothing selected");
}

void MainCommandsTests::shortcutsRunTheMenuCommands()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    int optionsShown = 0;
    vantrel::ui::MainWindowHooks hooks;
    hooks.showOptions = [&] { ++optionsShown; };
    window.setHooks(hooks);
    QVERIFY(showAndWait(window));
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const std::size_t runs = h.runner.runs.size();

    // Each key belongs to its menu entry, which shows it.
    QTest::keyClick(&window, Qt::Key_F5);
    QVERIFY(h.runner.runs.size() > runs);
    h.write("vantrel.html", "<html>");
    QTest::keyClick(&window, Qt::Key_F1);
    QCOMPARE(h.shell.opened, std::vector<std::string>{(h.dir.path() / "vantrel.html").string()});
    QTest::keyClick(&window, Qt::Key_Comma, Qt::ControlModifier);
    QCOMPARE(optionsShown, 1);
    QSignalSpy finished(&window, &MainWindow::finished);
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(finished.count(), 1);
    QVERIFY2(std::filesystem::exists(h.settingsFile), "Ctrl+Q closes as Exit does, saving");
}

void MainCommandsTests::screenReadersHearEveryControlInLayoutOrder()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    vantrel::ui::MainWindowHooks hooks;
    hooks.showDataWindow = hooks.showPlanetaryHours = hooks.toggleAlarm = hooks.showOptions = [] {};
    window.setHooks(hooks);
    QVERIFY(showAndWait(window));
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // Each control once, in layout order, with its name.
    const QStringList heard = tabRound(window, part<QDateEdit>(window, "GDate"));
    QCOMPARE(heard, (QStringList{"GDate: Date", "Time: Time",
                                 "CalcButton: Calculate using displayed information",
                                 "NowButton: Set Date/Time to \"Now\" and Calculate",
                                 "ClipButton: Copy Thelemic Date to clipboard",
                                 "AstroButton: Display Astrolog program output",
                                 "HoursButton: Display Planetary Hours",
                                 "FormattingOptions1: Program Options", "AlarmButton: Start Alarm",
                                 "VerseButton: Random Verse",
                                 "MonthCalendar1: ", "TDate: Thelemic date"}));
}

void MainCommandsTests::minimisingWithoutATrayKeepsTheWindowReachable()
{
    MainWindowHarness h;
    h.hasTray = false;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    window.showMinimized();
    QTest::qWait(50);
    // Hidden, it could never come back: there is no tray icon to click.
    QVERIFY(window.isVisible());
    QVERIFY(window.isMinimized());
}

void MainCommandsTests::minimisingWithATrayHidesTheProgramUntilRestored()
{
    MainWindowHarness h;
    h.write("tips.txt", "A tip\r\n");
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    QVERIFY(window.tipDialog() != nullptr);
    QWidget* tip = window.tipDialog();
    // The panel with the tray comes up after the program.
    h.hasTray = true;
    const auto& icon = part<QSystemTrayIcon>(window, "NotificationIcon1");
    QVERIFY(!icon.isVisible());
    QMainWindow outputWindow;
    outputWindow.show();
    // The tray icon's own window, as Qt makes it on X11: a plain top-level widget.
    QWidget trayIconWindow(nullptr, Qt::Window | Qt::FramelessWindowHint);
    trayIconWindow.show();

    window.showMinimized();
    QTRY_VERIFY(!window.isVisible());
    QVERIFY(!tip->isVisible());
    QVERIFY(!outputWindow.isVisible());
    QVERIFY2(trayIconWindow.isVisible(), "the tray icon is the road back");
    QVERIFY(icon.isVisible());

    window.restoreFromTray();
    QVERIFY(window.isVisible());
    QVERIFY(!window.isMinimized());
    QVERIFY(tip->isVisible());
    QVERIFY(outputWindow.isVisible());
}

void MainCommandsTests::helpAndWebLinksOpenThroughTheShell()
{
    MainWindowHarness h;
    TempDir installed;
    h.dataDir = installed.path();
    writeWholeFile(installed.path() / "vantrel.html", "<html>");
    MainWindow& window = h.create();
    part<QAction>(window, "Help2").trigger();
    h.write("vantrel.html", "<html>");  // the user's own copy wins
    part<QAction>(window, "Help2").trigger();
    QCOMPARE(h.shell.opened, (std::vector<std::string>{(installed.path() / "vantrel.html").string(),
                                                       (h.dir.path() / "vantrel.html").string()}));
    QVERIFY(h.messages.messages.empty());
    // Help (F1) on a desktop without a browser says so, and where the page is.
    h.shell.noHandler = true;
    part<QAction>(window, "Help2").trigger();
    QCOMPARE(h.messages.messages, std::vector<std::string>{vantrel::ui::helpWithoutBrowserMessage(
                                      (h.dir.path() / "vantrel.html").string())});
    h.shell.noHandler = false;
    h.shell.opened.clear();

    QStringList captions;
    for (QAction* entry : part<QMenu>(window, "Web1").actions()) {
        captions << entry->text();
        if (!entry->menu())
            entry->trigger();
    }
    QCOMPARE(captions, (QStringList{"Vantrel &Home Page", "Muslim Salat Times", "Naval Observatory",
                                    "O.T.O.", "Other Software"}));
    QCOMPARE(part<QMenu>(window, "Web1").actions()[1]->toolTip(),
             QString("Source for Longitude and Latitudes"));
    QCOMPARE(part<QMenu>(window, "Web1").actions()[2]->toolTip(),
             QString(" Astronomical Applications Data Services"));
    QCOMPARE(h.shell.opened.size(), std::size_t{4});
    QCOMPARE(h.shell.opened[0], (h.dir.path() / "vantrel.html").string());
    for (std::size_t i = 1; i < h.shell.opened.size(); ++i)
        QVERIFY2(h.shell.opened[i].rfind("https://", 0) == 0, h.shell.opened[i].c_str());
}

void MainCommandsTests::commandsOfOtherWindowsRunThroughTheirHooks()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(!part<QAction>(window, "Batch1").isEnabled());
    QVERIFY(!part<QToolButton>(window, "AlarmButton").isEnabled());

    QStringList calls;
    vantrel::ui::MainWindowHooks hooks;
    hooks.askAndConvertBatch = [&] { calls << "batch"; };
    hooks.toggleAlarm = [&] {
        calls << "alarm";
        part<QAction>(window, "Alarm1").setChecked(!part<QAction>(window, "Alarm1").isChecked());
    };
    hooks.showOptions = [&] { calls << "options"; };
    hooks.insertLetter = [&] { throw vantrel::core::VantrelError("Cannot open file x"); };
    window.setHooks(hooks);
    QVERIFY(part<QAction>(window, "Batch1").isEnabled());

    part<QAction>(window, "Batch1").trigger();
    part<QAction>(window, "Alarm1").trigger();
    QVERIFY2(part<QAction>(window, "Alarm1").isChecked(), "the command's own flip is the only one");
    part<QToolButton>(window, "AlarmButton").click();
    QVERIFY(!part<QAction>(window, "Alarm1").isChecked());
    part<QToolButton>(window, "FormattingOptions1").click();
    part<QAction>(window, "WordDocument1").trigger();
    QCOMPARE(calls, (QStringList{"batch", "alarm", "alarm", "options"}));
    QCOMPARE(h.messages.errors, std::vector<std::string>{"Cannot open file x"});
}

void MainCommandsTests::menusToolBarAndTrayCarryTheirCaptionsInOrder()
{
    MainWindowHarness h;
    h.hasTray = true;
    MainWindow& window = h.create();

    QStringList bar;
    for (const QAction* action : window.menuBar()->actions())
        bar << action->text() << menuText(*action->menu(), "  ");
    // The entries in menu order.
    const QStringList expectedBar =
        QStringList{"&File", "  &Calculate", "  &Now", "  &Batch...", "  &Exit"} +
        QStringList{"&Edit", "  Copy to clipboard", "  Letter in Writer"} +
        QStringList{"&View", "  &Astrolog data window", "  &Planetary hours chart", "  The &Year"} +
        QStringList{"  &Tool bar", "  &Status bar", "  &Monthly calendar", "  -",
                    "  Random Verse"} +
        QStringList{"&Options", "  Program options", "  Activate alarm", "  Animate",
                    "  Edit &feasts..."} +
        QStringList{"&Help", "  Help", "  &About", "  &Web"} +
        QStringList{"    Vantrel &Home Page", "    Muslim Salat Times", "    Naval Observatory"} +
        QStringList{"    O.T.O.", "    Other Software"} +
        QStringList{"      Astrolog", "      ICE (Interactive Computer Almanac Software)"};
    QCOMPARE(bar, expectedBar);
    for (const char* name : {"ToolBars1", "Statusbar2", "MonthlyCalendar1", "Alarm1", "Animate1"})
        QVERIFY2(part<QAction>(window, name).isCheckable(), name);

    QStringList hints;
    for (const QToolButton* button :
         part<QToolBar>(window, "DateTool").findChildren<QToolButton*>()) {
        if (!button->toolTip().isEmpty())
            hints << button->toolTip();
    }
    QCOMPARE(part<QToolBar>(window, "DateTool").windowTitle(), QString("Date tool"));
    QCOMPARE(hints, (QStringList{"Calculate using displayed information",
                                 "Set Date/Time to \"Now\" and Calculate",
                                 "Copy Thelemic Date to clipboard",
                                 "Display Astrolog program output", "Display Planetary Hours",
                                 "Program Options", "Start Alarm", "Random Verse"}));

    QCOMPARE(menuText(part<QMenu>(window, "TrayMenu")),
             (QStringList{"Date", "Quote", "Letter in Writer", "ClipBoard", "  Quote", "  Date",
                          "  Law", "-", "&Web", "  Vantrel &Home Page", "  Muslim Salat Times",
                          "  Naval Observatory", "  O.T.O.", "Restore", "Exit"}));
}

void MainCommandsTests::everyToolButtonShowsAtTheDefaultWidth()
{
    MainWindowHarness h;
    MainWindow& window = h.create();
    QVERIFY(showAndWait(window));
    QCOMPARE(window.width(), 400);
    const auto& toolBar = part<QToolBar>(window, "DateTool");
    QStringList hidden;
    for (const QToolButton* button : toolBar.findChildren<QToolButton*>()) {
        const bool overflow = button->objectName() == "qt_toolbar_ext_button";
        if (button->isVisible() == overflow)
            hidden << (overflow ? "the overflow chevron shows" : button->toolTip());
    }
    QVERIFY2(hidden.isEmpty(), qPrintable(hidden.join(", ")));

    // At the narrowest, the overflow button shows whole.
    window.resize(1, window.height());
    const auto& overflow = *toolBar.findChild<QToolButton*>("qt_toolbar_ext_button");
    QTRY_VERIFY(overflow.isVisible());
    QVERIFY(toolBar.rect().contains(overflow.geometry()));
}

void MainCommandsTests::trayCommandsJoinTheMenusWhileThereIsNoTray()
{

    MainWindowHarness h;
    h.write("verses.txt", "Love is the law\r\n");
    MainWindow& window = h.create();
    QMenu& edit = *window.menuBar()->actions()[1]->menu();
    QMenu& view = *window.menuBar()->actions()[2]->menu();
    const QStringList traylessEdit{"Copy to clipboard", "Letter in Writer", "-",    "ClipBoard",
                                   "  Quote",           "  Date",           "  Law"};
    const QStringList traylessViewEnd{"Random Verse", "-", "Quote Pop-up", "Date Pop-up"};
    QCOMPARE(menuText(edit), traylessEdit);
    QCOMPARE(menuText(view).mid(7), traylessViewEnd);

    // The menu entries run the tray's commands.
    part<QAction>(window, "Law2").trigger();
    QCOMPARE(h.clipboard.text.value_or("-"), vantrel::core::lawText());
    part<QAction>(window, "Quote4").trigger();
    QCOMPARE(h.tray.balloons.size(), std::size_t{1});
    QCOMPARE(h.tray.balloons[0].text, std::string("Love is the law"));

    // A tray that comes up (a panel started after the program) gets the icon and takes the
    // commands back, and a tray that goes gives them back, menus unopened.
    const auto& icon = part<QSystemTrayIcon>(window, "NotificationIcon1");
    QVERIFY(!icon.isVisible());
    h.hasTray = true;
    QTRY_VERIFY(icon.isVisible());
    QCOMPARE(menuText(edit), traylessEdit.mid(0, 2));
    QCOMPARE(menuText(view).mid(7), traylessViewEnd.mid(0, 1));
    h.hasTray = false;
    QTRY_VERIFY(!icon.isVisible());
    QCOMPARE(menuText(edit), traylessEdit);
}

QTEST_MAIN(MainCommandsTests)
#include "main_window_commands_test.moc"
