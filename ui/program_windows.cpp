#include "ui/program_windows.h"

#include <QApplication>

#include "core/settings/settings_file.h"
#include "ui/alarm_controller.h"
#include "ui/batch_command.h"
#include "ui/data_window.h"
#include "ui/dialog_windows.h"
#include "ui/glyphs.h"
#include "ui/hours_window.h"
#include "ui/letter_command.h"
#include "ui/wheel_window.h"
#include "ui/year_window.h"

namespace vantrel::ui {

namespace {

// One font and one icon for every window. Titles stand as the windows give them: Qt would add
// the application's display name to each title that does not already contain it.
void setProgramLook()
{
    QApplication::setFont(programFont());
    QApplication::setWindowIcon(glyphIcon(Glyph::Program));
    QGuiApplication::setApplicationDisplayName(QString());
}

}  // namespace

ProgramWindows::ProgramWindows(MainWindowServices services)
{
    setProgramLook();
    const std::filesystem::path settingsFile = services.settingsFile;
    m_main = std::make_unique<MainWindow>(std::move(services));
    const MainWindowServices& shared = m_main->services();

    // The options dialog reads the settings file here, after the main window's own keys.
    m_dialogs = std::make_unique<DialogWindows>(*m_main, core::SettingsFile(settingsFile));
    m_hours = std::make_unique<HoursWindow>(shared.messages);
    m_alarm = std::make_unique<AlarmController>(
        *m_main, *m_hours, shared.sound, &m_dialogs->dataWindow(), &m_dialogs->wheelWindow());
    m_batch = std::make_unique<BatchCommand>(*m_main);
    m_letter =
        std::make_unique<LetterCommand>(m_main->dateDisplay(), shared.settings, shared.messages);
    m_year = std::make_unique<YearWindow>(m_main->yearCalendars(), shared.messages, shared.clock);

    MainWindowHooks hooks;
    m_dialogs->connectTo(hooks);
    m_alarm->connectTo(hooks);
    m_batch->connectTo(hooks);
    m_letter->connectTo(hooks);
    hooks.showYearWindow = [this] { m_year->showYear(m_main->displayedDate().year()); };
    m_main->setHooks(std::move(hooks));
}

// The commands go before the windows they act on.
ProgramWindows::~ProgramWindows()
{
    m_year.reset();
    m_letter.reset();
    m_batch.reset();
    m_alarm.reset();
    m_hours.reset();
    m_dialogs.reset();
    m_main.reset();
}

}  // namespace vantrel::ui
