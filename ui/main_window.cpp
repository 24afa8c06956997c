#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/chart_engine/engine_run.h"
#include "core/chart_engine/ephemeris_range.h"
#include "core/common/error.h"
#include "core/ports/clock.h"
#include "core/ports/messages.h"
#include "core/ports/process_runner.h"
#include "core/settings/settings_file.h"
#include "core/thelemic/calculation.h"
#include "platform/qt_regional_settings.h"
#include "platform/qt_tray.h"
#include "ui/glyphs.h"
#include "ui/main_view_adapter.h"
#include "ui/month_calendar.h"
#include "ui/qt_date_time.h"
#include "ui/tip_dialog.h"
#include "ui/window_placement.h"
#include "ui/year_calendars.h"

namespace vantrel::ui {

namespace {

constexpr int kCalendarPanelHeight = 187;
constexpr int kToolBarEndMargin = 2;
// How often the window looks whether the desktop's tray has come or gone.
constexpr int kTrayWatchMs = 1000;

// The user's locale of dates and times, as the regional settings read it.
QLocale pickerLocale()
{
    return platform::timeLocale();
}

// The locale's short date, with the year in full: a calendar reaches far beyond one century.
QString shortDatePattern()
{
    QString pattern = pickerLocale().dateFormat(QLocale::ShortFormat);
    if (!pattern.contains(QStringLiteral("yyyy")))
        pattern.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return pattern;
}

QDate qDateFromCivil(const core::CivilDate& civil)
{
    return {civil.year, civil.month, civil.day};
}

// The date display. What it hands to drag and drop and to the selection clipboard leaves out
// its remarks, as its copy commands do.
class DateDisplayEdit : public QTextEdit {
public:
    using QTextEdit::QTextEdit;

protected:
    QMimeData* createMimeDataFromSelection() const override
    {
        const QTextDocumentFragment copied = copiedSelection(textCursor());
        auto* mime = new QMimeData;
        mime->setHtml(copied.toHtml());
        mime->setText(copied.toPlainText());
        return mime;
    }
};

}  // namespace

QFont programFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    return font;
}

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services))
{
    if (m_services.executablePath.isEmpty())
        m_services.executablePath = QCoreApplication::applicationFilePath();
    setObjectName(QStringLiteral("Vantrel"));
    setWindowTitle(QStringLiteral("Vantrel"));
    setWindowIcon(glyphIcon(Glyph::Program));
    setFont(programFont());

    m_alarmTimer = new QTimer(this);
    m_alarmTimer->setObjectName(QStringLiteral("Timer1"));
    m_alarmTimer->setInterval(1000);
    m_animationTimer = new QTimer(this);
    m_animationTimer->setObjectName(QStringLiteral("Timer2"));
    m_animationTimer->setInterval(60000);
    m_engineWait = std::make_unique<EngineWait>(
        std::initializer_list<QObject*>{m_alarmTimer, m_animationTimer});
    m_services.process.setStopCheck([this] { return m_engineWait->check(); });

    m_years = new YearCalendars(m_services.settings, m_services.regional, m_zone, m_services.sky,
                                m_services.workDir, m_services.dataDir, m_services.messages, this);
    buildMenus();
    buildToolBar();
    buildCentre();
    m_statusPanel = new QLabel(this);
    m_statusPanel->setObjectName(QStringLiteral("StatusPanel"));
    statusBar()->addWidget(m_statusPanel, 1);
    buildTray();
    applyHooks();

    m_view = std::make_unique<MainViewAdapter>(*this);
    m_dateDisplay = std::make_unique<TextEditDateDisplay>(*m_display, m_services.clipboard);
    m_engineProgram = std::make_unique<core::EngineProgram>(
        m_services.process, m_services.settings, m_services.workDir, m_services.defaultEngine);
    m_engine = std::make_unique<core::ConfiguredEngine>(m_services.builtInEngine, *m_engineProgram,
                                                        m_services.settings, m_services.workDir);
    m_calculator = std::make_unique<core::Calculator>(
        core::CalculationContext{m_services.settings, m_services.regional, m_zone, *m_engine,
                                 *m_view, m_services.clipboard, m_services.messages});

    setUp();
}

MainWindow::~MainWindow()
{
    m_services.process.setStopCheck({});
    delete m_tipDialog;
}

void MainWindow::buildToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Date tool"), this);
    m_toolBar->setObjectName(QStringLiteral("DateTool"));
    m_toolBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_toolBar->setIconSize(QSize(16, 16));
    // Two pickers and eight buttons fill the default width; no room to spare between them. A
    // narrow window shows the overflow button at the end, which needs a margin to be drawn
    // whole: Qt's horizontal tool bar takes the margin after it from the bottom one.
    m_toolBar->layout()->setSpacing(0);
    m_toolBar->layout()->setContentsMargins(0, 0, 0, kToolBarEndMargin);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    m_datePicker = new QDateEdit(m_toolBar);
    m_datePicker->setObjectName(QStringLiteral("GDate"));
    m_datePicker->setLocale(pickerLocale());
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(shortDatePattern());
    // The pickers hold the dates the chart engine computes, and no others.
    m_datePicker->setDateRange(qDateFromCivil(core::kFirstEphemerisDate),
                               qDateFromCivil(core::kLastEphemerisDate));
    m_timePicker = new QTimeEdit(m_toolBar);
    m_timePicker->setObjectName(QStringLiteral("Time"));
    m_timePicker->setLocale(pickerLocale());
    m_timePicker->setDisplayFormat(
        pickerLocale().timeFormat(QLocale::LongFormat).remove(QStringLiteral(" t")));
    // Each picker as wide as its longest text, so that both and all eight buttons fit the
    // default width.
    for (QDateTimeEdit* picker :
         {static_cast<QDateTimeEdit*>(m_datePicker), static_cast<QDateTimeEdit*>(m_timePicker)})
        picker->setFixedWidth(picker->sizeHint().width());
    m_datePicker->setAccessibleName(QStringLiteral("Date"));
    m_timePicker->setAccessibleName(QStringLiteral("Time"));
    m_toolBar->addWidget(m_datePicker);
    m_toolBar->addWidget(m_timePicker);
    connect(m_datePicker, &QDateEdit::dateChanged, this, &MainWindow::showCalculateNote);
    connect(m_timePicker, &QTimeEdit::timeChanged, this, &MainWindow::showCalculateNote);

    struct Button {
        const char* name;
        QToolButton** member;
        Glyph glyph;
        const char* hint;
        void (MainWindow::*command)();
    };
    const Button buttons[] = {
        {"CalcButton", nullptr, Glyph::Calculate, "Calculate using displayed information",
         &MainWindow::calculate},
        {"NowButton", nullptr, Glyph::Now, "Set Date/Time to \"Now\" and Calculate",
         &MainWindow::calculateNow},
        {"ClipButton", nullptr, Glyph::Clipboard, "Copy Thelemic Date to clipboard",
         &MainWindow::copyDate},
        {"AstroButton", &m_dataWindowButton, Glyph::EngineOutput, "Display Astrolog program output",
         &MainWindow::showDataWindow},
        {"HoursButton", &m_hoursButton, Glyph::PlanetaryHours, "Display Planetary Hours",
         &MainWindow::showPlanetaryHours},
        {"FormattingOptions1", &m_optionsButton, Glyph::Options, "Program Options",
         &MainWindow::showOptions},
        {"AlarmButton", &m_alarmButton, Glyph::Alarm, "Start Alarm", &MainWindow::toggleAlarm},
        {"VerseButton", nullptr, Glyph::Verse, "Random Verse", &MainWindow::showRandomVerse},
    };
    for (const Button& entry : buttons) {
        auto* button = new QToolButton(m_toolBar);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setIcon(glyphIcon(entry.glyph));
        button->setToolTip(QString::fromUtf8(entry.hint));
        button->setAccessibleName(button->toolTip());  // a picture says nothing to a reader
        button->setFixedSize(23, 22);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, entry.command);
        m_toolBar->addWidget(button);
        if (entry.member)
            *entry.member = button;
    }
}

void MainWindow::buildCentre()
{
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setChildrenCollapsible(false);

    m_calendarPanel = new QWidget(m_splitter);
    m_calendarPanel->setObjectName(QStringLiteral("CalendarPanel"));
    auto* panelLayout = new QVBoxLayout(m_calendarPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    m_monthCalendar = new MonthCalendar(m_years, m_calendarPanel);
    m_monthCalendar->setObjectName(QStringLiteral("MonthCalendar1"));
    m_monthCalendar->setLocale(pickerLocale());
    m_monthCalendar->setFirstDayOfWeek(pickerLocale().firstDayOfWeek());
    m_monthCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_monthCalendar->setGridVisible(false);
    m_monthCalendar->setDateRange(m_datePicker->minimumDate(), m_datePicker->maximumDate());
    panelLayout->addWidget(m_monthCalendar);
    connect(m_monthCalendar, &QCalendarWidget::clicked, this, &MainWindow::calculateClickedDay);

    m_display = new DateDisplayEdit(m_splitter);
    m_display->setObjectName(QStringLiteral("TDate"));
    m_display->setReadOnly(true);
    m_display->setAcceptRichText(true);
    m_display->setToolTip(QStringLiteral("Thelemic date"));
    m_display->setAccessibleName(m_display->toolTip());
    // Selectable from the keyboard too; the window opens with the focus here, ready to copy.
    m_display->setTextInteractionFlags(m_display->textInteractionFlags() |
                                       Qt::TextSelectableByKeyboard);
    m_display->setFocus();
    m_copyAction = displayCommand("Copy2", "Copy", QKeySequence::Copy, &MainWindow::copySelection);
    m_copyAction->setEnabled(false);
    connect(m_display, &QTextEdit::copyAvailable, m_copyAction, &QAction::setEnabled);
    QAction* selectAll = displayCommand("Selectall2", "Select all", QKeySequence::SelectAll,
                                        &MainWindow::selectAllText);
    m_display->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_display, &QWidget::customContextMenuRequested, this,
            [this, selectAll](const QPoint& at) {
                QMenu menu(this);
                menu.addActions({m_copyAction, selectAll});
                menu.exec(m_display->viewport()->mapToGlobal(at));
            });

    m_splitter->addWidget(m_calendarPanel);
    m_splitter->addWidget(m_display);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kCalendarPanelHeight, 100});
    setCentralWidget(m_splitter);
}

QAction* MainWindow::displayCommand(const char* name, const char* caption,
                                    QKeySequence::StandardKey keys, void (MainWindow::*command)())
{
    auto* action = new QAction(QString::fromUtf8(caption), m_display);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, command);
    m_display->addAction(action);
    return action;
}

void MainWindow::buildTray()
{
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("TrayMenu"));
    addCommand(*m_trayMenu, "Query1", "Date", &MainWindow::showDateBalloon);
    addCommand(*m_trayMenu, "Quote1", "Quote", &MainWindow::showVerseBalloon);
    m_trayLetterAction =
        addCommand(*m_trayMenu, "WordDocument1", "Letter in Writer", &MainWindow::insertLetter);
    addClipboardMenu(*m_trayMenu, "TrayClipBoard", {"Quote2", "Date1", "Law1"});
    m_trayMenu->addSeparator();
    QMenu* web = m_trayMenu->addMenu(QStringLiteral("&Web"));
    addWebEntries(*web, false);
    addCommand(*m_trayMenu, "Restore1", "Restore", &MainWindow::restoreFromTray);
    addCommand(*m_trayMenu, "Exit2", "Exit", &MainWindow::exitFromTray);

    m_trayIcon = new QSystemTrayIcon(glyphIcon(Glyph::Tray), this);
    m_trayIcon->setObjectName(QStringLiteral("NotificationIcon1"));
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    restoreFromTray();
            });
    followTray();
    // A panel may start after the program, or end and start again: the icon and the menus'
    // tray commands follow it.
    auto* trayWatch = new QTimer(this);
    trayWatch->setObjectName(QStringLiteral("TrayWatch"));
    trayWatch->setInterval(kTrayWatchMs);
    connect(trayWatch, &QTimer::timeout, this, &MainWindow::followTray);
    trayWatch->start();
    if (!m_services.tray) {
        m_ownTray =
            std::make_unique<platform::QtTray>(m_trayIcon, [this] { return trayAvailable(); });
        m_services.tray = m_ownTray.get();
    }
}

bool MainWindow::trayAvailable() const
{
    return m_services.trayAvailable ? m_services.trayAvailable()
                                    : QSystemTrayIcon::isSystemTrayAvailable();
}

void MainWindow::followTray()
{
    // An icon hidden as its tray went is shown again to the next tray, which docks it anew.
    const bool available = trayAvailable();
    if (m_trayIcon->isVisible() != available)
        m_trayIcon->setVisible(available);
    showTraylessEntries();
}

bool MainWindow::showTrayIcon()
{
    if (!trayAvailable())
        return false;
    // A tray that came up after the program (a panel started later) gets the icon now.
    if (!m_trayIcon->isVisible())
        m_trayIcon->show();
    return true;
}

void MainWindow::setHooks(MainWindowHooks hooks)
{
    m_hooks = std::move(hooks);
    applyHooks();
}

void MainWindow::applyHooks()
{
    const auto enable = [](bool on, std::initializer_list<QObject*> controls) {
        for (QObject* control : controls) {
            if (auto* action = qobject_cast<QAction*>(control))
                action->setEnabled(on);
            else if (auto* widget = qobject_cast<QWidget*>(control))
                widget->setEnabled(on);
        }
    };
    enable(bool(m_hooks.askAndConvertBatch), {m_batchAction});
    enable(bool(m_hooks.insertLetter), {m_letterAction, m_trayLetterAction});
    enable(bool(m_hooks.showDataWindow), {m_dataWindowAction, m_dataWindowButton});
    enable(bool(m_hooks.showPlanetaryHours), {m_hoursAction, m_hoursButton});
    enable(bool(m_hooks.toggleAlarm), {m_alarmMark, m_alarmButton});
    enable(bool(m_hooks.toggleAnimation), {m_animateMark});
    enable(bool(m_hooks.showOptions), {m_optionsAction, m_optionsButton});
    enable(bool(m_hooks.showYearWindow), {m_yearAction});
}

TipDialog* MainWindow::tipDialog() const
{
    return m_tipDialog;
}

core::Calculator& MainWindow::calculator()
{
    return *m_calculator;
}

core::DateDisplay& MainWindow::dateDisplay()
{
    return *m_dateDisplay;
}

// ----- Start, first show and close

void MainWindow::setUp()
{
    guarded([this] {
        m_zone =
            core::liveSystemZone(m_services.zoneRules, m_services.regional, m_services.messages);
    });

    const core::MainWindowLayout layout = core::SettingsFile(m_services.settingsFile).readLayout();
    m_toolBarMark->setChecked(layout.toolBar);
    m_statusBarMark->setChecked(layout.statusBar);
    m_calendarMark->setChecked(layout.monthCalendar);
    m_showOnStartup = layout.showOnStartup;
    m_verseOfDay = layout.verseOfDay;
    const int menuHeight = menuBar()->sizeHint().height();
    resize(layout.clientWidth, layout.clientHeight + menuHeight);
    // Where it was, unless that is off the work area (a screen gone, a panel added).
    placeInWorkArea(*this, QPoint(layout.left, layout.top));
    applyViewMarks();

    setPickers(localClock().now());
    m_monthCalendar->setSelectedDate(m_datePicker->date());
}

void MainWindow::applyViewMarks()
{
    m_toolBar->setVisible(m_toolBarMark->isChecked());
    statusBar()->setVisible(m_statusBarMark->isChecked());
    const bool calendar = m_calendarMark->isChecked();
    m_calendarPanel->setVisible(calendar);
    // The splitter would drop its handle at its next layout pass; the user sees it go now.
    m_splitter->handle(1)->setVisible(calendar);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_formShown) {
        m_formShown = true;
        // After the window has painted, so that the first calculation's note is seen.
        QTimer::singleShot(0, this, &MainWindow::start);
    }
}

void MainWindow::start()
{
    const QStringList& arguments = m_services.arguments;
    if (arguments.size() == 1) {
        if (arguments.front() == QStringLiteral("x"))
            calculate();
        copyDate();
        emit firstShown();
        close();
        return;
    }
    if (arguments.size() == 2) {
        if (m_hooks.convertBatch)
            guarded([&] { m_hooks.convertBatch(arguments[0], arguments[1]); });
        emit firstShown();
        close();
        return;
    }
    showStartupDialog();
    calculate();
    emit firstShown();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_exiting)
        saveLayout();
    event->accept();
    emit finished();
}

bool MainWindow::saveLayout()
{
    core::MainWindowLayout layout;
    layout.toolBar = m_toolBarMark->isChecked();
    layout.statusBar = m_statusBarMark->isChecked();
    layout.monthCalendar = m_calendarMark->isChecked();
    layout.showOnStartup = m_showOnStartup;
    layout.verseOfDay = m_verseOfDay;
    const QRect frame = frameGeometry();
    layout.clientHeight = height() - menuBar()->height();
    layout.clientWidth = width();
    layout.top = frame.top();
    layout.left = frame.left();
    // A settings file that cannot be written must not keep the program from ending: the
    // failure is reported once and the window closes without its layout.
    try {
        core::SettingsFile(m_services.settingsFile).writeLayout(layout);
        return true;
    } catch (const std::exception& error) {
        m_services.messages.showError(error.what());
        return false;
    }
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && showTrayIcon()) {
        // Out of the way until the tray icon brings it back. Without a tray the window stays
        // minimised on the task bar, the only road back.
        QTimer::singleShot(0, this, &MainWindow::hideToTray);
    }
}

void MainWindow::hideToTray()
{
    if (!isMinimized())
        return;
    // The program's own windows only: the tray icon is a window of the program's too, and
    // hiding it would leave no road back.
    m_hiddenToTray.clear();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const bool ownWindow = qobject_cast<QMainWindow*>(window) || qobject_cast<QDialog*>(window);
        if (ownWindow && window != this && window->isVisible()) {
            m_hiddenToTray.append(window);
            window->hide();
        }
    }
    hide();
}

void MainWindow::restoreFromTray()
{
    showNormal();
    for (const QPointer<QWidget>& window : std::as_const(m_hiddenToTray)) {
        if (window)
            window->show();
    }
    m_hiddenToTray.clear();
    raise();
    activateWindow();
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::exitFromTray()
{
    m_exiting = true;
    close();
}

// ----- Pickers, display and caption

core::Date MainWindow::displayedDate() const
{
    return dateFromQt(m_datePicker->date());
}

core::TimeOfDay MainWindow::displayedTime() const
{
    return timeFromQt(m_timePicker->time());
}

void MainWindow::setPickers(const core::LocalDateTime& moment)
{
    const QSignalBlocker blockDate(m_datePicker);
    const QSignalBlocker blockTime(m_timePicker);
    m_datePicker->setDate(qDateFrom(moment.date));
    m_timePicker->setTime(qTimeFrom(moment.time));
}

std::vector<std::string> MainWindow::displayLines() const
{
    QTextCursor whole(m_display->document());
    whole.select(QTextCursor::Document);
    const QString text = copiedSelection(whole).toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(line.toStdString());
    return lines;
}

std::vector<std::string> MainWindow::shownDisplayLines() const
{
    std::vector<std::string> lines;
    QTextDocument* document = m_display->document();
    document->setTextWidth(m_display->viewport()->width());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        QTextLayout* layout = block.layout();
        if (!layout || layout->lineCount() == 0) {
            lines.push_back(text.toStdString());
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.push_back(text.mid(line.textStart(), line.textLength()).toStdString());
        }
    }
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

void MainWindow::setDisplayLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    setDisplayText(text.join(QLatin1Char('\n')));
}

void MainWindow::setDisplayText(const QString& text)
{
    // New text would take the format at the caret, which may be a remark's.
    m_display->setCurrentCharFormat(QTextCharFormat());
    m_display->setPlainText(text);
}

void MainWindow::addDisplayLine(const QString& line)
{
    m_display->append(line);
    // A new line takes the format of the text before it, which may be a remark; it is none.
    QTextCursor last(m_display->document()->lastBlock());
    last.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat format = last.charFormat();
    if (format.hasProperty(kAsideProperty)) {
        format.clearProperty(kAsideProperty);
        format.clearForeground();
        last.setCharFormat(format);
    }
}

void MainWindow::addDisplayAside(const QString& text)
{
    QTextCursor end(m_display->document());
    end.movePosition(QTextCursor::End);
    QTextCharFormat aside = end.charFormat();
    aside.setProperty(kAsideProperty, true);
    aside.setForeground(m_display->palette().brush(QPalette::Disabled, QPalette::Text));
    end.insertText(text, aside);
}

void MainWindow::showStatusText(const QString& text)
{
    setDisplayText(text);
    m_display->repaint();
}

void MainWindow::setStatusText(const QString& text)
{
    m_statusPanel->setText(text);
}

void MainWindow::setAlarmMark(bool armed)
{
    m_alarmMark->setChecked(armed);
}

void MainWindow::setAnimateMark(bool on)
{
    m_animateMark->setChecked(on);
}

void MainWindow::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void MainWindow::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const core::EngineRunStopped&) {
        // Escape while an engine program ran: the user knows.
        setStatusText(QStringLiteral("Stopped: the chart engine was stopped"));
    } catch (const std::exception& error) {
        m_services.messages.showError(error.what());
    }
}

}  // namespace vantrel::ui
