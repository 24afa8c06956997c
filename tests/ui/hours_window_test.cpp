// The planetary-hours window and command, the alarm's arming and check through the main
// window's controls, and the live mode, over fake ports and the listings of 3 June 2000
// (sunrise 5:26 AM, sunset 8:52 PM, next sunrise 5:25 AM).

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

#include "platform/qt_sound.h"
#include "tests/ui/find_part.h"
#include "tests/ui/main_window_harness.h"
#include "ui/alarm_controller.h"
#include "ui/hours_window.h"

using vantrel::testing::FakeProcessRunner;
using vantrel::testing::FakeSound;
using vantrel::testing::MainWindowHarness;
using vantrel::testing::part;
using vantrel::ui::AlarmController;
using vantrel::ui::TPhours;
using vantrel::ui::TVantrel;

namespace {

// A main window with the hours window and the alarm wired to it.
struct HoursHarness {
    MainWindowHarness main;
    FakeSound sound;
    TVantrel& window = main.create();
    TPhours hours{main.messages};
    QWidget wheel;
    QWidget data;
    AlarmController controller{window, hours, &sound, &data, &wheel};

    HoursHarness()
    {
        vantrel::testing::connectCommands(window, controller);
        window.move(40, 30);
        window.show();
        QApplication::processEvents();
    }

    bool displayEndsWith(const QString& line) const
    {
        return part<QTextEdit>(window, "TDate").toPlainText().split('\n').constLast() == line;
    }
};

} // namespace

class HoursWindowTests : public QObject {
    Q_OBJECT

  private slots:
    void hoursCommandFillsTheWindowBesideTheMainWindow();
    void hoursCommandAddsEachHourOnce();
    void savingWritesTheHoursListWithCrLf();
    void suppressedWindowIsBuiltButNotShownOnce();
    void dayWithoutSunriseShowsNoHoursAndAddsNoEntries();
    void armingRunsTheHoursHiddenAndHidesTheWindows();
    void checkSoundsTheSunsetAndWritesTheStatusBar();
    void animationStepsAtOnceAndMaximizesTheWheel();
    void soundsNeverWaitAndSkipWhileOnePlays();
};

void HoursWindowTests::hoursCommandFillsTheWindowBesideTheMainWindow()
{
    HoursHarness h;
    part<QToolButton>(h.window, "HoursButton").click();

    QVERIFY(h.main.messages.errors.empty());
    QVERIFY(h.hours.isVisible());
    const QStringList lines = h.hours.hoursLines();
    QCOMPARE(lines.size(), 27);
    QVERIFY(lines[0].startsWith("Sunrise Saturday, June 03, 2000"));
    QVERIFY(lines[0].endsWith(' '));
    QCOMPARE(lines[1], QString("5:26 AM Saturn"));
    QCOMPARE(lines[2], QString("6:43 AM Jupiter")); // 5:26 + 15:26 / 12
    QCOMPARE(lines[13], QString(" "));
    QVERIFY(lines[14].startsWith("Sunset Saturday, June 03, 2000"));
    QVERIFY(lines[14].endsWith(' '));
    QCOMPARE(lines[15], QString("8:52 PM Mercury"));
    QCOMPARE(h.hours.sunMoonLines()[1], QString("Sun    Rise 5:26 AM"));
    QCOMPARE(h.hours.sunMoonLines()[8], QString("Moon    Set 10:31 PM"));
    QCOMPARE(h.hours.statusBar()->currentMessage(),
             QString("Hours of Light 15:26  Hours of Darkness 8:33"));
    QCOMPARE(h.hours.windowTitle(), "Planetary Hours " + h.window.windowTitle());
    QCOMPARE(part<QTableWidget>(h.hours, "SuperGrid1").item(12, 3)->text(), QString("Mars"));
    QVERIFY(!part<QTableWidget>(h.hours, "SuperGrid1").isVisible());

    const QRect mainFrame = h.window.frameGeometry();
    QCOMPARE(h.hours.frameGeometry().topLeft(),
             QPoint(mainFrame.x() + mainFrame.width() + 2, mainFrame.y()));
}

void HoursWindowTests::hoursCommandAddsEachHourOnce()
{
    HoursHarness h;
    part<QToolButton>(h.window, "HoursButton").click();
    QCOMPARE(h.window.AlarmList().size(), std::size_t(24));
    QVERIFY(h.window.AlarmList().contains("      06/03/2000 06:43am Jupiter       Hour"));
    // Night hour 6: 8:52 PM + 5 x 42:45.
    QVERIFY(h.window.AlarmList().contains("      06/04/2000 12:25am Sun           Hour"));
    part<QToolButton>(h.window, "HoursButton").click();
    QCOMPARE(h.window.AlarmList().size(), std::size_t(24));

    h.window.setPickers(vantrel::core::dateTimeFromDate(2000, 6, 4) +
                        vantrel::core::dateTimeFromTime({12, 0, 0, 0}));
    part<QToolButton>(h.window, "HoursButton").click();
    QCOMPARE(h.window.AlarmList().size(), std::size_t(48));
}

void HoursWindowTests::savingWritesTheHoursListWithCrLf()
{
    HoursHarness h;
    part<QToolButton>(h.window, "HoursButton").click();
    const auto target = h.main.dir.path() / "hourdata.txt";
    h.hours.setFileChooser([](QWidget*) { return QString(); });
    part<QAction>(h.hours, "Save1").trigger();
    QVERIFY(!std::filesystem::exists(target));

    h.hours.setFileChooser([&](QWidget*) { return QString::fromStdString(target.string()); });
    part<QAction>(h.hours, "Save1").trigger();
    const std::string saved = vantrel::testing::readWholeFile(target);
    QCOMPARE(QString::fromStdString(saved), h.hours.hoursLines().join("\r\n") + "\r\n");
    QCOMPARE(std::count(saved.begin(), saved.end(), '\n'), 27);
}

void HoursWindowTests::suppressedWindowIsBuiltButNotShownOnce()
{
    HoursHarness h;
    h.hours.SuppressHoursWindow = true;
    part<QToolButton>(h.window, "HoursButton").click();
    QVERIFY(!h.hours.isVisible());
    QVERIFY(!h.hours.SuppressHoursWindow);
    QCOMPARE(h.hours.hoursLines().size(), 27);
    part<QAction>(h.window, "Planetaryhourschart1").trigger();
    QVERIFY(h.hours.isVisible());
}

void HoursWindowTests::dayWithoutSunriseShowsNoHoursAndAddsNoEntries()
{
    HoursHarness h;
    // Midsummer beyond the polar circle: the Sun only crosses the meridian.
    const std::string polar = "(Sat)  6/ 3/2000 12:59am     Sun (Gem) nadirs  at  +3:10'\r\n"
                              "(Sat)  6/ 3/2000 12:59pm     Sun (Gem) zeniths at +49:40'\r\n";
    h.main.runner.responder = FakeProcessRunner::cannedListings(
        {{"chart.txt",
          vantrel::testing::readWholeFile(vantrel::testing::kDataDir + "/chart_2000-06-03.txt")},
         {"riseset.txt", polar},
         {"risesetn.txt", polar}});
    part<QToolButton>(h.window, "HoursButton").click();
    QVERIFY(h.main.messages.errors.empty());
    QCOMPARE(h.window.AlarmList().size(), std::size_t(0));
    QCOMPARE(h.hours.hoursLines().constLast(),
             QString::fromUtf8(vantrel::core::kNoSunriseText.data(),
                               vantrel::core::kNoSunriseText.size()));
    QCOMPARE(h.hours.sunMoonLines()[1], QString("Sun    Rise not found"));
}

void HoursWindowTests::armingRunsTheHoursHiddenAndHidesTheWindows()
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
        h.window.AlarmList().contains("(Sat) 06/03/2000 05:26am     Sun (Gem) rises   at  54:40'"));

    part<QAction>(h.window, "Alarm1").trigger();
    QVERIFY(!part<QAction>(h.window, "Alarm1").isChecked());
    QVERIFY(!part<QTimer>(h.window, "Timer1").isActive());
}

void HoursWindowTests::checkSoundsTheSunsetAndWritesTheStatusBar()
{
    HoursHarness h;
    h.main.write("sun_sets.wav", "RIFF");
    part<QToolButton>(h.window, "AlarmButton").click();
    h.main.clock.set(vantrel::core::dateTimeFromDate(2000, 6, 3) +
                     vantrel::core::dateTimeFromTime({20, 52, 5, 0}));
    h.controller.Timer1Timer();

    QCOMPARE(part<QLabel>(h.window, "StatusPanel").text(),
             QString("Alarm is active. Current Time/Date: 6/3/2000 8:52:05 PM"));
    QVERIFY(h.displayEndsWith(
        "(Sat) 06/03/2000 08:52pm     Sun (Gem) sets    at 305:20' sun_sets.wav"));
    QCOMPARE(h.sound.played.size(), std::size_t(1));
    QVERIFY(h.sound.played[0].ends_with("sun_sets.wav"));
    // The Mercury hour of the same minute stays silent: its choice is off.
    QVERIFY(!part<QTextEdit>(h.window, "TDate").toPlainText().contains("Mercury"));
}

void HoursWindowTests::animationStepsAtOnceAndMaximizesTheWheel()
{
    HoursHarness h;
    const std::size_t runsBefore = h.main.runner.runs.size();
    h.main.clock.set(vantrel::core::dateTimeFromDate(2000, 6, 3) +
                     vantrel::core::dateTimeFromTime({21, 30, 0, 0}));
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

void HoursWindowTests::soundsNeverWaitAndSkipWhileOnePlays()
{
    vantrel::platform::QtSound sound;
    const std::string wave = std::string(VANTREL_SOUNDS_DIR) + "/venus_hour.wav";
    QVERIFY(!sound.playUnlessPlaying(std::string(VANTREL_SOUNDS_DIR) + "/missing.wav"));
    if (!vantrel::platform::QtSound::hasAudioOutput()) {
        // Nothing can be heard: nothing starts, and nothing is left "playing" to block alarms.
        sound.playAsync(wave);
        QVERIFY(!sound.isPlaying());
        QVERIFY(!sound.playUnlessPlaying(wave));
        QVERIFY(!sound.isPlaying());
        return;
    }
    QVERIFY(sound.playUnlessPlaying(wave));
    QVERIFY(!sound.playUnlessPlaying(wave)); // the first still plays
    sound.playAsync(wave);                   // the arming sound replaces it
    QVERIFY(sound.isPlaying());
}

QTEST_MAIN(HoursWindowTests)
#include "hours_window_test.moc"
