#pragma once
// A main window over fake ports, with the chart listings of Saturday 3 June 2000 answered by
// the fake engine and the clock standing at 8:03:15 PM that day; and the same window with the
// planetary-hours window and the alarm wired to it.

#include <memory>

#include <QApplication>
#include <QSignalSpy>
#include <QStringList>
#include <QTextEdit>

#include "core/common/regional_settings.h"
#include "core/settings/settings.h"
#include "tests/fakes/fake_desktop_ports.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/test_locales.h"
#include "tests/ui/find_part.h"
#include "ui/alarm_controller.h"
#include "ui/hours_window.h"
#include "ui/main_window.h"

namespace vantrel::testing {

inline const std::string kDataDir = VANTREL_TEST_DATA_DIR;

inline core::LocalDateTime exampleMoment()
{
    return vantrel::testing::localDateTime(2000, 6, 3, 20, 3, 15);
}

// Shows the window and waits for its first result (or the end of its command-line work).
inline bool showAndWait(ui::MainWindow& window)
{
    QSignalSpy shown(&window, &ui::MainWindow::firstShown);
    window.show();
    return shown.count() > 0 || shown.wait(5000);
}

// Connects the commands to the window's menus, as the program does.
template <typename... Commands> void connectCommands(ui::MainWindow& window, Commands&... commands)
{
    ui::MainWindowHooks hooks;
    (commands.connectTo(hooks), ...);
    window.setHooks(std::move(hooks));
}

struct MainWindowHarness {
    TempDir dir;
    core::Settings settings;
    core::RegionalSettings regional = usEnglishFourDigitYear();
    FakeZoneRules zoneRules;
    FakeClock clock{exampleMoment()};
    FakeProcessRunner runner{dir.path()};
    FakeClipboard clipboard;
    FakeMessages messages;
    FakeShell shell;
    FakeTray tray;
    std::filesystem::path settingsFile = dir.path() / "Vantrel.ini";
    std::filesystem::path dataDir{};
    bool hasTray = false;
    std::unique_ptr<ui::MainWindow> window;

    MainWindowHarness()
    {
        // Anno, Roman year, signs without degrees: "Anno IVviii Sol in Gemini, Luna in Leo".
        settings.yearPrefix = core::YearPrefix::Anno;
        settings.yearFormat = core::YearFormat::UpperRomanLowerRoman;
        settings.signDisplay = core::SignDisplay::SignOnly;
        runner.responder = FakeProcessRunner::cannedListings(
            {{"chart.txt", readWholeFile(kDataDir + "/chart_2000-06-03.txt")},
             {"riseset.txt", readWholeFile(kDataDir + "/riseset_2000-06-03.txt")},
             {"risesetn.txt", readWholeFile(kDataDir + "/risesetn_2000-06-04.txt")}});
    }

    void write(const std::string& name, const std::string& content)
    {
        writeWholeFile(dir.path() / name, content);
    }

    ui::MainWindowServices services(QStringList arguments = {})
    {
        return {.settings = settings,
                .regional = regional,
                .zoneRules = zoneRules,
                .clock = clock,
                .process = runner,
                .clipboard = clipboard,
                .messages = messages,
                .shell = shell,
                .settingsFile = settingsFile,
                .workDir = dir.path(),
                .dataDir = dataDir,
                .arguments = std::move(arguments),
                .tray = &tray,
                .trayAvailable = [this] { return hasTray; }};
    }

    ui::MainWindow& create(QStringList arguments = {})
    {
        window.reset();
        window = std::make_unique<ui::MainWindow>(services(std::move(arguments)));
        return *window;
    }
};

// A main window with the hours window and the alarm wired to it.
struct HoursHarness {
    MainWindowHarness main;
    FakeSound sound;
    ui::MainWindow& window = main.create();
    ui::HoursWindow hours{main.messages};
    QWidget wheel;
    QWidget data;
    ui::AlarmController controller{window, hours, &sound, &data, &wheel};

    HoursHarness()
    {
        connectCommands(window, controller);
        window.move(40, 30);
        window.show();
        QApplication::processEvents();
    }

    bool displayEndsWith(const QString& line) const
    {
        return part<QTextEdit>(window, "TDate").toPlainText().split('\n').constLast() == line;
    }
};

}  // namespace vantrel::testing
