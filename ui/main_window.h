#pragma once
// The main window: date and time pickers, the month calendar, the date display, the menus, the
// tool bar and the tray icon. It gathers what the user entered and hands it to the core; the
// rules live there. Commands that other windows own reach them through TVantrelHooks.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include "core/alarm/alarm_list.h"
#include "core/astrolog/zone_snapshot.h"
#include "core/common/date_time.h"
#include "core/common/regional_settings.h"
#include "core/settings/settings.h"

class QAction;
class QCalendarWidget;
class QDateEdit;
class QLabel;
class QMenu;
class QSplitter;
class QSystemTrayIcon;
class QTextEdit;
class QTimeEdit;
class QTimer;
class QToolBar;
class QToolButton;

namespace vantrel::core {
class Calculator;
class DailyTips;
class Clipboard;
class Clock;
class Messages;
class ProcessRunner;
class Shell;
class Sound;
class Tray;
class ZoneRules;
}  // namespace vantrel::core

namespace vantrel::ui {

class MainViewAdapter;
class TDailyTip;

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
    // Where command files, listings, verses.txt and tips.txt are looked up.
    std::filesystem::path workDir = ".";
    // The chart engine run when the settings name none.
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
};

// Connection points for the commands that other windows carry out. A command whose hook is
// empty is shown disabled.
struct TVantrelHooks {
    std::function<void()> Batch1Click;             // "&Batch.."
    // Two command-line arguments: convert the first file into the second.
    std::function<void(const QString& inputFile, const QString& outputFile)> convertBatch;
    std::function<void()> InsertintoWord971Click;  // "Insert into Word97", tray "Word Document"
    std::function<void()> AstroButtonClick;        // fill and show the data window
    std::function<bool()> isDataWindowShown;
    std::function<void()> HoursButtonClick;        // planetary hours
    std::function<void()> Alarm1Click;             // arm or disarm the alarm
    std::function<void()> Animate1Click;           // animation on or off
    std::function<void()> showOptions;             // "Program options" (not modal)
};

class TVantrel : public QMainWindow {
    Q_OBJECT

public:
    // Builds the widgets and runs FormCreate (zone snapshot, layout keys, pickers set to now).
    explicit TVantrel(MainWindowServices services, QWidget* parent = nullptr);
    ~TVantrel() override;

    void setHooks(TVantrelHooks hooks);
    const TVantrelHooks& hooks() const { return m_hooks; }

    // --- Controls, for the windows that act on the main window directly.
    QDateEdit* GDate = nullptr;
    QTimeEdit* Time = nullptr;
    QCalendarWidget* MonthCalendar1 = nullptr;
    QTextEdit* TDate = nullptr;
    QToolBar* DateTool = nullptr;
    QWidget* CalendarPanel = nullptr;
    QSplitter* Splitter1 = nullptr;
    QLabel* StatusPanel = nullptr;
    QSystemTrayIcon* NotificationIcon1 = nullptr;
    QMenu* TrayMenu = nullptr;

    // Tool buttons, left to right.
    QToolButton* CalcButton = nullptr;
    QToolButton* NowButton = nullptr;
    QToolButton* ClipButton = nullptr;
    QToolButton* AstroButton = nullptr;
    QToolButton* HoursButton = nullptr;
    QToolButton* FormattingOptions1 = nullptr;
    QToolButton* AlarmButton = nullptr;
    QToolButton* VerseButton = nullptr;

    // Menu entries.
    QAction* Calculate1 = nullptr;
    QAction* Now1 = nullptr;
    QAction* Batch1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Copytoclipboad1 = nullptr;
    QAction* InsertintoWord971 = nullptr;
    QAction* Astrologdatawindow1 = nullptr;
    QAction* Planetaryhourschart1 = nullptr;
    QAction* ToolBars1 = nullptr;
    QAction* Statusbar2 = nullptr;
    QAction* MonthlyCalendar1 = nullptr;
    QAction* RandomVerse1 = nullptr;
    QAction* Options1 = nullptr;
    QAction* Alarm1 = nullptr;    // check mark: the alarm is armed
    QAction* Animate1 = nullptr;  // check mark: the animation runs
    QAction* Help2 = nullptr;
    QAction* About1 = nullptr;
    QMenu* Web1 = nullptr;
    // Tray menu entries.
    QAction* Query1 = nullptr;         // "Date"
    QAction* Quote1 = nullptr;         // "Quote"
    QAction* WordDocument1 = nullptr;  // "Word Document"
    QAction* Quote2 = nullptr;         // "ClipBoard" > "Quote"
    QAction* Date1 = nullptr;          // "ClipBoard" > "Date"
    QAction* Law1 = nullptr;           // "ClipBoard" > "Law"
    QAction* Restore1 = nullptr;
    QAction* Exit2 = nullptr;

    // The alarm check (1000 ms) and the animation step (60000 ms); neither runs at start.
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // --- State the other windows read and write.
    core::Calculator& calculator();
    core::Settings& settings() { return m_services.settings; }
    const core::RegionalSettings& regional() const { return m_services.regional; }
    const core::ZoneSnapshot& zoneSnapshot() const { return m_zone; }
    core::AlarmList& AlarmList() { return m_alarmList; }
    const MainWindowServices& services() const { return m_services; }

    // The start-up tip dialog's flags ("TOTD" and "VOD"), saved when the window closes.
    bool& ShowOnStartup() { return m_showOnStartup; }
    bool& VerseOfDay() { return m_verseOfDay; }

    // The date picker's date plus the time picker's time of day.
    core::DateTime displayedDate() const;
    core::DateTime displayedTime() const;
    // Sets both pickers (without the "Click Calculate" note) to the moment.
    void setPickers(core::DateTime moment);

    // The display's lines as stored, and as the display shows them (a line wrapped by the
    // display's width counts as several; an empty last line does not count).
    std::vector<std::string> displayLines() const;
    std::vector<std::string> shownDisplayLines() const;
    void setDisplayLines(const std::vector<std::string>& lines);
    void addDisplayLine(const QString& line);
    // Replaces the display by a short note and paints it at once.
    void showStatusText(const QString& text);
    void setStatusText(const QString& text);
    // The window caption and the application's title.
    void setCaption(const QString& caption);

    // ShowBalloon: a balloon at the tray icon (or the pop-up that stands in for it), 10 s.
    void ShowBalloon(const QString& text, const QString& title);
    bool trayAvailable() const;

    // The tip dialog, while it is open.
    TDailyTip* dailyTip() const;
    // Whether FormShow has run.
    bool formShown() const { return m_formShown; }

    // Runs a command, reporting any error through the general error report.
    void guarded(const std::function<void()>& command);

public slots:
    void CalcButtonClick();
    void NowButtonClick();
    void GDateChange();
    void MonthCalendar1Click();
    void ClipButtonClick();
    void AstroButtonClick();
    void HoursButtonClick();
    void Alarm1Click();
    void Animate1Click();
    void Batch1Click();
    void InsertintoWord971Click();
    void RandomVerse1Click();
    void Options1Click();
    void ToolBars1Click();
    void Statusbar2Click();
    void MonthlyCalendar1Click();
    void Copy2Click();
    void Selectall2Click();
    void Exit1Click();
    void Exit2Click();
    void About1Click();
    void Help2Click();
    void Restore1Click();
    void NotificationIcon1Click();
    void Quote1Click();
    void Quote2Click();
    void Query1Click();
    void Date1Click();
    void Law1Click();
    void Tips1NextTip();
    // The first show: command-line arguments, the start-up dialog, the first calculation.
    void FormShow();
    // Opens the web address behind a web-menu entry.
    void openWebLink(const QString& address);

signals:
    // The window has closed for good (after FormClose, or at once from the tray's "Exit");
    // the program should end.
    void finished();
    // FormShow has shown its first result (or the command-line work is done).
    void firstShown();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildCentre();
    void buildTray();
    void addWebEntries(QMenu& menu, bool withSoftware);
    void applyHooks();

    void FormCreate();
    // Writes the layout keys; false after a failed write (already reported).
    bool FormClose();
    void applyViewMarks();
    void showStartupDialog();
    void openDailyTip(core::DailyTips tips);
    void hideToTray();

    MainWindowServices m_services;
    TVantrelHooks m_hooks;
    core::ZoneSnapshot m_zone;
    core::AlarmList m_alarmList;
    std::unique_ptr<MainViewAdapter> m_view;
    std::unique_ptr<core::Calculator> m_calculator;
    std::unique_ptr<core::Tray> m_ownTray;
    QPointer<TDailyTip> m_dailyTip;
    QList<QPointer<QWidget>> m_hiddenToTray;
    bool m_showOnStartup = true;
    bool m_verseOfDay = false;
    bool m_formShown = false;
    bool m_exiting = false;        // the tray's "Exit": end without FormClose
};

}  // namespace vantrel::ui
