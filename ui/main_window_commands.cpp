// The main window's menus and their commands.

#include <QAction>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolBar>

#include "core/ports/clipboard.h"
#include "core/ports/clock.h"
#include "core/ports/shell.h"
#include "core/ports/tray.h"
#include "core/texts/daily_tips.h"
#include "core/texts/random_line.h"
#include "core/texts/verse_commands.h"
#include "core/thelemic/calculation.h"
#include "ui/about_box.h"
#include "ui/main_window.h"
#include "ui/tip_dialog.h"
#include "ui/web_links.h"

namespace vantrel::ui {

namespace {

// The folder a text command reads `name` from: the user's copy or the installed one.
std::filesystem::path folderOf(const MainWindowServices& services, const char* name)
{
    return services.dataFiles().path(name).parent_path();
}

}  // namespace

// A menu entry, found by its objectName `name`, that runs one of this window's commands.
// Triggered, not toggled: a check mark is flipped by its command (the owners of the alarm and
// the animation flip theirs), so Qt's own flip is undone first.
QAction* TVantrel::addCommand(QMenu& menu, const char* name, const char* caption,
                              void (TVantrel::*command)(), const QKeySequence& keys)
{
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, action, command] {
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        (this->*command)();
    });
    menu.addAction(action);
    return action;
}

QAction* TVantrel::addMark(QMenu& menu, const char* name, const char* caption,
                           void (TVantrel::*command)())
{
    QAction* mark = addCommand(menu, name, caption, command);
    mark->setCheckable(true);
    return mark;
}

void TVantrel::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addCommand(*file, "Calculate1", "&Calculate", &TVantrel::CalcButtonClick, Qt::Key_F5);
    addCommand(*file, "Now1", "&Now", &TVantrel::NowButtonClick);
    m_batchAction = addCommand(*file, "Batch1", "&Batch..", &TVantrel::Batch1Click);
    addCommand(*file, "Exit1", "&Exit", &TVantrel::Exit1Click, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    addCommand(*edit, "Copytoclipboad1", "Copy to clipboad", &TVantrel::ClipButtonClick);
    m_letterAction = addCommand(*edit, "InsertintoWord971", "Insert into Word97",
                                &TVantrel::InsertintoWord971Click);
    m_traylessEntries << edit->addSeparator()
                      << addClipboardMenu(*edit, "ClipBoard2", {"Quote3", "Date2", "Law2"});

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    m_dataWindowAction = addCommand(*view, "Astrologdatawindow1", "&Astrolog data window",
                                    &TVantrel::AstroButtonClick);
    m_hoursAction = addCommand(*view, "Planetaryhourschart1", "&Planetary hours chart",
                               &TVantrel::HoursButtonClick);
    m_toolBarMark = addMark(*view, "ToolBars1", "&ToolBars", &TVantrel::ToolBars1Click);
    m_statusBarMark = addMark(*view, "Statusbar2", "&Status bar", &TVantrel::Statusbar2Click);
    m_calendarMark =
        addMark(*view, "MonthlyCalendar1", "&Monthly calendar", &TVantrel::MonthlyCalendar1Click);
    for (QAction* mark : {m_toolBarMark, m_statusBarMark, m_calendarMark})
        mark->setChecked(true);
    view->addSeparator();
    addCommand(*view, "RandomVerse1", "Random Verse", &TVantrel::RandomVerse1Click);
    m_traylessEntries << view->addSeparator()
                      << addCommand(*view, "Quote4", "Quote Pop-up", &TVantrel::Quote1Click)
                      << addCommand(*view, "Query2", "Date Pop-up", &TVantrel::Query1Click);
    // Without a tray its commands would be out of reach; they join the menus while there is
    // none (a panel may come or go while the program runs).
    for (QMenu* menu : {edit, view})
        connect(menu, &QMenu::aboutToShow, this, &TVantrel::showTraylessEntries);
    showTraylessEntries();

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    m_optionsAction = addCommand(*options, "Options1", "Program options", &TVantrel::Options1Click,
                                 QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_alarmMark = addMark(*options, "Alarm1", "Activate alarm", &TVantrel::Alarm1Click);
    m_animateMark = addMark(*options, "Animate1", "Animate", &TVantrel::Animate1Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addCommand(*help, "Help2", "Help", &TVantrel::Help2Click, Qt::Key_F1);
    addCommand(*help, "About1", "&About", &TVantrel::About1Click);
    QMenu* web = help->addMenu(QStringLiteral("&Web"));
    web->setObjectName(QStringLiteral("Web1"));
    addWebEntries(*web, true);
}

QAction* TVantrel::addClipboardMenu(QMenu& menu, const char* name,
                                    const std::array<const char*, 3>& entryNames)
{
    QMenu* clip = menu.addMenu(QStringLiteral("ClipBoard"));
    clip->setObjectName(QString::fromLatin1(name));
    addCommand(*clip, entryNames[0], "Quote", &TVantrel::Quote2Click);
    addCommand(*clip, entryNames[1], "Date", &TVantrel::Date1Click);
    addCommand(*clip, entryNames[2], "Law", &TVantrel::Law1Click);
    return clip->menuAction();
}

void TVantrel::showTraylessEntries()
{
    const bool noTray = !trayAvailable();
    for (QAction* entry : std::as_const(m_traylessEntries))
        entry->setVisible(noTray);
}

void TVantrel::addWebEntries(QMenu& menu, bool withSoftware)
{
    menu.setToolTipsVisible(true);
    const auto entry = [this, &menu](const char* caption, const char* address, const char* hint) {
        QAction* action = menu.addAction(QString::fromUtf8(caption));
        if (hint)
            action->setToolTip(QString::fromUtf8(hint));
        const QString target = QString::fromUtf8(address);
        connect(action, &QAction::triggered, this, [this, target] { openWebLink(target); });
        return action;
    };
    entry(kHomePageCaption, kHomePage, nullptr);
    entry("Muslim Salat Times", kLocationLookupPage, "Source for Longitude and Latitudes");
    entry("Naval Observatory", kNavalObservatoryPage, " Astronomical Applications Data Services");
    entry("O.T.O.", kOtoPage, nullptr);
    if (withSoftware) {
        QMenu* software = menu.addMenu(QStringLiteral("Other Software"));
        software->setToolTipsVisible(true);
        const auto softwareEntry = [this, software](const char* caption, const char* address) {
            const QString target = QString::fromUtf8(address);
            connect(software->addAction(QString::fromUtf8(caption)), &QAction::triggered, this,
                    [this, target] { openWebLink(target); });
        };
        softwareEntry("Astrolog", kAstrologPage);
        softwareEntry("ICE (Interactive Computer Almanac Software)", kAlmanacSoftwarePage);
    }
}

void TVantrel::openWebLink(const QString& address)
{
    // The program's own pages are data files; the others are web addresses.
    if (address == QLatin1String(kHomePage))
        m_services.shell.open(m_services.dataFiles().path(kHomePage).string());
    else
        m_services.shell.open(address.toStdString());
}

// ----- The date

void TVantrel::CalcButtonClick()
{
    guarded([this] { m_calculator->calculate(displayedDate(), displayedTime()); });
}

void TVantrel::NowButtonClick()
{
    const core::DateTime now = m_services.clock.now();
    setPickers(now);
    m_monthCalendar->setSelectedDate(m_datePicker->date());
    CalcButtonClick();
}

void TVantrel::GDateChange()
{
    m_display->setPlainText(QStringLiteral("- Click Calculate Button to Compute -"));
}

void TVantrel::MonthCalendar1Click()
{
    {
        const QSignalBlocker block(m_datePicker);
        m_datePicker->setDate(m_monthCalendar->selectedDate());
    }
    CalcButtonClick();
}

void TVantrel::ClipButtonClick()
{
    guarded([this] { m_calculator->copyToClipboard(); });
}

void TVantrel::Copy2Click()
{
    const QTextCursor cursor = m_display->textCursor();
    if (!cursor.hasSelection())
        return;
    const QTextDocumentFragment selection = cursor.selection();
    m_services.clipboard.setRichText(selection.toHtml().toStdString(),
                                     selection.toPlainText().toStdString());
}

void TVantrel::Selectall2Click()
{
    m_display->selectAll();
}

// ----- Commands carried out by the other windows

namespace {
void runHook(TVantrel& window, const std::function<void()>& hook)
{
    if (hook)
        window.guarded(hook);
}
}  // namespace

void TVantrel::AstroButtonClick()
{
    runHook(*this, m_hooks.AstroButtonClick);
}
void TVantrel::HoursButtonClick()
{
    runHook(*this, m_hooks.HoursButtonClick);
}
void TVantrel::Alarm1Click()
{
    runHook(*this, m_hooks.Alarm1Click);
}
void TVantrel::Animate1Click()
{
    runHook(*this, m_hooks.Animate1Click);
}
void TVantrel::Batch1Click()
{
    runHook(*this, m_hooks.Batch1Click);
}
void TVantrel::InsertintoWord971Click()
{
    runHook(*this, m_hooks.InsertintoWord971Click);
}
void TVantrel::Options1Click()
{
    runHook(*this, m_hooks.showOptions);
}

// ----- View switches

void TVantrel::ToolBars1Click()
{
    m_toolBarMark->setChecked(!m_toolBarMark->isChecked());
    applyViewMarks();
}

void TVantrel::Statusbar2Click()
{
    m_statusBarMark->setChecked(!m_statusBarMark->isChecked());
    applyViewMarks();
}

void TVantrel::MonthlyCalendar1Click()
{
    m_calendarMark->setChecked(!m_calendarMark->isChecked());
    applyViewMarks();
}

// ----- Help

void TVantrel::About1Click()
{
    TAboutBox box(m_services.regional, m_services.executablePath, this);
    box.exec();
}

void TVantrel::Help2Click()
{
    openWebLink(QString::fromUtf8(kHomePage));
}

// ----- Verses, greetings and the tray's date

void TVantrel::ShowBalloon(const QString& text, const QString& title)
{
    m_services.tray->showBalloon(title.toStdString(), text.toStdString());
}

void TVantrel::RandomVerse1Click()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        if (const auto verse = core::pickVerse(folderOf(m_services, core::kVersesFileName), draw))
            m_display->setPlainText(QString::fromStdString(*verse));
    });
}

void TVantrel::Quote1Click()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        core::showQuoteBalloon(folderOf(m_services, core::kVersesFileName), draw, *m_services.tray);
    });
}

void TVantrel::Quote2Click()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        core::copyQuote(folderOf(m_services, core::kVersesFileName), draw, m_services.clipboard);
    });
}

void TVantrel::Query1Click()
{
    NowButtonClick();
    const core::Balloon balloon =
        core::dateBalloon(shownDisplayLines(), m_display->toPlainText().toStdString());
    ShowBalloon(QString::fromStdString(balloon.text), QString::fromStdString(balloon.title));
}

void TVantrel::Date1Click()
{
    NowButtonClick();
    ClipButtonClick();
}

void TVantrel::Law1Click()
{
    core::copyLaw(m_services.clipboard);
}

// ----- The start-up dialog

void TVantrel::showStartupDialog()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        core::DailyTips tips;
        const auto folder =
            folderOf(m_services, m_verseOfDay ? core::kVersesFileName : core::kTipsFileName);
        if (core::prepareStartupTip(m_showOnStartup, m_verseOfDay, folder, draw, tips))
            openDailyTip(std::move(tips));
    });
}

void TVantrel::openDailyTip(core::DailyTips tips)
{
    if (m_dailyTip) {
        m_dailyTip->raise();
        return;
    }
    m_dailyTip = new TDailyTip(std::move(tips), m_showOnStartup, this);
    connect(m_dailyTip, &TDailyTip::nextTipRequested, this, &TVantrel::Tips1NextTip);
    m_dailyTip->show();
}

void TVantrel::Tips1NextTip()
{
    if (!m_dailyTip)
        return;
    m_dailyTip->Tips1NextTip();
    m_dailyTip->raise();
    m_dailyTip->activateWindow();
}

}  // namespace vantrel::ui
