#include "ui/dialog_windows.h"

#include "ui/data_window.h"
#include "ui/main_window.h"
#include "ui/options_dialog.h"
#include "ui/wheel_window.h"

namespace vantrel::ui {

DialogWindows::DialogWindows(MainWindow& main, core::SettingsFile settingsFile, QObject* parent)
    : QObject(parent), m_main(main)
{
    const MainWindowServices& services = main.services();
    m_data = std::make_unique<DataWindow>(services.messages);
    m_options = std::make_unique<OptionsDialog>(
        main.settings(), StartupFlags{main.showOnStartup(), main.verseOfDay()},
        fileStorage(std::move(settingsFile)), services.messages, services.shell);
    m_wheel = std::make_unique<WheelWindow>(services.messages);
    if (services.placeLookup)
        m_options->setPlaceSearch({*services.placeLookup, services.zoneRules, services.clock});
    m_options->loadSettings();
    connect(m_options.get(), &OptionsDialog::tryRequested, &m_main, &MainWindow::calculate);
}

DialogWindows::~DialogWindows() = default;

void DialogWindows::connectTo(MainWindowHooks& hooks)
{
    hooks.showDataWindow = [this] { showDataWindow(); };
    hooks.isDataWindowShown = [this] { return m_data->isVisible(); };
    hooks.showOptions = [this] { showOptions(); };
}

void DialogWindows::showDataWindow()
{
    showEngineOutput(*m_data, *m_wheel, m_main, m_main.settings(), m_main.services().workDir);
}

void DialogWindows::showOptions()
{
    m_options->show();
    m_options->raise();
    m_options->activateWindow();
}

}  // namespace vantrel::ui
