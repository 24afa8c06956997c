// The command-line modes with a single argument: the date of this moment, and an empty
// clipboard.

#include <memory>

#include <QCoreApplication>

#include "app/date_of_now.h"
#include "app/locations.h"
#include "app/modes.h"
#include "app/services.h"
#include "app/stop_signals.h"
#include "core/ports/main_view.h"

namespace vantrel::app {

int runNowMode(int& argc, char** argv, const CommandLine& commandLine)
{
    quietQtDiagnostics();
    const std::unique_ptr<QCoreApplication> application =
        commandLineApplication(argc, argv, commandLine);
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    const core::FileLocations locations = programLocations(homeFolder());
    CommandLineMessages messages;
    Services services(messages, locations);
    services.anchorEngineTo(locations.workDir);
    core::Clipboard& clipboard = services.commandLineClipboard(!hasClipboard(*application));
    core::NullMainView view;
    catchStopSignals();
    services.process.setStopCheck(stopSignalled);
    return printDateOfNow(services.calculationContext(view, clipboard, messages),
                          core::LocalClock(services.clock, &services.zoneRules, services.settings),
                          view, messages, services.engineProgramNamed());
}

int runEmptyClipboardMode(int& argc, char** argv, const CommandLine& commandLine)
{
    quietQtDiagnostics();
    const std::unique_ptr<QCoreApplication> application =
        commandLineApplication(argc, argv, commandLine);
    if (hasClipboard(*application))
        platform::QtClipboard().setText("");
    return 0;
}

}  // namespace vantrel::app
