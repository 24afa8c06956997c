#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDateEdit>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/common/error.h"
#include "core/ports/clock.h"
#include "core/ports/messages.h"
#include "core/settings/settings_file.h"
#include "core/thelemic/calculation.h"
#include "platform/qt_tray.h"
#include "ui/glyphs.h"
#include "ui/main_view_adapter.h"
#include "ui/tip_dialog.h"

namespace vantrel::ui {

namespace {

constexpr int kPickerWidth = 110;
constexpr int kCalendarPanelHeight = 187;

// The user's locale; the C locale follows United States conventions, as the regional
// settings do.
QLocale pickerLocale()
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

// The locale's short date, with the year in full: a calendar reaches far beyond one century.
QString shortDatePattern()
{
    QString pattern = pickerLocale().dateFormat(QLocale::ShortFormat);
    if (!pattern.contains(QStringLiteral("yyyy")))
        pattern.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return pattern;
}

QDate qDateFromDateTime(core::DateTime value)
{
    const core::CivilDate civil = core::dateFromDateTime(value);
    return {civil.year, civil.month, civil.day};
}

QTime qTimeFromDateTime(core::DateTime value)
{
    const core::TimeOfDay time = core::timeFromDateTime(value);
    return {time.hour, time.minute, time.second, time.msec};
}

}  // namespace

TVantrel::TVantrel(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services))
{
    if (m_services.executablePath.isEmpty())
        m_services.executablePath = QCoreApplication::applicationFilePath();
    setObjectName(QStringLiteral("Vantrel"));
    setWindowTitle(QStringLiteral("Vantrel"));
    setWindowIcon(glyphIcon(Glyph::Program));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(60000);

    buildActions();
    buildMenus();
    buildToolBar();
    buildCentre();
    StatusPanel = new QLabel(this);
    statusBar()->addWidget(StatusPanel, 1);
    buildTray();
    applyHooks();

    m_view = std::make_unique<MainViewAdapter>(*this);
    m_calculator = std::make_unique<core::Calculator>(core::CalculationContext{
        m_services.settings, m_services.regional, m_zone, m_services.process, *m_view,
        m_services.clipboard, m_services.messages, m_services.workDir,
        m_services.defaultEngine});

    FormCreate();
}

TVantrel::~TVantrel()
{
    delete m_dailyTip;
}

void TVantrel::buildToolBar()
{
    DateTool = new QToolBar(QStringLiteral("Date tool"), this);
    DateTool->setObjectName(QStringLiteral("DateTool"));
    DateTool->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    DateTool->setIconSize(QSize(16, 16));
    // Two pickers and eight buttons fill the default width; no room to spare between them.
    DateTool->layout()->setSpacing(0);
    DateTool->layout()->setContentsMargins(0, 0, 0, 0);
    addToolBar(Qt::TopToolBarArea, DateTool);

    GDate = new QDateEdit(DateTool);
    GDate->setObjectName(QStringLiteral("GDate"));
    GDate->setLocale(pickerLocale());
    GDate->setCalendarPopup(true);
    GDate->setDisplayFormat(shortDatePattern());
    GDate->setMinimumDate(QDate(100, 1, 1));
    GDate->setFixedWidth(kPickerWidth);
    Time = new QTimeEdit(DateTool);
    Time->setObjectName(QStringLiteral("Time"));
    Time->setLocale(pickerLocale());
    Time->setDisplayFormat(
        pickerLocale().timeFormat(QLocale::LongFormat).remove(QStringLiteral(" t")));
    Time->setFixedWidth(kPickerWidth);
    DateTool->addWidget(GDate);
    DateTool->addWidget(Time);
    connect(GDate, &QDateEdit::dateChanged, this, &TVantrel::GDateChange);
    connect(Time, &QTimeEdit::timeChanged, this, &TVantrel::GDateChange);

    struct Button {
        QToolButton*& button;
        Glyph glyph;
        const char* hint;
        void (TVantrel::*command)();
    };
    const Button buttons[] = {
        {CalcButton, Glyph::Calculate, "Calculate using displayed information",
         &TVantrel::CalcButtonClick},
        {NowButton, Glyph::Now, "Set Date/Time to \"Now\" and Calculate",
         &TVantrel::NowButtonClick},
        {ClipButton, Glyph::Clipboard, "Copy Thelemic Date to clipboard",
         &TVantrel::ClipButtonClick},
        {AstroButton, Glyph::AstrologOutput, "Display Astrolog program output",
         &TVantrel::AstroButtonClick},
        {HoursButton, Glyph::PlanetaryHours, "Display Planetary Hours",
         &TVantrel::HoursButtonClick},
        {FormattingOptions1, Glyph::Options, "Program Options", &TVantrel::Options1Click},
        {AlarmButton, Glyph::Alarm, "Start Alarm", &TVantrel::Alarm1Click},
        {VerseButton, Glyph::Verse, "Random Verse", &TVantrel::RandomVerse1Click},
    };
    for (const Button& entry : buttons) {
        entry.button = new QToolButton(DateTool);
        entry.button->setIcon(glyphIcon(entry.glyph));
        entry.button->setToolTip(QString::fromUtf8(entry.hint));
        entry.button->setFixedSize(23, 22);
        entry.button->setAutoRaise(true);
        connect(entry.button, &QToolButton::clicked, this, entry.command);
        DateTool->addWidget(entry.button);
    }
}

void TVantrel::buildCentre()
{
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setChildrenCollapsible(false);

    CalendarPanel = new QWidget(Splitter1);
    auto* panelLayout = new QVBoxLayout(CalendarPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    MonthCalendar1 = new QCalendarWidget(CalendarPanel);
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    MonthCalendar1->setLocale(pickerLocale());
    MonthCalendar1->setFirstDayOfWeek(pickerLocale().firstDayOfWeek());
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setGridVisible(false);
    panelLayout->addWidget(MonthCalendar1);
    connect(MonthCalendar1, &QCalendarWidget::clicked, this, &TVantrel::MonthCalendar1Click);

    TDate = new QTextEdit(Splitter1);
    TDate->setObjectName(QStringLiteral("TDate"));
    TDate->setReadOnly(true);
    TDate->setAcceptRichText(true);
    TDate->setToolTip(QStringLiteral("Thelemic date"));
    TDate->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TDate, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Copy"), this, &TVantrel::Copy2Click);
        menu.addAction(QStringLiteral("Select all"), this, &TVantrel::Selectall2Click);
        menu.exec(TDate->viewport()->mapToGlobal(at));
    });

    Splitter1->addWidget(CalendarPanel);
    Splitter1->addWidget(TDate);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kCalendarPanelHeight, 100});
    setCentralWidget(Splitter1);
}

void TVantrel::buildTray()
{
    TrayMenu = new QMenu(this);
    TrayMenu->addAction(Query1);
    TrayMenu->addAction(Quote1);
    TrayMenu->addAction(WordDocument1);
    QMenu* clip = TrayMenu->addMenu(QStringLiteral("ClipBoard"));
    clip->addAction(Quote2);
    clip->addAction(Date1);
    clip->addAction(Law1);
    TrayMenu->addSeparator();
    QMenu* web = TrayMenu->addMenu(QStringLiteral("&Web"));
    addWebEntries(*web, false);
    TrayMenu->addAction(Restore1);
    TrayMenu->addAction(Exit2);

    NotificationIcon1 = new QSystemTrayIcon(glyphIcon(Glyph::Tray), this);
    NotificationIcon1->setContextMenu(TrayMenu);
    connect(NotificationIcon1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    NotificationIcon1Click();
            });
    if (trayAvailable())
        NotificationIcon1->show();
    if (!m_services.tray) {
        m_ownTray = std::make_unique<platform::QtTray>(NotificationIcon1,
                                                       [this] { return trayAvailable(); });
        m_services.tray = m_ownTray.get();
    }
}

bool TVantrel::trayAvailable() const
{
    return m_services.trayAvailable ? m_services.trayAvailable()
                                    : QSystemTrayIcon::isSystemTrayAvailable();
}

void TVantrel::setHooks(TVantrelHooks hooks)
{
    m_hooks = std::move(hooks);
    applyHooks();
}

void TVantrel::applyHooks()
{
    const auto enable = [](bool on, std::initializer_list<QObject*> controls) {
        for (QObject* control : controls) {
            if (auto* action = qobject_cast<QAction*>(control))
                action->setEnabled(on);
            else if (auto* widget = qobject_cast<QWidget*>(control))
                widget->setEnabled(on);
        }
    };
    enable(bool(m_hooks.Batch1Click), {Batch1});
    enable(bool(m_hooks.InsertintoWord971Click), {InsertintoWord971, WordDocument1});
    enable(bool(m_hooks.AstroButtonClick), {Astrologdatawindow1, AstroButton});
    enable(bool(m_hooks.HoursButtonClick), {Planetaryhourschart1, HoursButton});
    enable(bool(m_hooks.Alarm1Click), {Alarm1, AlarmButton});
    enable(bool(m_hooks.Animate1Click), {Animate1});
    enable(bool(m_hooks.showOptions), {Options1, FormattingOptions1});
}

TDailyTip* TVantrel::dailyTip() const
{
    return m_dailyTip;
}

core::Calculator& TVantrel::calculator()
{
    return *m_calculator;
}

// ----- Start, first show and close

void TVantrel::FormCreate()
{
    guarded([this] {
        m_zone = core::TakeSystemZoneSnapshot(m_services.zoneRules, m_services.clock,
                                              m_services.regional, m_services.messages);
    });

    const core::MainWindowLayout layout = core::SettingsFile(m_services.settingsFile).readLayout();
    ToolBars1->setChecked(layout.toolBar);
    Statusbar2->setChecked(layout.statusBar);
    MonthlyCalendar1->setChecked(layout.monthCalendar);
    m_showOnStartup = layout.showOnStartup;
    m_verseOfDay = layout.verseOfDay;
    const int menuHeight = menuBar()->sizeHint().height();
    resize(layout.clientWidth, layout.clientHeight + menuHeight);
    move(layout.left, layout.top);
    applyViewMarks();

    const core::DateTime now = m_services.clock.now();
    setPickers(now);
    MonthCalendar1->setSelectedDate(GDate->date());
}

void TVantrel::applyViewMarks()
{
    DateTool->setVisible(ToolBars1->isChecked());
    statusBar()->setVisible(Statusbar2->isChecked());
    const bool calendar = MonthlyCalendar1->isChecked();
    CalendarPanel->setVisible(calendar);
    // The splitter would drop its handle at its next layout pass; the user sees it go now.
    Splitter1->handle(1)->setVisible(calendar);
}

void TVantrel::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_formShown) {
        m_formShown = true;
        // After the window has painted, so that the first calculation's note is seen.
        QTimer::singleShot(0, this, &TVantrel::FormShow);
    }
}

void TVantrel::FormShow()
{
    const QStringList& arguments = m_services.arguments;
    if (arguments.size() == 1) {
        if (arguments.front() == QStringLiteral("x"))
            CalcButtonClick();
        ClipButtonClick();
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
    CalcButtonClick();
    emit firstShown();
}

void TVantrel::closeEvent(QCloseEvent* event)
{
    if (!m_exiting)
        FormClose();
    event->accept();
    emit finished();
}

bool TVantrel::FormClose()
{
    core::MainWindowLayout layout;
    layout.toolBar = ToolBars1->isChecked();
    layout.statusBar = Statusbar2->isChecked();
    layout.monthCalendar = MonthlyCalendar1->isChecked();
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

void TVantrel::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && trayAvailable()) {
        // Out of the way until the tray icon brings it back. Without a tray the window stays
        // minimised on the task bar, the only road back.
        QTimer::singleShot(0, this, &TVantrel::hideToTray);
    }
}

void TVantrel::hideToTray()
{
    if (!isMinimized())
        return;
    m_hiddenToTray.clear();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window != this && !window->inherits("QMenu") &&
            !qobject_cast<platform::BalloonPopup*>(window)) {
            m_hiddenToTray.append(window);
            window->hide();
        }
    }
    hide();
}

void TVantrel::Restore1Click()
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

void TVantrel::NotificationIcon1Click()
{
    Restore1Click();
}

void TVantrel::Exit1Click()
{
    close();
}

void TVantrel::Exit2Click()
{
    m_exiting = true;
    close();
}

// ----- Pickers, display and caption

core::DateTime TVantrel::displayedDate() const
{
    const QDate date = GDate->date();
    return core::dateTimeFromDate(date.year(), date.month(), date.day());
}

core::DateTime TVantrel::displayedTime() const
{
    const QTime time = Time->time();
    return core::dateTimeFromTime({time.hour(), time.minute(), time.second(), time.msec()});
}

void TVantrel::setPickers(core::DateTime moment)
{
    const QSignalBlocker blockDate(GDate);
    const QSignalBlocker blockTime(Time);
    GDate->setDate(qDateFromDateTime(moment));
    Time->setTime(qTimeFromDateTime(moment));
}

std::vector<std::string> TVantrel::displayLines() const
{
    const QString text = TDate->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(line.toStdString());
    return lines;
}

std::vector<std::string> TVantrel::shownDisplayLines() const
{
    std::vector<std::string> lines;
    QTextDocument* document = TDate->document();
    document->setTextWidth(TDate->viewport()->width());
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

void TVantrel::setDisplayLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    TDate->setPlainText(text.join(QLatin1Char('\n')));
}

void TVantrel::addDisplayLine(const QString& line)
{
    TDate->append(line);
}

void TVantrel::showStatusText(const QString& text)
{
    TDate->setPlainText(text);
    TDate->repaint();
}

void TVantrel::setStatusText(const QString& text)
{
    StatusPanel->setText(text);
}

void TVantrel::setCaption(const QString& caption)
{
    setWindowTitle(caption);
    QGuiApplication::setApplicationDisplayName(caption);
}

void TVantrel::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        m_services.messages.showError(error.what());
    }
}

}  // namespace vantrel::ui
