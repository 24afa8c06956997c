// The month calendar's marks, the feasts file followed on disk, the Year window and "Edit
// feasts...", over a sky of the test's own: March 2025 with its first quarter, full Moon and
// equinox at their almanac moments, on the standard time of 6 hours west.

#include "core/calendar/year_calendar.h"

#include <QAction>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "core/chart_engine/command_file.h"
#include "tests/fakes/fake_sky_event_source.h"
#include "tests/ui/find_part.h"
#include "tests/ui/main_window_harness.h"
#include "ui/month_calendar.h"
#include "ui/year_calendars.h"
#include "ui/year_window.h"

using namespace vantrel;
using testing::part;

namespace {

core::Instant at(int year, int month, int day, int hour, int minute)
{
    return testing::instantAt(testing::localDateTime(year, month, day, hour, minute), 0);
}

core::Date dayOf(int year, int month, int day)
{
    return core::Date::fromCivil(year, month, day).value();
}

struct CalendarHarness {
    testing::TempDir work;
    testing::TempDir data;
    core::Settings settings;
    core::RegionalSettings regional = testing::usEnglishFourDigitYear();
    core::LiveZone zone{};
    testing::FakeSkyEventSource sky;
    testing::FakeMessages messages;
    testing::FakeClock clock;
    std::unique_ptr<ui::YearCalendars> years;

    CalendarHarness()
    {
        settings.timeMode = core::TimeMode::Standard;
        settings.zone = "6";
        using Kind = core::SkyEvent::Kind;
        sky.sky = {{Kind::MoonPhase, 1, at(2025, 3, 6, 16, 32)},
                   {Kind::MoonPhase, 2, at(2025, 3, 14, 6, 55)},
                   {Kind::SunEntersSign, 0, at(2025, 3, 20, 9, 1)}};
        testing::writeWholeFile(data.path() / "feasts.txt",
                                "03-20 Feast of the Supreme Ritual\nSun enters Aries: Equinox\n");
        years = std::make_unique<ui::YearCalendars>(settings, regional, zone, &sky, work.path(),
                                                    data.path(), messages);
    }
};

bool isFeast(const ui::MonthCalendar& calendar, QDate day)
{
    return calendar.dateTextFormat(day).fontWeight() == QFont::Bold &&
           calendar.dateTextFormat(day).foreground().color() == calendar.feastColor();
}

}  // namespace

class YearCalendarTests : public QObject {
    Q_OBJECT

private slots:
    void monthCalendarMarksFeastsAndPhasesAndTellsTheDay();
    void feastColourReadsOnLightAndDarkBackgrounds();
    void feastsFileAndSettingsChangesAreFollowed();
    void yearWindowListsSavesAndExports();
    void yearWindowReportsAYearItCannotCompute();
    void editFeastsOpensTheUsersCopy();
};

void YearCalendarTests::monthCalendarMarksFeastsAndPhasesAndTellsTheDay()
{
    CalendarHarness h;
    ui::MonthCalendar calendar(h.years.get());
    calendar.setCurrentPage(2025, 3);

    QVERIFY(isFeast(calendar, QDate(2025, 3, 20)));
    QVERIFY(!isFeast(calendar, QDate(2025, 3, 19)));
    QCOMPARE(calendar.moonPhaseOn(QDate(2025, 3, 6)), 1);
    QCOMPARE(calendar.moonPhaseOn(QDate(2025, 3, 14)), 2);
    QCOMPARE(calendar.moonPhaseOn(QDate(2025, 3, 15)), -1);
    const std::string dayLine = h.years->calendarFor(2025)->dayLine(dayOf(2025, 3, 14));
    QVERIFY(dayLine.find("Dies Veneris Friday, March 14, 2025 e.v.") != std::string::npos);
    QCOMPARE(calendar.dateTextFormat(QDate(2025, 3, 14)).toolTip(),
             QString::fromStdString(dayLine + "\n12:55:00 AM Full Moon"));
    QCOMPARE(
        calendar.dateTextFormat(QDate(2025, 3, 20)).toolTip().split('\n').mid(1),
        QStringList({"Feast of the Supreme Ritual", "Equinox", "3:01:00 AM Sun enters Aries"}));
    QVERIFY(h.messages.errors.empty());
}

void YearCalendarTests::feastColourReadsOnLightAndDarkBackgrounds()
{
    for (const QColor& base :
         {QColor(Qt::white), QColor(255, 255, 220), QColor(30, 30, 30), QColor(53, 53, 53)}) {
        ui::MonthCalendar calendar(nullptr);
        QPalette palette = calendar.palette();
        palette.setColor(QPalette::Base, base);
        calendar.setPalette(palette);
        const int contrast = std::abs(calendar.feastColor().lightness() - base.lightness());
        QVERIFY2(contrast > 100, qPrintable(base.name()));
    }
}

void YearCalendarTests::feastsFileAndSettingsChangesAreFollowed()
{
    CalendarHarness h;
    ui::MonthCalendar calendar(h.years.get());
    calendar.setCurrentPage(2025, 4);
    QVERIFY(!isFeast(calendar, QDate(2025, 4, 1)));
    // A copy of the user's, with a line that cannot be read, takes the installed one's place.
    testing::writeWholeFile(h.work.path() / "feasts.txt", "04-01 Fools\n04-31 Nothing\n");
    QTRY_VERIFY(isFeast(calendar, QDate(2025, 4, 1)));
    QCOMPARE(h.messages.errors.size(), std::size_t(1));
    QCOMPARE(h.messages.errors[0], (h.work.path() / "feasts.txt").string() +
                                       ", line 2: \"04-31\": month 4 has no day 31");
    QCOMPARE(h.years->calendarFor(2025)->eventsOn(dayOf(2025, 3, 20)).size(), std::size_t(1));

    // The settings are read afresh when the calendar is painted: ten hours east puts the full
    // Moon at 4:55 PM.
    h.settings.zone = "-10";
    calendar.setCurrentPage(2025, 3);
    calendar.grab();
    QTRY_VERIFY(
        calendar.dateTextFormat(QDate(2025, 3, 14)).toolTip().endsWith("4:55:00 PM Full Moon"));
}

void YearCalendarTests::yearWindowListsSavesAndExports()
{
    CalendarHarness h;
    ui::YearWindow window(*h.years, h.messages, h.clock);
    window.showYear(2025);
    auto& list = part<QTableWidget>(window, "YearList");
    QCOMPARE(list.rowCount(), 5);
    QCOMPARE(list.item(1, 0)->text(), QString("3/14/2025"));
    QCOMPARE(list.item(1, 1)->text(), QString("12:55:00 AM"));
    QCOMPARE(list.item(1, 2)->text(), QString("Full Moon"));
    QVERIFY(list.item(2, 2)->font().bold());  // the feast on the 20th comes first that day

    const std::filesystem::path text = h.work.path() / "year.txt";
    QVERIFY(window.saveTextTo(QString::fromStdString(text.string())));
    const std::string saved = testing::readWholeFile(text);
    QVERIFY(saved.starts_with("Date\tTime\tEvent\tThelemic date\r\n3/6/2025\t10:32:00 AM\t"));
    QCOMPARE(std::count(saved.begin(), saved.end(), '\n'), 6);

    h.clock.setInstant(at(2026, 1, 2, 3, 4));
    const std::filesystem::path ics = h.work.path() / "year.ics";
    QVERIFY(window.exportICalendarTo(QString::fromStdString(ics.string())));
    const std::string exported = testing::readWholeFile(ics);
    QVERIFY(exported.starts_with("BEGIN:VCALENDAR\r\n"));
    QVERIFY(exported.find("DTSTAMP:20260102T030400Z\r\n") != std::string::npos);

    // The chooser proposes the year's name; a file that cannot be written is reported.
    QString proposed;
    const QString nowhere = QString::fromStdString((h.work.path() / "no" / "y.ics").string());
    window.setFileChooser([&](QWidget*, const QString& name, const QString&) {
        proposed = name;
        return nowhere;
    });
    part<QAction>(window, "ExportICalendar").trigger();
    QCOMPARE(proposed, QString("year2025.ics"));
    QCOMPARE(h.messages.errors,
             std::vector<std::string>{"Cannot create file " + nowhere.toStdString()});

    part<QSpinBox>(window, "YearPicker").setValue(2024);
    QCOMPARE(list.rowCount(), 1);
    QCOMPARE(list.item(0, 0)->text(), QString("3/20/2024"));
}

void YearCalendarTests::yearWindowReportsAYearItCannotCompute()
{
    CalendarHarness h;
    h.settings.timeMode = core::TimeMode::PlaceZone;
    ui::YearWindow window(*h.years, h.messages, h.clock);
    window.showYear(2025);
    QCOMPARE(h.messages.errors, std::vector<std::string>{core::kNoPlaceZoneMessage});
    QVERIFY(!part<QAction>(window, "SaveText").isEnabled());
    QVERIFY(!part<QAction>(window, "ExportICalendar").isEnabled());
}

void YearCalendarTests::editFeastsOpensTheUsersCopy()
{
    testing::MainWindowHarness h;
    testing::TempDir installed;
    testing::writeWholeFile(installed.path() / "feasts.txt", "12-01 Greater Feast\n");
    h.dataDir = installed.path();
    ui::MainWindow& window = h.create();
    part<QAction>(window, "EditFeasts").trigger();
    const std::string copy =
        std::filesystem::absolute(h.dir.path() / "feasts.txt").lexically_normal().string();
    QCOMPARE(h.shell.opened, std::vector<std::string>{copy});
    QCOMPARE(testing::readWholeFile(copy), std::string("12-01 Greater Feast\n"));
    // A desktop with nothing to open it says where the file is.
    h.shell.noHandler = true;
    part<QAction>(window, "EditFeasts").trigger();
    QCOMPARE(h.messages.messages, std::vector<std::string>{ui::feastsWithoutEditorMessage(copy)});
    QVERIFY(!part<QAction>(window, "TheYear").isEnabled());  // no Year window connected
}

QTEST_MAIN(YearCalendarTests)
#include "year_calendar_test.moc"
