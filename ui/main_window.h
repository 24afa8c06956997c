#pragma once
// The main window: date and time pickers, the month calendar, the date display, the menus, the
// tool bar and the tray icon. It gathers what the user entered and hands it to the core; the
// rules live there. Commands that other windows own reach it through the views of
// main_window_interface.h, and it reaches them through MainWindowHooks. Its controls are its own;
// they are found by their objectNames ("GDate", "CalcButton", "Timer1").

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QFont>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>

#include "core/alarm/alarm_list.h"
#include "core/chart_engine/configured_engine.h"
#include "core/chart_engine/engine_program.h"
#include "core/chart_engine/live_zone.h"
#include "core/settings/settings.h"
#include "ui/engine_wait.h"
#include "ui/main_window_interface.h"

class QAction;
class QCalendarWidget;
class QDateEdit;
class QLabel;
class QMenu;
class QSplitter;
class QSystemTrayIcon;
class QTextEdit;
class QTimeEdit;
class QToolBar;
class QToolButton;

namespace vantrel::core {
class DailyTips;
class DateDisplay;
}  // namespace vantrel::core

namespace vantrel::ui {

// The font of the main window, and of every other window of the program: Arial, 13 pixels.
QFont programFont();

// What "Help" says when the desktop has no browser for the help page at `page`.
std::string helpWithoutBrowserMessage(const std::string& page);
// What "Edit feasts..." says when the desktop has nothing to open the feasts file at `file`.
std::string feastsWithoutEditorMessage(const std::string& file);

class MainViewAdapter;
class TipDialog;
class YearCalendars;
class TextEditDateDisplay;

class MainWindow : public QMainWindow, public AlarmWindow {
    Q_OBJECT

public:
    // Builds the widgets and runs setUp (live zone rules, layout keys, pickers set to now).
    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setHooks(MainWindowHooks hooks);
    const MainWindowHooks& hooks() const { return m_hooks; }

    // --- State the other windows read and write.
    core::Calculator& calculator() override;
    core::Settings& settings() { return m_services.settings; }
    core::AlarmList& alarmList() override { return m_alarmList; }
    const MainWindowServices& services() const override { return m_services; }
    // The date display as the letter copies it: whole, as rich text and plain text.
    core::DateDisplay& dateDisplay();

    // The start-up tip dialog's flags ("TOTD" and "VOD"), saved when the window closes.
    bool& showOnStartup() { return m_showOnStartup; }
    bool& verseOfDay() { return m_verseOfDay; }

    core::Date displayedDate() const override;
    core::TimeOfDay displayedTime() const override;
    void setPickers(const core::LocalDateTime& moment) override;

    // The display's lines as stored, and as the display shows them (a line wrapped by the
    // display's width counts as several; an empty last line does not count).
    std::vector<std::string> displayLines() const;
    std::vector<std::string> shownDisplayLines() const;
    void setDisplayLines(const std::vector<std::string>& lines);
    void addDisplayLine(const QString& line) override;
    void addDisplayAside(const QString& text) override;
    // Replaces the display by a short note and paints it at once.
    void showStatusText(const QString& text);
    void setStatusText(const QString& text) override;
    // The window caption: the date line or "Vantrel".
    void setCaption(const QString& caption);

    void setAlarmMark(bool armed) override;
    void setAnimateMark(bool on) override;
    QTimer& alarmTimer() override { return *m_alarmTimer; }
    QTimer& animationTimer() override { return *m_animationTimer; }
    QWidget& widget() override { return *this; }

    // A balloon at the tray icon (or the pop-up that stands in for it), 10 s.
    void showBalloon(const QString& text, const QString& title);
    bool trayAvailable() const;
    // Shows the tray icon where the desktop has a tray; false where it has none.
    bool showTrayIcon();

    // The calendars of the years, for the month calendar and the Year window.
    YearCalendars& yearCalendars() { return *m_years; }

    // The tip dialog, while it is open.
    TipDialog* tipDialog() const;

    void guarded(const std::function<void()>& command) override;

public slots:
    void calculate();
    void calculateNow() override;
    void showCalculateNote();
    void calculateClickedDay();
    void copyDate();
    void showDataWindow() override;
    void showPlanetaryHours();
    void toggleAlarm();
    void toggleAnimation();
    void askAndConvertBatch();
    void insertLetter();
    void showRandomVerse();
    void showOptions();
    // "Edit feasts...": opens the user's feasts file in the desktop's editor, made from the
    // installed one on first use; the calendar follows its changes.
    void editFeasts();
    void showYearWindow();
    void toggleToolBar();
    void toggleStatusBar();
    void toggleMonthCalendar();
    void copySelection();
    void selectAllText();
    void exitProgram();
    void exitFromTray();
    void showAbout();
    void showHelp();
    void restoreFromTray();
    void showVerseBalloon();
    void copyVerse();
    void showDateBalloon();
    void copyDateNow();
    void copyLaw();
    void advanceTip();
    // The first show: command-line arguments, the start-up dialog, the first calculation.
    void start();
    // Opens the web address behind a web-menu entry.
    void openWebLink(const QString& address);

signals:
    // The window has closed for good (after saveLayout, or at once from the tray's "Exit");
    // the program should end.
    void finished();
    // start has shown its first result (or the command-line work is done).
    void firstShown();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class MainViewAdapter;

    void buildMenus();
    void buildToolBar();
    void buildCentre();
    void buildTray();
    QAction* addCommand(QMenu& menu, const char* name, const char* caption,
                        void (MainWindow::*command)(), const QKeySequence& keys = {});
    QAction* addMark(QMenu& menu, const char* name, const char* caption,
                     void (MainWindow::*command)());
    // The tray's "ClipBoard" submenu (Quote, Date, Law), its entries named entryNames.
    QAction* addClipboardMenu(QMenu& menu, const char* name,
                              const std::array<const char*, 3>& entryNames);
    // The tray's commands in the menu bar, shown while the desktop has no tray.
    void showTraylessEntries();
    // Shows the tray icon while the desktop has a tray, and the tray's commands in the menus
    // while it has none.
    void followTray();
    void addWebEntries(QMenu& menu, bool withSoftware);
    // A command of the date display's own menu, with its shortcut while the display has focus.
    QAction* displayCommand(const char* name, const char* caption, QKeySequence::StandardKey keys,
                            void (MainWindow::*command)());
    void applyHooks();

    void setUp();
    // Writes the layout keys; false after a failed write (already reported).
    bool saveLayout();
    void applyViewMarks();
    // Replaces the display's text by plain text.
    void setDisplayText(const QString& text);
    void showStartupDialog();
    void openTipDialog(core::DailyTips tips);
    void hideToTray();

    MainWindowServices m_services;
    MainWindowHooks m_hooks;
    core::LiveZone m_zone;
    core::AlarmList m_alarmList;
    std::unique_ptr<MainViewAdapter> m_view;
    std::unique_ptr<TextEditDateDisplay> m_dateDisplay;
    // The engine program the settings name, run in the working folder, and the engine the
    // calculations use: the built-in one, whose listings are written there too, unless the
    // settings name a program.
    std::unique_ptr<core::EngineProgram> m_engineProgram;
    // Keeps the windows answering while an engine program runs.
    std::unique_ptr<EngineWait> m_engineWait;
    std::unique_ptr<core::ConfiguredEngine> m_engine;
    std::unique_ptr<core::Calculator> m_calculator;
    YearCalendars* m_years = nullptr;
    std::unique_ptr<core::Tray> m_ownTray;
    QPointer<TipDialog> m_tipDialog;
    QList<QPointer<QWidget>> m_hiddenToTray;
    bool m_showOnStartup = true;
    bool m_verseOfDay = false;
    bool m_formShown = false;
    bool m_exiting = false;  // the tray's "Exit": end without saveLayout

    // The tool bar and the centre.
    QToolBar* m_toolBar = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QTimeEdit* m_timePicker = nullptr;
    QSplitter* m_splitter = nullptr;
    QWidget* m_calendarPanel = nullptr;
    QCalendarWidget* m_monthCalendar = nullptr;
    QTextEdit* m_display = nullptr;
    QLabel* m_statusPanel = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
    QMenu* m_trayMenu = nullptr;
    QTimer* m_alarmTimer = nullptr;
    QTimer* m_animationTimer = nullptr;

    // The view switches and the two marks the alarm and the animation set.
    QAction* m_toolBarMark = nullptr;
    QAction* m_statusBarMark = nullptr;
    QAction* m_calendarMark = nullptr;
    QAction* m_alarmMark = nullptr;
    QAction* m_animateMark = nullptr;
    QList<QAction*> m_traylessEntries;
    QAction* m_copyAction = nullptr;  // the display's "Copy", enabled while text is selected

    // The controls of the commands other windows carry out, enabled while their hooks are set.
    QAction* m_batchAction = nullptr;
    QAction* m_letterAction = nullptr;
    QAction* m_trayLetterAction = nullptr;
    QAction* m_dataWindowAction = nullptr;
    QAction* m_hoursAction = nullptr;
    QAction* m_optionsAction = nullptr;
    QAction* m_yearAction = nullptr;
    QToolButton* m_dataWindowButton = nullptr;
    QToolButton* m_hoursButton = nullptr;
    QToolButton* m_optionsButton = nullptr;
    QToolButton* m_alarmButton = nullptr;
};

}  // namespace vantrel::ui
