#include "app/services.h"

#include <exception>
#include <iostream>
#include <string>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QtGlobal>

#include "app/modes.h"
#include "core/chart_engine/engine_run.h"
#include "core/common/error.h"
#include "core/ports/messages.h"
#include "core/settings/settings_file.h"
#include "platform/qt_regional_settings.h"

namespace vantrel::app {

namespace {

std::filesystem::path executableDir()
{
    return std::filesystem::path(
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString());
}

}  // namespace

Services::Services(core::Messages& messages, const core::FileLocations& locations)
    : regional(platform::systemRegionalSettings()), settingsPath(locations.settingsFile),
      enginePath((executableDir() / "vantrel-engine").string()),
      engineProgram(process, settings, ".", enginePath),
      engine(&builtInEngine, engineProgram, settings)
{
    zone = core::liveSystemZone(zoneRules, regional, messages);
    try {
        settings = core::SettingsFile(settingsPath).load();
    } catch (const std::exception& error) {
        messages.showError(error.what());
    }
}

void Services::anchorEngineTo(const std::filesystem::path& workDir)
{
    settings.engineCommand = core::anchoredEngineCommand(settings.engineCommand, workDir);
}

bool Services::engineProgramNamed() const
{
    return core::engineProgramNamed(settings);
}

core::CalculationContext Services::calculationContext(core::MainView& view,
                                                      core::Clipboard& clipboardPort,
                                                      core::Messages& messages)
{
    return {settings, regional, zone, engine, view, clipboardPort, messages};
}

std::unique_ptr<QCoreApplication> commandLineApplication(int& argc, char** argv,
                                                         const CommandLine& commandLine)
{
    if (!displaySet() && !platformChosen(commandLine))
        return std::make_unique<QCoreApplication>(argc, argv);
    // Qt tries the platforms of a list in turn; offscreen, last, always starts.
    static std::string chosenThenOffscreen;
    if (commandLine.platformValue > 0) {
        chosenThenOffscreen = std::string(argv[commandLine.platformValue]) + ";offscreen";
        argv[commandLine.platformValue] = chosenThenOffscreen.data();
    } else if (platformChosen(commandLine)) {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM") + ";offscreen");
    } else {
        QByteArray platforms;
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            platforms += "wayland;";
        if (!qEnvironmentVariableIsEmpty("DISPLAY"))
            platforms += "xcb;";
        qputenv("QT_QPA_PLATFORM", platforms + "offscreen");
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

bool hasClipboard(const QCoreApplication& application)
{
    return qobject_cast<const QGuiApplication*>(&application) != nullptr;
}

void quietQtDiagnostics()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << text.toStdString() << std::endl;
    });
}

}  // namespace vantrel::app
