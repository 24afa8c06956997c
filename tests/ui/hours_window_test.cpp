// The planetary-hours window and command, over fake ports and the listings of 3 June 2000
// (sunrise 5:26 AM, sunset 8:52 PM, next sunrise 5:25 AM).

#include "ui/hours_window.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "tests/ui/find_part.h"
#include "tests/ui/main_window_harness.h"
#include "ui/alarm_controller.h"

using vantrel::testing::FakeProcessRunner;
using vantrel::testing::HoursHarness;
using vantrel::testing::part;

class HoursWindowTests : public QObject {
    Q_OBJECT

private slots:
    void hoursCommandFillsTheWindowBesideTheMainWindow();
    void hoursCommandAddsEachHourOnce();
    void savingWritesTheHoursListWithCrLf();
    void suppressedWindowIsBuiltButNotShownOnce();
    void dayWithoutSunriseShowsNoHoursAndAddsNoEntries();
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
    QCOMPARE(lines[2], QString("6:43 AM Jupiter"));  // 5:26 + 15:26 / 12
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
    // A horizontal scroll bar only while the lines are wider than the window.
    for (const int width : {700, 100}) {
        h.hours.resize(width, h.hours.height());
        for (const char* list : {"HoursList", "SunMoonList"})
            QTRY_COMPARE(part<QPlainTextEdit>(h.hours, list).horizontalScrollBar()->isVisible(),
                         width < 200);
    }

    const QRect mainFrame = h.window.frameGeometry();
    QTRY_COMPARE(h.hours.frameGeometry().topLeft(),
                 QPoint(mainFrame.x() + mainFrame.width() + 2, mainFrame.y()));
}

void HoursWindowTests::hoursCommandAddsEachHourOnce()
{
    HoursHarness h;
    part<QToolButton>(h.window, "HoursButton").click();
    QCOMPARE(h.window.alarmList().size(), std::size_t(24));
    QVERIFY(h.window.alarmList().contains("      06/03/2000 06:43am Jupiter       Hour"));
    // Night hour 6: 8:52 PM + 5 x 42:45.
    QVERIFY(h.window.alarmList().contains("      06/04/2000 12:25am Sun           Hour"));
    part<QToolButton>(h.window, "HoursButton").click();
    QCOMPARE(h.window.alarmList().size(), std::size_t(24));

    h.window.setPickers(vantrel::testing::localDateTime(2000, 6, 4, 12, 0, 0));
    part<QToolButton>(h.window, "HoursButton").click();
    QCOMPARE(h.window.alarmList().size(), std::size_t(48));
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
    h.hours.suppressNextShow = true;
    part<QToolButton>(h.window, "HoursButton").click();
    QVERIFY(!h.hours.isVisible());
    QVERIFY(!h.hours.suppressNextShow);
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
    QCOMPARE(h.window.alarmList().size(), std::size_t(0));
    QCOMPARE(h.hours.hoursLines().constLast(),
             QString::fromUtf8(vantrel::core::kNoSunriseText.data(),
                               vantrel::core::kNoSunriseText.size()));
    QCOMPARE(h.hours.sunMoonLines()[1], QString("Sun    Rise not found"));
}

QTEST_MAIN(HoursWindowTests)
#include "hours_window_test.moc"
