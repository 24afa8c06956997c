// The dialog windows connected to a main window over fake ports: the options are loaded from
// the settings file before the first show, and the main window's commands reach the windows.

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/find_part.h"
#include "tests/ui/main_window_harness.h"
#include "ui/dialog_windows.h"
#include "ui/options_dialog.h"
#include "ui/output_windows.h"

using vantrel::testing::MainWindowHarness;
using vantrel::testing::part;
using vantrel::ui::DialogWindows;

class DialogWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void optionsAreLoadedBeforeTheMainWindowShows()
    {
        MainWindowHarness harness;
        harness.write("Vantrel.ini", "[vantrel]\r\nLines=2\r\nTime=2\r\nLongitude=0W07\r\n");
        auto& main = harness.create();
        DialogWindows windows(main, vantrel::core::SettingsFile(harness.settingsFile));
        vantrel::testing::connectCommands(main, windows);
        QCOMPARE(harness.settings.OLines, 2);
        QCOMPARE(harness.settings.Long, std::string("0W07"));
        QVERIFY(!part<QLineEdit>(windows.optionsDialog(), "Zone").isEnabled());
        QVERIFY(harness.messages.messages.empty());
        QVERIFY(!windows.optionsDialog().isVisible());
        QVERIFY(!windows.dataWindow().isVisible());
    }

    void programOptionsShowsTheDialogAndTryCalculates()
    {
        MainWindowHarness harness;
        auto& main = harness.create();
        DialogWindows windows(main, vantrel::core::SettingsFile(harness.settingsFile));
        vantrel::testing::connectCommands(main, windows);
        main.Options1Click();
        QVERIFY(windows.optionsDialog().isVisible());
        const auto runsBefore = harness.runner.runs.size();
        part<QPushButton>(windows.optionsDialog(), "CalcButton").click();
        QVERIFY(harness.runner.runs.size() > runsBefore);
        QVERIFY(windows.optionsDialog().isVisible());
    }

    void tipBoxesChangeTheMainWindowsFlags()
    {
        MainWindowHarness harness;
        auto& main = harness.create();
        DialogWindows windows(main, vantrel::core::SettingsFile(harness.settingsFile));
        vantrel::testing::connectCommands(main, windows);
        QVERIFY(main.ShowOnStartup());
        part<QCheckBox>(windows.optionsDialog(), "TOTD1").click();
        QVERIFY(!main.ShowOnStartup());
    }

    void dataWindowShowsTheListingsOfTheCalculation()
    {
        MainWindowHarness harness;
        auto& main = harness.create();
        DialogWindows windows(main, vantrel::core::SettingsFile(harness.settingsFile));
        vantrel::testing::connectCommands(main, windows);
        main.CalcButtonClick();
        main.AstroButtonClick();
        QVERIFY(windows.dataWindow().isVisible());
        const auto lines = windows.dataWindow().lines();
        const auto chart = vantrel::testing::readWholeFile(harness.dir.path() / "chart.txt");
        QVERIFY(!lines.empty());
        QVERIFY(chart.find(lines.front()) != std::string::npos);
        QVERIFY(harness.messages.errors.empty());

        // While it is showing, every calculation refills it.
        windows.dataWindow().setLines({"stale"});
        main.CalcButtonClick();
        QVERIFY(windows.dataWindow().lines().front() != "stale");
    }
};

QTEST_MAIN(DialogWindowsTest)
#include "dialog_windows_test.moc"
