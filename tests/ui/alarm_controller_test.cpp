// The alarm's arming and check and the live mode, driven through the main window's controls
// over fake ports and the listings of 3 June 2000 (sunrise 5:26 AM, sunset 8:52 PM).

#include "ui/alarm_controller.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

#include "core/ports/date_display.h"
#include "tests/ui/find_part.h"
#include "tests/ui/main_window_harness.h"
#include "ui/hours_window.h"

using vantrel::testing::HoursHarness;
using vantrel::testing::part;

class AlarmControllerTest : public QObject {
    Q_OBJECT

private slots:
    void armingRunsTheHoursHiddenAndHidesTheWindows();
    void checkSoundsTheSunsetAndWritesTheStatusBar();
    void withoutAudioArmingSaysSoOnceAndAlarmsStillShow();
    void animationStepsAtOnceAndMaximizesTheWheel();
};

void AlarmControllerTest::armingRunsTheHoursHiddenAndHidesTheWindows()
{
    HoursHarness h;
    h.main.write("sun.wav", "RIFF");
    part<QToolButton>(h.window, "HoursButton").click();
    h.data.show();
    h.wheel.show();
    QVERIFY(h.hours.isVisible());

    part<QToolButton>(h.window, "AlarmButton").click();
    QVERIFY(h.main.messages.errors.empty());
    QVERIFY(part<QAction>(h.window, "Alarm1").isChecked());
    QVERIFY(part<QTimer>(h.window, "Timer1").isActive());
    QCOMPARE(part<QTimer>(h.window, "Timer1").interval(), 1000);
    QVERIFY(!h.hours.isVisible());
    QVERIFY(!h.data.isVisible());
    QVERIFY(!h.wheel.isVisible());
    QVERIFY(h.displayEndsWith("Alarm activated ..."));
    QCOMPARE(h.sound.asyncPlayed.size(), std::size_t(1));
    QVERIFY(h.sound.asyncPlayed[0].ends_with("sun.wav"));
    // 24 hours plus the two listings' lines, month, day and hour zero-filled.
    QVERIFY(
        h.window.alarmList().contains("(Sat) 06/03/2000 05:26am     Sun (Gem) rises   at  54:40'"));

    part<QAction>(h.window, "Alarm1").trigger();
    QVERIFY(!part<QAction>(h.window, "Alarm1").isChecked());
    QVERIFY(!part<QTimer>(h.window, "Timer1").isActive());
}

void AlarmControllerTest::checkSoundsTheSunsetAndWritesTheStatusBar()
{
    HoursHarness h;
    h.main.write("sun_sets.wav", "RIFF");
    part<QToolButton>(h.window, "AlarmButton").click();
    h.main.clock.set(vantrel::testing::localDateTime(2000, 6, 3, 20, 52, 5));
    h.controller.checkAlarm();

    QCOMPARE(part<QLabel>(h.window, "StatusPanel").text(),
             QString("Alarm is active. Current Time/Date: 6/3/2000 8:52:05 PM"));
    QVERIFY(h.displayEndsWith(
        "(Sat) 06/03/2000 08:52pm     Sun (Gem) sets    at 305:20' sun_sets.wav"));
    QCOMPARE(h.sound.played.size(), std::size_t(1));
    QVERIFY(h.sound.played[0].ends_with("sun_sets.wav"));
    // The Mercury hour of the same minute stays silent: its choice is off.
    QVERIFY(!part<QTextEdit>(h.window, "TDate").toPlainText().contains("Mercury"));
}

void AlarmControllerTest::withoutAudioArmingSaysSoOnceAndAlarmsStillShow()
{
    HoursHarness h;
    h.sound.heard = false;
    auto& display = part<QTextEdit>(h.window, "TDate");
    part<QToolButton>(h.window, "AlarmButton").click();
    QVERIFY(
        h.displayEndsWith("Alarm activated ... (no audio output: alarms are shown, not heard)"));
    QCOMPARE(h.window.statusBar()->currentMessage(),
             QString("No audio output: alarms are shown, not heard"));

    h.main.clock.set(vantrel::testing::localDateTime(2000, 6, 3, 20, 52, 5));
    h.controller.checkAlarm();
    const QString alarmLine =
        "(Sat) 06/03/2000 08:52pm     Sun (Gem) sets    at 305:20' sun_sets.wav";
    QVERIFY(h.displayEndsWith(alarmLine));
    QCOMPARE(display.toPlainText().count("no audio output"), 1);

    // The notice is the window's, not the text's: the clipboard, Copy and the letter take the
    // lines without it, the alarm's line after it included.
    const QString copiedEnd = "Alarm activated ...\n" + alarmLine;
    part<QToolButton>(h.window, "ClipButton").click();
    QVERIFY(QString::fromStdString(*h.main.clipboard.text).endsWith(copiedEnd));
    display.selectAll();
    part<QAction>(h.window, "Copy2").trigger();
    QVERIFY(QString::fromStdString(*h.main.clipboard.text).endsWith(copiedEnd));
    QVERIFY(h.main.clipboard.html->find("no audio") == std::string::npos);
    h.window.dateDisplay().copyAllAsRichText();
    QVERIFY(QString::fromStdString(*h.main.clipboard.text).endsWith(copiedEnd));
    QVERIFY(h.main.clipboard.html->find("no audio") == std::string::npos);

    // Switched off, the alarm leaves nothing in the status bar. The next date is plain text,
    // even with the caret right after the notice.
    part<QToolButton>(h.window, "AlarmButton").click();
    QCOMPARE(part<QLabel>(h.window, "StatusPanel").text(), QString());
    QCOMPARE(h.window.statusBar()->currentMessage(), QString());
    QTextCursor caret = display.document()->find("not heard)");
    caret.clearSelection();
    display.setTextCursor(caret);
    part<QToolButton>(h.window, "CalcButton").click();
    part<QToolButton>(h.window, "ClipButton").click();
    QCOMPARE(QString::fromStdString(*h.main.clipboard.text), display.toPlainText());
}

void AlarmControllerTest::animationStepsAtOnceAndMaximizesTheWheel()
{
    HoursHarness h;
    const std::size_t runsBefore = h.main.runner.runs.size();
    h.main.clock.set(vantrel::testing::localDateTime(2000, 6, 3, 21, 30, 0));
    part<QAction>(h.window, "Animate1").trigger();
    QVERIFY(part<QTimer>(h.window, "Timer2").isActive());
    QCOMPARE(part<QTimer>(h.window, "Timer2").interval(), 60000);
    QVERIFY(part<QAction>(h.window, "Animate1").isChecked());
    QVERIFY(h.wheel.windowState() & Qt::WindowMaximized);
    QVERIFY(h.main.runner.runs.size() > runsBefore);
    QCOMPARE(part<QTimeEdit>(h.window, "Time").time(), QTime(21, 30, 0));
    QVERIFY(QApplication::overrideCursor() == nullptr);

    part<QAction>(h.window, "Animate1").trigger();
    QVERIFY(!part<QTimer>(h.window, "Timer2").isActive());
    QVERIFY(!part<QAction>(h.window, "Animate1").isChecked());
    QVERIFY(h.wheel.windowState() & Qt::WindowMaximized);
}

QTEST_MAIN(AlarmControllerTest)
#include "alarm_controller_test.moc"
