// The dialog windows connected to a main window over fake ports: the options are loaded from
// the settings file before the first show, and the main window's commands reach the windows.

#include "ui/dialog_windows.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/find_part.h"
#include "tests/ui/main_window_harness.h"
#include "ui/data_window.h"
#include "ui/options_dialog.h"
#include "ui/wheel_window.h"

using vantrel::testing::MainWindowHarness;
using vantrel::testing::part;
using vantrel::ui::DialogWindows;

namespace {

// A main window with the dialog windows connected to it, over the harness's settings file.
struct DialogsHarness : MainWindowHarness {
    vantrel::ui::MainWindow* main = nullptr;
    std::unique_ptr<DialogWindows> windows;

    // settingsText: what the settings file holds when the windows start; empty: no file.
    explicit DialogsHarness(const std::string& settingsText = {})
    {
        if (!settingsText.empty())
            write("Vantrel.ini", settingsText);
        main = &create();
        windows = std::make_unique<DialogWindows>(*main, vantrel::core::SettingsFile(settingsFile));
        vantrel::testing::connectCommands(*main, *windows);
    }
};

}  // namespace

class DialogWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void optionsAreLoadedBeforeTheMainWindowShows()
    {
        DialogsHarness h("[vantrel]\r\nLines=2\r\nTime=2\r\nLongitude=0W07\r\n");
        QCOMPARE(h.settings.lineCount, vantrel::core::LineCount::Three);
        QCOMPARE(h.settings.longitude, std::string("0W07"));
        QVERIFY(!part<QLineEdit>(h.windows->optionsDialog(), "Zone").isEnabled());
        QVERIFY(h.messages.messages.empty());
        QVERIFY(!h.windows->optionsDialog().isVisible());
        QVERIFY(!h.windows->dataWindow().isVisible());
    }

    void programOptionsShowsTheDialogAndTryCalculates()
    {
        DialogsHarness h;
        h.main->showOptions();
        QVERIFY(h.windows->optionsDialog().isVisible());
        const auto runsBefore = h.runner.runs.size();
        part<QPushButton>(h.windows->optionsDialog(), "CalcButton").click();
        QVERIFY(h.runner.runs.size() > runsBefore);
        QVERIFY(h.windows->optionsDialog().isVisible());
    }

    void tipBoxesChangeTheMainWindowsFlags()
    {
        DialogsHarness h;
        QVERIFY(h.main->showOnStartup());
        part<QCheckBox>(h.windows->optionsDialog(), "TOTD1").click();
        QVERIFY(!h.main->showOnStartup());
    }

    void dataWindowShowsTheListingsOfTheCalculation()
    {
        DialogsHarness h;
        vantrel::ui::DataWindow& data = h.windows->dataWindow();
        h.main->calculate();
        h.main->showDataWindow();
        QVERIFY(data.isVisible());
        const auto lines = data.lines();
        const auto chart = vantrel::testing::readWholeFile(h.dir.path() / "chart.txt");
        QVERIFY(!lines.empty());
        QVERIFY(chart.find(lines.front()) != std::string::npos);
        QVERIFY(h.messages.errors.empty());

        // While it is showing, every calculation refills it.
        data.setLines({"stale"});
        h.main->calculate();
        QVERIFY(data.lines().front() != "stale");
    }
};

QTEST_MAIN(DialogWindowsTest)
#include "dialog_windows_test.moc"
