// No argument (or three and more): the main window.

#include <iostream>

#include <QApplication>

#include "app/locations.h"
#include "app/modes.h"
#include "app/services.h"
#include "app/stop_signals.h"
#include "core/common/error.h"
#include "platform/engine_sky_event_source.h"
#include "platform/geonames_place_lookup.h"
#include "platform/qt_messages.h"
#include "platform/qt_shell.h"
#include "platform/qt_single_instance.h"
#include "platform/qt_sound.h"
#include "ui/program_windows.h"

namespace vantrel::app {

namespace {

// The main window takes its own live zone rules and the options dialog reads the settings file
// and reports what goes wrong; the shared services must not report the same things first.
class QuietMessages : public core::Messages {
public:
    void showError(const std::string&) override {}
    void showMessage(const std::string&) override {}
};

}  // namespace

int runWindowMode(int& argc, char** argv, const CommandLine& commandLine)
{
    if (!displaySet() && !platformChosen(commandLine)) {
        std::cerr << "Vantrel needs a display for its window (DISPLAY or WAYLAND_DISPLAY).\n"
                  << "Without one: vantrel x, or vantrel INPUT OUTPUT.\n";
        return 1;
    }
    platform::QtSound::keepSoundSystemQuiet();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vantrel"));
    QApplication::setDesktopFileName(QStringLiteral("vantrel"));

    platform::SingleInstance instance;
    if (!instance.acquire()) {
        instance.activateRunning();  // the running copy shows its window; this one ends
        return 0;
    }
    // Minimised to the tray every window is hidden; only the main window's close ends the run.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::QtMessages messages;
    const core::FileLocations locations = programLocations(homeFolder());
    try {
        enterWorkingFolder(locations);
    } catch (const core::VantrelError& error) {
        messages.showError(error.what());
        return 1;
    }
    QuietMessages quiet;
    Services services(quiet, locations);
    platform::QtShell shell;
    platform::QtSound sound;
    platform::GeonamesPlaceLookup placeLookup;
    platform::EngineSkyEventSource sky;

    QStringList arguments;
    for (const std::string& argument : commandLine.arguments)
        arguments.append(QString::fromLocal8Bit(argument));
    ui::ProgramWindows windows(ui::MainWindowServices{.settings = services.settings,
                                                      .regional = services.regional,
                                                      .zoneRules = services.zoneRules,
                                                      .clock = services.clock,
                                                      .process = services.process,
                                                      .clipboard = services.clipboard,
                                                      .messages = messages,
                                                      .shell = shell,
                                                      .settingsFile = services.settingsPath,
                                                      .workDir = ".",
                                                      .dataDir = locations.dataDir,
                                                      .builtInEngine = &services.builtInEngine,
                                                      .defaultEngine = services.enginePath,
                                                      .arguments = arguments,
                                                      .sound = &sound,
                                                      .placeLookup = &placeLookup,
                                                      .sky = &sky});
    ui::MainWindow& main = windows.main();
    messages.setParent(&main);
    QObject::connect(&instance, &platform::SingleInstance::activationRequested, &main,
                     &ui::MainWindow::restoreFromTray);
    QObject::connect(
        &main, &ui::MainWindow::finished, &application, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    // A logout or a kill ends the program as File > Exit does, which saves the window's layout.
    onTerminationSignals(main, [&main] { main.close(); });
    main.show();
    return QApplication::exec();
}

}  // namespace vantrel::app
