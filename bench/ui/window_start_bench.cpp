// How long the window takes from the program's start to the first date on screen: the
// application object, every window, the first show, and the first calculation with the real
// chart engine. Prints the first start (which also pays for loading fonts and styles) and the
// median of later window starts in the same process.
//
//   bench_ui_window_start [runs]     (offscreen when there is no display)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextEdit>
#include <QTimer>

#include "core/settings/settings.h"
#include "platform/console_messages.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_clock.h"
#include "platform/qt_process_runner.h"
#include "platform/qt_regional_settings.h"
#include "platform/qt_shell.h"
#include "platform/qt_zone_rules.h"
#include "ui/program_windows.h"

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point kProgramStart = Clock::now();

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Platform {
    vantrel::platform::QtClock clock;
    vantrel::platform::QtZoneRules zoneRules;
    vantrel::platform::QtProcessRunner process;
    vantrel::platform::QtClipboard clipboard;
    vantrel::platform::ConsoleMessages messages;
    vantrel::platform::QtShell shell;
    vantrel::core::RegionalSettings regional = vantrel::platform::systemRegionalSettings();
    vantrel::core::Settings settings;
};

// One window start; returns false when the date did not appear.
bool startWindow(Platform& platform, const std::filesystem::path& folder, std::string& firstLine)
{
    vantrel::ui::ProgramWindows windows(
        vantrel::ui::MainWindowServices{.settings = platform.settings,
                                        .regional = platform.regional,
                                        .zoneRules = platform.zoneRules,
                                        .clock = platform.clock,
                                        .process = platform.process,
                                        .clipboard = platform.clipboard,
                                        .messages = platform.messages,
                                        .shell = platform.shell,
                                        .settingsFile = folder / "Vantrel.ini",
                                        .workDir = ".",
                                        .defaultEngine = VANTREL_ENGINE_PATH,
                                        .trayAvailable = [] { return false; }});
    vantrel::ui::MainWindow& main = windows.main();
    QEventLoop loop;
    QObject::connect(&main, &vantrel::ui::MainWindow::firstShown, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    main.show();
    loop.exec();
    const std::vector<std::string> lines = main.displayLines();
    firstLine = lines.empty() ? std::string() : lines.front();
    main.hide();
    return firstLine.rfind("An", 0) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vantrel-ui-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);

    QApplication application(argc, argv);
    Platform platform;
    std::vector<double> later;
    double first = 0;
    std::string line;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = run == 0 ? kProgramStart : Clock::now();
        if (!startWindow(platform, folder, line)) {
            std::fprintf(stderr, "no date shown (display: \"%s\")\n", line.c_str());
            return 1;
        }
        (run == 0 ? first : later.emplace_back()) = msSince(start);
    }
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(folder);

    std::printf("first line: %s\n", line.c_str());
    std::printf("program start to first date shown: %.1f ms (target 300 ms)\n", first);
    if (!later.empty()) {
        std::sort(later.begin(), later.end());
        std::printf("later window starts (%zu): median %.1f ms, max %.1f ms\n", later.size(),
                    later[later.size() / 2], later.back());
    }
    return 0;
}
