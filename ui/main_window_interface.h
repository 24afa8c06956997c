#pragma once
// What the main window offers the windows and commands around it: the services it is built
// on, the hooks through which the commands of other windows are connected to its menus, and
// the two views of itself that those commands hold. MainWindow implements both views; a command
// sees only what its view lists, never the window's controls.

#include <filesystem>
#include <functional>
#include <string>

#include <QString>
#include <QStringList>

#include "core/chart_engine/local_clock.h"
#include "core/common/date_time.h"
#include "core/settings/file_locations.h"

class QTimer;
class QWidget;

namespace vantrel::core {
class AlarmList;
class ChartEngine;
class Calculator;
class Clipboard;
class Clock;
class Messages;
class PlaceLookup;
class ProcessRunner;
struct RegionalSettings;
class SkyEventSource;
struct Settings;
class Shell;
class Sound;
class Tray;
class ZoneRules;
}  // namespace vantrel::core

namespace vantrel::ui {

// The ports and shared records the main window works with. Every reference must outlive the
// window.
struct MainWindowServices {
    core::Settings& settings;
    const core::RegionalSettings& regional;
    const core::ZoneRules& zoneRules;
    const core::Clock& clock;
    core::ProcessRunner& process;
    core::Clipboard& clipboard;
    core::Messages& messages;
    core::Shell& shell;
    // "Vantrel.ini": the window layout keys are read from and written to it.
    std::filesystem::path settingsFile{};
    // Where command files and listings live, and where data files (verses.txt, tips.txt, the
    // help page, sounds) are looked up first.
    std::filesystem::path workDir = ".";
    // The installed data files, read where the working folder holds no copy; empty: none.
    std::filesystem::path dataDir{};
    // The chart engine built into the program, used when the settings name no engine program;
    // null: the program below always runs.
    core::ChartEngine* builtInEngine = nullptr;
    // The engine program run when the settings name none and none is built in.
    std::string defaultEngine = "vantrel-engine";
    // Command-line arguments after the program name.
    QStringList arguments{};
    // The program file; its modification time is shown in the About box. Empty: this process.
    QString executablePath{};
    // Balloons; null: the window's own tray icon (or its pop-up where there is no tray).
    core::Tray* tray = nullptr;
    // Sounds for the alarm; may be null where nothing is played.
    core::Sound* sound = nullptr;
    // Whether the desktop has a system tray; empty: ask Qt.
    std::function<bool()> trayAvailable{};
    // Places by name for the options dialog; null: "Find place" stays disabled.
    const core::PlaceLookup* placeLookup = nullptr;
    // The Moon's phases and the Sun's entries for the month calendar and the Year window; null:
    // the calendar shows bare days.
    core::SkyEventSource* sky = nullptr;

    core::DataFiles dataFiles() const { return core::DataFiles(workDir, dataDir); }
};

// Connection points for the commands that other windows carry out. A command whose hook is
// empty is shown disabled.
struct MainWindowHooks {
    std::function<void()> askAndConvertBatch;  // "&Batch..."
    // Two command-line arguments: convert the first file into the second.
    std::function<void(const QString& inputFile, const QString& outputFile)> convertBatch;
    std::function<void()> insertLetter;    // "Letter in Writer", in the menu and the tray
    std::function<void()> showDataWindow;  // fill and show the data window
    std::function<bool()> isDataWindowShown;
    std::function<void()> showPlanetaryHours;  // planetary hours
    std::function<void()> toggleAlarm;         // arm or disarm the alarm
    std::function<void()> toggleAnimation;     // animation on or off
    std::function<void()> showOptions;         // "Program options" (not modal)
    std::function<void()> showYearWindow;      // "The Year"
};

// The main window as a place calculations are run from: the moment in its pickers, its
// services and calculation, and the two timers that run calculations of their own.
class CalculationWindow {
public:
    // The date picker's day and the time picker's time of day.
    virtual core::Date displayedDate() const = 0;
    virtual core::TimeOfDay displayedTime() const = 0;
    // Sets both pickers to the moment, without the "Click Calculate" note.
    virtual void setPickers(const core::LocalDateTime& moment) = 0;

    virtual const MainWindowServices& services() const = 0;
    virtual core::Calculator& calculator() = 0;
    // The clock as the calculations read it: the place's local time under "Place's Time Zone".
    core::LocalClock localClock() const
    {
        return {services().clock, &services().zoneRules, services().settings};
    }

    // The window itself: where other windows are placed, and the parent of dialogs.
    virtual QWidget& widget() = 0;
    // The alarm check (every second) and the animation step (every minute); neither runs at
    // start.
    virtual QTimer& alarmTimer() = 0;
    virtual QTimer& animationTimer() = 0;

protected:
    ~CalculationWindow() = default;
};

// What the alarm, the live mode and the planetary-hours command use besides: the alarm list,
// the display's end and the status panel, the two check marks, and the window's own commands.
class AlarmWindow : public CalculationWindow {
public:
    virtual core::AlarmList& alarmList() = 0;

    virtual void addDisplayLine(const QString& line) = 0;
    // A remark after the display's last line, shown but never copied.
    virtual void addDisplayAside(const QString& text) = 0;
    // The status panel's text; empty clears it.
    virtual void setStatusText(const QString& text) = 0;
    // The check marks of "Activate alarm" and "Animate".
    virtual void setAlarmMark(bool armed) = 0;
    virtual void setAnimateMark(bool on) = 0;

    virtual void calculateNow() = 0;
    virtual void showDataWindow() = 0;
    // Runs a command, reporting any error through the general error report.
    virtual void guarded(const std::function<void()>& command) = 0;

protected:
    ~AlarmWindow() = default;
};

}  // namespace vantrel::ui
