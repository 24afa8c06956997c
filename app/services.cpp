#include "app/services.h"

#include <cstdlib>
#include <exception>
#include <iostream>

#include <QCoreApplication>
#include <QDir>
#include <QtGlobal>

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
      enginePath((executableDir() / "vantrel-engine").string())
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

core::CalculationContext Services::calculationContext(core::MainView& view,
                                                      core::Clipboard& clipboardPort,
                                                      core::Messages& messages)
{
    return {settings, regional, zone, process, view, clipboardPort, messages, ".", enginePath};
}

bool prepareQtPlatform()
{
    const bool noDisplay = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
    if (noDisplay && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return noDisplay;
}

void quietQtDiagnostics()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << text.toStdString() << std::endl;
    });
}

}  // namespace vantrel::app
