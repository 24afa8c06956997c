#include "ui/dialog_windows.h"

#include "ui/main_window.h"
#include "ui/options_dialog.h"
#include "ui/output_windows.h"

namespace vantrel::ui {

DialogWindows::DialogWindows(TVantrel& main, core::SettingsFile settingsFile, QObject* parent)
    : QObject(parent), m_main(main)
{
    const MainWindowServices& services = main.services();
    m_data = std::make_unique<TAData>(services.messages);
    m_options = std::make_unique<TfOptions>(
        main.settings(), StartupFlags{main.ShowOnStartup(), main.VerseOfDay()},
        fileStorage(std::move(settingsFile)), services.messages, services.shell);
    m_wheel = std::make_unique<TfWheel>(services.messages);
    if (services.placeLookup)
        m_options->setPlaceSearch({*services.placeLookup, services.zoneRules, services.clock});
    m_options->FormCreate();
    connect(m_options.get(), &TfOptions::tryRequested, &m_main, &TVantrel::CalcButtonClick);
}

DialogWindows::~DialogWindows() = default;

void DialogWindows::connectTo(TVantrelHooks& hooks)
{
    hooks.AstroButtonClick = [this] { AstroButtonClick(); };
    hooks.isDataWindowShown = [this] { return m_data->isVisible(); };
    hooks.showOptions = [this] { showOptions(); };
}

void DialogWindows::AstroButtonClick()
{
    ui::AstroButtonClick(*m_data, *m_wheel, m_main, m_main.settings(), m_main.services().workDir);
}

void DialogWindows::showOptions()
{
    m_options->show();
    m_options->raise();
    m_options->activateWindow();
}

}  // namespace vantrel::ui
