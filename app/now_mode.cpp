// The command-line modes with a single argument: the date of this moment, and an empty
// clipboard.

#include <iostream>
#include <memory>
#include <optional>

#include <QCoreApplication>

#include "app/locations.h"
#include "app/modes.h"
#include "app/services.h"
#include "app/stop_signals.h"
#include "core/chart_engine/engine_run.h"
#include "core/chart_engine/local_clock.h"
#include "core/common/error.h"
#include "core/ports/main_view.h"

namespace vantrel::app {

int runNowMode(int& argc, char** argv, const CommandLine& commandLine)
{
    quietQtDiagnostics();
    const std::unique_ptr<QCoreApplication> application =
        commandLineApplication(argc, argv, commandLine);
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    const core::FileLocations locations = programLocations();
    CommandLineMessages messages;
    Services services(messages, locations);
    services.anchorEngineTo(locations.workDir);
    core::Clipboard& clipboard = services.commandLineClipboard(!hasClipboard(*application));
    core::NullMainView view;
    catchStopSignals();
    services.process.setStopCheck(stopSignalled);
    // A fresh calculator has found neither the Sun nor the Moon; when the chart run fails they
    // stay empty and the date printed lacks them, which the exit status must tell.
    bool chartRead = false;
    try {
        // An engine program runs in a private folder; the built-in engine writes no file.
        std::optional<PrivateWorkFolder> folder;
        if (services.engineProgramNamed())
            folder.emplace();
        core::Calculator calculator(services.calculationContext(view, clipboard, messages));
        calculator.calculate(
            core::LocalClock(services.clock, &services.zoneRules, services.settings).now());
        calculator.copyToClipboard();
        chartRead = !calculator.thelemicDate().sunText.empty() &&
                    !calculator.thelemicDate().moonText.empty();
    } catch (const core::VantrelError& error) {
        std::cerr << core::withFinalStop(error.what()) << std::endl;
        return 1;
    } catch (const core::EngineRunStopped&) {
        std::cerr << "Interrupted; the chart engine was stopped." << std::endl;
        return 1;
    }
    for (const auto& line : view.displayLines())
        std::cout << line << '\n';
    std::cout.flush();
    return messages.errorShown || !chartRead ? 1 : 0;
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
