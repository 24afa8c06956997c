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
#include "ui/tip_dialog.h"
#include "ui/main_window.h"
#include "ui/web_links.h"

namespace vantrel::ui {

namespace {

QAction* makeAction(QObject* parent, const char* caption)
{
    return new QAction(QString::fromUtf8(caption), parent);
}

}  // namespace

void TVantrel::buildActions()
{
    Calculate1 = makeAction(this, "&Calculate");
    Now1 = makeAction(this, "&Now");
    Batch1 = makeAction(this, "&Batch..");
    Exit1 = makeAction(this, "&Exit");
    Copytoclipboad1 = makeAction(this, "Copy to clipboad");
    InsertintoWord971 = makeAction(this, "Insert into Word97");
    Astrologdatawindow1 = makeAction(this, "&Astrolog data window");
    Planetaryhourschart1 = makeAction(this, "&Planetary hours chart");
    ToolBars1 = makeAction(this, "&ToolBars");
    Statusbar2 = makeAction(this, "&Status bar");
    MonthlyCalendar1 = makeAction(this, "&Monthly calendar");
    RandomVerse1 = makeAction(this, "Random Verse");
    Options1 = makeAction(this, "Program options");
    Alarm1 = makeAction(this, "Activate alarm");
    Animate1 = makeAction(this, "Animate");
    Help2 = makeAction(this, "Help");
    About1 = makeAction(this, "&About");
    Query1 = makeAction(this, "Date");
    Quote1 = makeAction(this, "Quote");
    WordDocument1 = makeAction(this, "Word Document");
    Quote2 = makeAction(this, "Quote");
    Date1 = makeAction(this, "Date");
    Law1 = makeAction(this, "Law");
    Restore1 = makeAction(this, "Restore");
    Exit2 = makeAction(this, "Exit");

    for (QAction* mark : {ToolBars1, Statusbar2, MonthlyCalendar1}) {
        mark->setCheckable(true);
        mark->setChecked(true);
    }
    Alarm1->setCheckable(true);
    Animate1->setCheckable(true);

    const std::pair<QAction*, void (TVantrel::*)()> commands[] = {
        {Calculate1, &TVantrel::CalcButtonClick},
        {Now1, &TVantrel::NowButtonClick},
        {Batch1, &TVantrel::Batch1Click},
        {Exit1, &TVantrel::Exit1Click},
        {Copytoclipboad1, &TVantrel::ClipButtonClick},
        {InsertintoWord971, &TVantrel::InsertintoWord971Click},
        {Astrologdatawindow1, &TVantrel::AstroButtonClick},
        {Planetaryhourschart1, &TVantrel::HoursButtonClick},
        {ToolBars1, &TVantrel::ToolBars1Click},
        {Statusbar2, &TVantrel::Statusbar2Click},
        {MonthlyCalendar1, &TVantrel::MonthlyCalendar1Click},
        {RandomVerse1, &TVantrel::RandomVerse1Click},
        {Options1, &TVantrel::Options1Click},
        {Alarm1, &TVantrel::Alarm1Click},
        {Animate1, &TVantrel::Animate1Click},
        {Help2, &TVantrel::Help2Click},
        {About1, &TVantrel::About1Click},
        {Query1, &TVantrel::Query1Click},
        {Quote1, &TVantrel::Quote1Click},
        {WordDocument1, &TVantrel::InsertintoWord971Click},
        {Quote2, &TVantrel::Quote2Click},
        {Date1, &TVantrel::Date1Click},
        {Law1, &TVantrel::Law1Click},
        {Restore1, &TVantrel::Restore1Click},
        {Exit2, &TVantrel::Exit2Click},
    };
    // Triggered, not toggled: a check mark is flipped by its command, which the owners of the
    // alarm and the animation do themselves. Undo Qt's own flip first.
    for (const auto& [action, command] : commands) {
        connect(action, &QAction::triggered, this, [this, action, command] {
            if (action->isCheckable())
                action->setChecked(!action->isChecked());
            (this->*command)();
        });
    }
}

void TVantrel::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addActions({Calculate1, Now1, Batch1, Exit1});
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addActions({Copytoclipboad1, InsertintoWord971});
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->addActions({Astrologdatawindow1, Planetaryhourschart1, ToolBars1, Statusbar2,
                      MonthlyCalendar1});
    view->addSeparator();
    view->addAction(RandomVerse1);
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->addActions({Options1, Alarm1, Animate1});
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addActions({Help2, About1});
    Web1 = help->addMenu(QStringLiteral("&Web"));
    addWebEntries(*Web1, true);
}

void TVantrel::addWebEntries(QMenu& menu, bool withSoftware)
{
    menu.setToolTipsVisible(true);
    const auto entry = [this, &menu](const char* caption, const char* address,
                                     const char* hint) {
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
    m_services.shell.open(address.toStdString());
}

// ----- The date

void TVantrel::CalcButtonClick()
{
    guarded([this] { m_calculator->CalcButtonClick(displayedDate(), displayedTime()); });
}

void TVantrel::NowButtonClick()
{
    const core::DateTime now = m_services.clock.now();
    setPickers(now);
    MonthCalendar1->setSelectedDate(GDate->date());
    CalcButtonClick();
}

void TVantrel::GDateChange()
{
    TDate->setPlainText(QStringLiteral("- Click Calculate Button to Compute -"));
}

void TVantrel::MonthCalendar1Click()
{
    {
        const QSignalBlocker block(GDate);
        GDate->setDate(MonthCalendar1->selectedDate());
    }
    CalcButtonClick();
}

void TVantrel::ClipButtonClick()
{
    guarded([this] { m_calculator->ClipButtonClick(); });
}

void TVantrel::Copy2Click()
{
    const QTextCursor cursor = TDate->textCursor();
    if (!cursor.hasSelection())
        return;
    const QTextDocumentFragment selection = cursor.selection();
    m_services.clipboard.setRichText(selection.toHtml().toStdString(),
                                     selection.toPlainText().toStdString());
}

void TVantrel::Selectall2Click()
{
    TDate->selectAll();
}

// ----- Commands carried out by the other windows

namespace {
void runHook(TVantrel& window, const std::function<void()>& hook)
{
    if (hook)
        window.guarded(hook);
}
}  // namespace

void TVantrel::AstroButtonClick() { runHook(*this, m_hooks.AstroButtonClick); }
void TVantrel::HoursButtonClick() { runHook(*this, m_hooks.HoursButtonClick); }
void TVantrel::Alarm1Click() { runHook(*this, m_hooks.Alarm1Click); }
void TVantrel::Animate1Click() { runHook(*this, m_hooks.Animate1Click); }
void TVantrel::Batch1Click() { runHook(*this, m_hooks.Batch1Click); }
void TVantrel::InsertintoWord971Click() { runHook(*this, m_hooks.InsertintoWord971Click); }
void TVantrel::Options1Click() { runHook(*this, m_hooks.showOptions); }

// ----- View switches

void TVantrel::ToolBars1Click()
{
    ToolBars1->setChecked(!ToolBars1->isChecked());
    applyViewMarks();
}

void TVantrel::Statusbar2Click()
{
    Statusbar2->setChecked(!Statusbar2->isChecked());
    applyViewMarks();
}

void TVantrel::MonthlyCalendar1Click()
{
    MonthlyCalendar1->setChecked(!MonthlyCalendar1->isChecked());
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
    m_services.shell.open("vantrel.html");
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
        if (const auto verse = core::pickVerse(m_services.workDir, draw))
            TDate->setPlainText(QString::fromStdString(*verse));
    });
}

void TVantrel::Quote1Click()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        core::showQuoteBalloon(m_services.workDir, draw, *m_services.tray);
    });
}

void TVantrel::Quote2Click()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        core::copyQuote(m_services.workDir, draw, m_services.clipboard);
    });
}

void TVantrel::Query1Click()
{
    NowButtonClick();
    const core::Balloon balloon =
        core::dateBalloon(shownDisplayLines(), TDate->toPlainText().toStdString());
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
        if (core::prepareStartupTip(m_showOnStartup, m_verseOfDay, m_services.workDir, draw,
                                    tips))
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
