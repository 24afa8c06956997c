// The main window's menus and their commands.

#include <QAction>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolBar>

#include "core/ports/clipboard.h"
#include "core/ports/clock.h"
#include "core/ports/messages.h"
#include "core/ports/shell.h"
#include "core/ports/tray.h"
#include "core/texts/daily_tips.h"
#include "core/texts/random_line.h"
#include "core/texts/verse_commands.h"
#include "core/thelemic/calculation.h"
#include "ui/about_box.h"
#include "ui/main_view_adapter.h"
#include "ui/main_window.h"
#include "ui/tip_dialog.h"
#include "ui/web_links.h"
#include "ui/year_calendars.h"

namespace vantrel::ui {

namespace {

// The folder a text command reads `name` from: the user's copy or the installed one.
std::filesystem::path folderOf(const MainWindowServices& services, const char* name)
{
    return services.dataFiles().path(name).parent_path();
}

}  // namespace

std::string helpWithoutBrowserMessage(const std::string& page)
{
    return "No web browser was found to show the help. The help is the page\n\n" + page +
           "\n\nOpen it in a web browser, or install one (for example firefox-esr) and press F1 "
           "again.";
}

std::string feastsWithoutEditorMessage(const std::string& file)
{
    return "No text editor was found to open the feasts. They are in the file\n\n" + file +
           "\n\nEdit it with a text editor; the calendar takes the changes when it is saved.";
}

// A menu entry, found by its objectName `name`, that runs one of this window's commands.
// Triggered, not toggled: a check mark is flipped by its command (the owners of the alarm and
// the animation flip theirs), so Qt's own flip is undone first.
QAction* MainWindow::addCommand(QMenu& menu, const char* name, const char* caption,
                                void (MainWindow::*command)(), const QKeySequence& keys)
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

QAction* MainWindow::addMark(QMenu& menu, const char* name, const char* caption,
                             void (MainWindow::*command)())
{
    QAction* mark = addCommand(menu, name, caption, command);
    mark->setCheckable(true);
    return mark;
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addCommand(*file, "Calculate1", "&Calculate", &MainWindow::calculate, Qt::Key_F5);
    addCommand(*file, "Now1", "&Now", &MainWindow::calculateNow);
    m_batchAction = addCommand(*file, "Batch1", "&Batch...", &MainWindow::askAndConvertBatch);
    addCommand(*file, "Exit1", "&Exit", &MainWindow::exitProgram,
               QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    addCommand(*edit, "Copytoclipboad1", "Copy to clipboard", &MainWindow::copyDate);
    m_letterAction =
        addCommand(*edit, "InsertintoWord971", "Letter in Writer", &MainWindow::insertLetter);
    m_traylessEntries << edit->addSeparator()
                      << addClipboardMenu(*edit, "ClipBoard2", {"Quote3", "Date2", "Law2"});

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    m_dataWindowAction = addCommand(*view, "Astrologdatawindow1", "&Astrolog data window",
                                    &MainWindow::showDataWindow);
    m_hoursAction = addCommand(*view, "Planetaryhourschart1", "&Planetary hours chart",
                               &MainWindow::showPlanetaryHours);
    m_yearAction = addCommand(*view, "TheYear", "The &Year", &MainWindow::showYearWindow);
    m_toolBarMark = addMark(*view, "ToolBars1", "&Tool bar", &MainWindow::toggleToolBar);
    m_statusBarMark = addMark(*view, "Statusbar2", "&Status bar", &MainWindow::toggleStatusBar);
    m_calendarMark =
        addMark(*view, "MonthlyCalendar1", "&Monthly calendar", &MainWindow::toggleMonthCalendar);
    for (QAction* mark : {m_toolBarMark, m_statusBarMark, m_calendarMark})
        mark->setChecked(true);
    view->addSeparator();
    addCommand(*view, "RandomVerse1", "Random Verse", &MainWindow::showRandomVerse);
    m_traylessEntries << view->addSeparator()
                      << addCommand(*view, "Quote4", "Quote Pop-up", &MainWindow::showVerseBalloon)
                      << addCommand(*view, "Query2", "Date Pop-up", &MainWindow::showDateBalloon);
    // Without a tray its commands would be out of reach; they join the menus while there is
    // none (a panel may come or go while the program runs).
    for (QMenu* menu : {edit, view})
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::showTraylessEntries);
    showTraylessEntries();

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    m_optionsAction = addCommand(*options, "Options1", "Program options", &MainWindow::showOptions,
                                 QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_alarmMark = addMark(*options, "Alarm1", "Activate alarm", &MainWindow::toggleAlarm);
    m_animateMark = addMark(*options, "Animate1", "Animate", &MainWindow::toggleAnimation);
    addCommand(*options, "EditFeasts", "Edit &feasts...", &MainWindow::editFeasts);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addCommand(*help, "Help2", "Help", &MainWindow::showHelp, Qt::Key_F1);
    addCommand(*help, "About1", "&About", &MainWindow::showAbout);
    QMenu* web = help->addMenu(QStringLiteral("&Web"));
    web->setObjectName(QStringLiteral("Web1"));
    addWebEntries(*web, true);
}

QAction* MainWindow::addClipboardMenu(QMenu& menu, const char* name,
                                      const std::array<const char*, 3>& entryNames)
{
    QMenu* clip = menu.addMenu(QStringLiteral("ClipBoard"));
    clip->setObjectName(QString::fromLatin1(name));
    addCommand(*clip, entryNames[0], "Quote", &MainWindow::copyVerse);
    addCommand(*clip, entryNames[1], "Date", &MainWindow::copyDateNow);
    addCommand(*clip, entryNames[2], "Law", &MainWindow::copyLaw);
    return clip->menuAction();
}

void MainWindow::showTraylessEntries()
{
    const bool noTray = !trayAvailable();
    for (QAction* entry : std::as_const(m_traylessEntries))
        entry->setVisible(noTray);
}

void MainWindow::addWebEntries(QMenu& menu, bool withSoftware)
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

void MainWindow::openWebLink(const QString& address)
{
    // The program's own pages are data files; the others are web addresses.
    if (address == QLatin1String(kHomePage))
        m_services.shell.open(m_services.dataFiles().path(kHomePage).string());
    else
        m_services.shell.open(address.toStdString());
}

// ----- The date

void MainWindow::calculate()
{
    guarded([this] { m_calculator->calculate({displayedDate(), displayedTime()}); });
}

void MainWindow::calculateNow()
{
    setPickers(localClock().now());
    m_monthCalendar->setSelectedDate(m_datePicker->date());
    calculate();
}

void MainWindow::showCalculateNote()
{
    setDisplayText(QStringLiteral("- Click Calculate Button to Compute -"));
}

void MainWindow::calculateClickedDay()
{
    {
        const QSignalBlocker block(m_datePicker);
        m_datePicker->setDate(m_monthCalendar->selectedDate());
    }
    calculate();
}

void MainWindow::copyDate()
{
    guarded([this] { m_calculator->copyToClipboard(); });
}

void MainWindow::copySelection()
{
    const QTextCursor cursor = m_display->textCursor();
    if (!cursor.hasSelection())
        return;
    const QTextDocumentFragment selection = copiedSelection(cursor);
    m_services.clipboard.setRichText(selection.toHtml().toStdString(),
                                     selection.toPlainText().toStdString());
}

void MainWindow::selectAllText()
{
    m_display->selectAll();
}

// ----- Commands carried out by the other windows

namespace {
void runHook(MainWindow& window, const std::function<void()>& hook)
{
    if (hook)
        window.guarded(hook);
}
}  // namespace

void MainWindow::showDataWindow()
{
    runHook(*this, m_hooks.showDataWindow);
}
void MainWindow::showPlanetaryHours()
{
    runHook(*this, m_hooks.showPlanetaryHours);
}
void MainWindow::toggleAlarm()
{
    runHook(*this, m_hooks.toggleAlarm);
}
void MainWindow::toggleAnimation()
{
    runHook(*this, m_hooks.toggleAnimation);
}
void MainWindow::askAndConvertBatch()
{
    runHook(*this, m_hooks.askAndConvertBatch);
}
void MainWindow::insertLetter()
{
    runHook(*this, m_hooks.insertLetter);
}
void MainWindow::showOptions()
{
    runHook(*this, m_hooks.showOptions);
}
void MainWindow::showYearWindow()
{
    runHook(*this, m_hooks.showYearWindow);
}

void MainWindow::editFeasts()
{
    guarded([this] {
        const std::string file = m_years->userFeastsFile().string();
        m_services.shell.openOrTell(file, [window = QPointer<MainWindow>(this), file] {
            if (window)
                window->m_services.messages.showMessage(feastsWithoutEditorMessage(file));
        });
    });
}

// ----- View switches

void MainWindow::toggleToolBar()
{
    m_toolBarMark->setChecked(!m_toolBarMark->isChecked());
    applyViewMarks();
}

void MainWindow::toggleStatusBar()
{
    m_statusBarMark->setChecked(!m_statusBarMark->isChecked());
    applyViewMarks();
}

void MainWindow::toggleMonthCalendar()
{
    m_calendarMark->setChecked(!m_calendarMark->isChecked());
    applyViewMarks();
}

// ----- Help

void MainWindow::showAbout()
{
    AboutBox box(m_services.regional, m_services.executablePath, this);
    box.exec();
}

void MainWindow::showHelp()
{
    const std::string page = m_services.dataFiles().path(kHomePage).string();
    m_services.shell.openOrTell(page, [window = QPointer<MainWindow>(this), page] {
        if (window)
            window->m_services.messages.showMessage(helpWithoutBrowserMessage(page));
    });
}

// ----- Verses, greetings and the tray's date

void MainWindow::showBalloon(const QString& text, const QString& title)
{
    m_services.tray->showBalloon(title.toStdString(), text.toStdString());
}

void MainWindow::showRandomVerse()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        if (const auto verse = core::pickVerse(folderOf(m_services, core::kVersesFileName), draw))
            setDisplayText(QString::fromStdString(*verse));
    });
}

void MainWindow::showVerseBalloon()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        core::showQuoteBalloon(folderOf(m_services, core::kVersesFileName), draw, *m_services.tray);
    });
}

void MainWindow::copyVerse()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        core::copyQuote(folderOf(m_services, core::kVersesFileName), draw, m_services.clipboard);
    });
}

void MainWindow::showDateBalloon()
{
    calculateNow();
    const core::Balloon balloon =
        core::dateBalloon(shownDisplayLines(), m_display->toPlainText().toStdString());
    showBalloon(QString::fromStdString(balloon.text), QString::fromStdString(balloon.title));
}

void MainWindow::copyDateNow()
{
    calculateNow();
    copyDate();
}

void MainWindow::copyLaw()
{
    core::copyLaw(m_services.clipboard);
}

// ----- The start-up dialog

void MainWindow::showStartupDialog()
{
    guarded([this] {
        core::ClockSeededDraw draw(m_services.clock);
        core::DailyTips tips;
        const auto folder =
            folderOf(m_services, m_verseOfDay ? core::kVersesFileName : core::kTipsFileName);
        if (core::prepareStartupTip(m_showOnStartup, m_verseOfDay, folder, draw, tips))
            openTipDialog(std::move(tips));
    });
}

void MainWindow::openTipDialog(core::DailyTips tips)
{
    if (m_tipDialog) {
        m_tipDialog->raise();
        return;
    }
    m_tipDialog = new TipDialog(std::move(tips), m_showOnStartup, this);
    connect(m_tipDialog, &TipDialog::nextTipRequested, this, &MainWindow::advanceTip);
    m_tipDialog->show();
}

void MainWindow::advanceTip()
{
    if (!m_tipDialog)
        return;
    m_tipDialog->advance();
    m_tipDialog->raise();
    m_tipDialog->activateWindow();
}

}  // namespace vantrel::ui
