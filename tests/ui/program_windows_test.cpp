// Every window of the program together, as the desktop shows them: their titles, their icon
// and their font.

#include "ui/program_windows.h"

#include <QAction>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "tests/ui/main_window_harness.h"
#include "ui/about_box.h"
#include "ui/data_window.h"
#include "ui/dialog_windows.h"
#include "ui/glyphs.h"
#include "ui/hours_window.h"
#include "ui/options_dialog.h"
#include "ui/tip_dialog.h"
#include "ui/wheel_window.h"
#include "ui/year_window.h"

using vantrel::testing::MainWindowHarness;
using vantrel::testing::showAndWait;

namespace {

// The title as the window system shows it: Qt adds the application's display name to a title
// that does not contain it.
QString shownTitle(const QWidget& window)
{
    const QString name = QGuiApplication::applicationDisplayName();
    const QString title = window.windowTitle();
    return title.contains(name) ? title : title + QStringLiteral(" \u2014 ") + name;
}

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage();
}

struct ProgramHarness {
    MainWindowHarness h;
    std::unique_ptr<vantrel::ui::ProgramWindows> windows;

    explicit ProgramHarness(const std::string& settings)
    {
        h.write("Vantrel.ini", "[vantrel]\r\nTOTD=1\r\n" + settings);
        h.write("tips.txt", "A tip\r\n");
        windows = std::make_unique<vantrel::ui::ProgramWindows>(h.services());
    }
    vantrel::ui::MainWindow& main() { return windows->main(); }
    // Every window but the main window, each shown once.
    std::vector<QWidget*> others()
    {
        vantrel::ui::DialogWindows& dialogs = windows->dialogs();
        return {&dialogs.optionsDialog(), &dialogs.dataWindow(), &dialogs.wheelWindow(),
                &windows->hours(),        main().tipDialog(),    &windows->year()};
    }
};

}  // namespace

class ProgramWindowsTests : public QObject {
    Q_OBJECT

private slots:
    void titlesAreTheWindowsOwnTexts_data();
    void titlesAreTheWindowsOwnTexts();
    void everyWindowCarriesTheProgramsIconAndFont();
};

void ProgramWindowsTests::titlesAreTheWindowsOwnTexts_data()
{
    QTest::addColumn<QString>("updateCaption");
    QTest::addColumn<QString>("laterCaption");
    QTest::newRow("caption off") << "0"
                                 << "Vantrel";
    QTest::newRow("caption on") << "1"
                                << "Sunday, June 04, 2000 e.v. 8:03 PM";
}

void ProgramWindowsTests::titlesAreTheWindowsOwnTexts()
{
    QFETCH(QString, updateCaption);
    QFETCH(QString, laterCaption);
    // GIVEN the program's windows, the date of the first start shown
    ProgramHarness p("Update Caption=" + updateCaption.toStdString() + "\r\n");
    // The window system formats a title when it is set.
    QString mainTitle = shownTitle(p.main());
    QObject::connect(&p.main(), &QWidget::windowTitleChanged, &p.main(),
                     [&] { mainTitle = shownTitle(p.main()); });
    QVERIFY(showAndWait(p.main()));
    // WHEN "Now" a day later, and every other window is shown
    p.h.clock.advance(std::chrono::hours(24));
    p.main().calculateNow();
    p.main().showPlanetaryHours();
    for (QWidget* window : p.others())
        window->show();
    // THEN each title is the window's own text, with nothing of an earlier date after it
    QCOMPARE(mainTitle, laterCaption);
    const QStringList expected{"Options",        "Astrolog Output",
                               "Chart",          "Planetary Hours " + laterCaption,
                               "Tip of the Day", "The Year"};
    QStringList titles;
    for (QWidget* window : p.others())
        titles << shownTitle(*window);
    QCOMPARE(titles, expected);
}

void ProgramWindowsTests::everyWindowCarriesTheProgramsIconAndFont()
{
    ProgramHarness p("");
    QVERIFY(showAndWait(p.main()));
    const QImage icon = iconImage(vantrel::ui::glyphIcon(vantrel::ui::Glyph::Program));
    const QString family = QFontInfo(p.main().font()).family();
    vantrel::ui::AboutBox about(p.h.regional, {}, &p.main());
    QMenu& fileMenu = *p.main().menuBar()->actions().constFirst()->menu();

    std::vector<QWidget*> windows = p.others();
    windows.push_back(&about);
    windows.push_back(&fileMenu);
    for (QWidget* window : windows) {
        const char* name = window->metaObject()->className();
        QVERIFY2(iconImage(window->windowIcon()) == icon, name);
        QVERIFY2(QFontInfo(window->font()).family() == family, name);
    }
}

QTEST_MAIN(ProgramWindowsTests)
#include "program_windows_test.moc"
