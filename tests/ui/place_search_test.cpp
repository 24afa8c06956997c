// Finding a place by name: the search dialog with the keyboard alone, and the options dialog's
// location texts and "Place's Time Zone" filled from the place chosen.

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "core/ports/place_lookup.h"
#include "core/settings/settings_file.h"
#include "tests/fakes/fake_desktop_ports.h"
#include "tests/fakes/fake_places.h"
#include "tests/fakes/fake_ports.h"
#include "tests/ui/find_part.h"
#include "ui/options_dialog.h"
#include "ui/place_search_dialog.h"

using vantrel::core::Place;
using vantrel::core::Settings;
using vantrel::core::TimeMode;
using vantrel::testing::FakePlaceLookup;
using vantrel::testing::part;
using vantrel::ui::OptionsDialog;
using vantrel::ui::PlaceSearchDialog;

namespace {

QButtonGroup& timeButtons(const QWidget& dialog)
{
    return *part<QGroupBox>(dialog, "OTime").findChild<QButtonGroup*>();
}

// Types the letters into the search and waits for its places.
void search(PlaceSearchDialog& dialog, const char* letters)
{
    QSignalSpy shown(&dialog, &PlaceSearchDialog::resultsShown);
    auto& name = part<QLineEdit>(dialog, "PlaceName");
    name.selectAll();
    QTest::keyClicks(&name, letters);
    QVERIFY(shown.wait(5000));
}

QStringList listed(const PlaceSearchDialog& dialog)
{
    QStringList rows;
    const auto& list = part<QListWidget>(dialog, "PlaceList");
    for (int i = 0; i < list.count(); ++i)
        rows << list.item(i)->text();
    return rows;
}

}  // namespace

class PlaceSearchTest : public QObject {
    Q_OBJECT

    FakePlaceLookup lookup;
    vantrel::testing::FakeZoneRules zoneRules;
    vantrel::testing::FakeClock clock{vantrel::testing::localDateTime(2026, 5, 1)};
    vantrel::testing::FakeMessages messages;
    vantrel::testing::FakeShell shell;
    Settings settings;
    Settings stored;
    std::vector<Settings> locationSaves;
    bool showOnStartup = true;
    bool verseOfDay = false;
    std::unique_ptr<OptionsDialog> options;

    void createOptions(bool withSearch = true,
                       std::optional<vantrel::ui::OptionsStorage> storage = {})
    {
        options = std::make_unique<OptionsDialog>(
            settings, vantrel::ui::StartupFlags{showOnStartup, verseOfDay},
            storage.value_or(vantrel::ui::OptionsStorage{
                [this](Settings& s) { s = stored; },
                {},
                [this](const Settings& s) { locationSaves.push_back(s); }}),
            messages, shell);
        if (withSearch)
            options->setPlaceSearch({lookup, zoneRules, clock});
        options->loadSettings();
        options->show();
    }

    PlaceSearchDialog& openSearch()
    {
        part<QPushButton>(*options, "FindPlaceButton").click();
        auto* dialog = options->findChild<PlaceSearchDialog*>();
        if (!dialog)
            qFatal("no place search dialog");
        return *dialog;
    }

private slots:
    void init()
    {
        settings = Settings{};
        stored = Settings{};
        locationSaves.clear();
        messages = vantrel::testing::FakeMessages{};
        zoneRules.zones["America/Chicago"] = {360, 0};
        zoneRules.zones["Europe/Dublin"] = {0, -60};
        options.reset();
    }

    void placesAreListedAsFoundAndPickedWithTheKeyboard()
    {
        PlaceSearchDialog dialog(lookup);
        dialog.show();
        search(dialog, "dub");
        QCOMPARE(listed(dialog), QStringList({"Dublin, Leinster, Ireland",
                                              "Dublin, California, United States of America"}));
        QCOMPARE(lookup.queries.back(), std::string("dub"));
        QCOMPARE(part<QListWidget>(dialog, "PlaceList").currentRow(), 0);

        // The arrow keys move through the list while the name keeps the focus.
        QTest::keyClick(&part<QLineEdit>(dialog, "PlaceName"), Qt::Key_Down);
        QCOMPARE(part<QListWidget>(dialog, "PlaceList").currentRow(), 1);
        QTest::keyClick(&part<QLineEdit>(dialog, "PlaceName"), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const std::optional<Place> chosen = dialog.chosenPlace();
        QVERIFY(chosen.has_value());
        QCOMPARE(chosen->region, std::string("California"));
    }

    void nothingFoundIsSaidAndEnterTakesNothing()
    {
        PlaceSearchDialog dialog(lookup);
        dialog.show();
        search(dialog, "zzz");
        QCOMPARE(part<QLabel>(dialog, "PlaceStatus").text(), QString(vantrel::ui::kNoPlaceFound));
        QVERIFY(listed(dialog).isEmpty());
        QVERIFY(!part<QPushButton>(dialog, "OkButton").isEnabled());
        QTest::keyClick(&part<QLineEdit>(dialog, "PlaceName"), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(&part<QLineEdit>(dialog, "PlaceName"), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.chosenPlace().has_value());
    }

    void failedSearchSaysWhy()
    {
        class FailingLookup : public FakePlaceLookup {
        public:
            std::vector<Place> findPlaces(const std::string&, std::size_t) const override
            {
                throw std::runtime_error("The place search failed: no data");
            }
        } failing;
        PlaceSearchDialog dialog(failing);
        dialog.show();
        search(dialog, "dub");
        QCOMPARE(part<QLabel>(dialog, "PlaceStatus").text(),
                 QString("The place search failed: no data"));
    }

    void choosingAPlaceFillsTheLocationAndEnablesItsTime()
    {
        createOptions();
        QVERIFY(!timeButtons(*options).button(3)->isEnabled());
        QCOMPARE(timeButtons(*options).button(3)->text(), QString("Place's Time Zone"));
        PlaceSearchDialog& dialog = openSearch();
        QVERIFY(dialog.isVisible());
        search(dialog, "minn");
        QTest::keyClick(&part<QLineEdit>(dialog, "PlaceName"), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());

        QCOMPARE(part<QLineEdit>(*options, "Long").text(), QString("93W16"));
        QCOMPARE(part<QLineEdit>(*options, "Lat").text(), QString("44N59"));
        QCOMPARE(part<QLineEdit>(*options, "Zone").text(), QString("6"));
        QCOMPARE(part<QLineEdit>(*options, "ZoneName").text(), QString("America/Chicago"));
        QCOMPARE(settings.longitude, std::string("93W16"));
        QCOMPARE(settings.latitude, std::string("44N59"));
        QCOMPARE(settings.zoneName, std::string("America/Chicago"));

        // The place's time: the typed zone no longer counts, and there is no note.
        QVERIFY(timeButtons(*options).button(3)->isEnabled());
        timeButtons(*options).button(3)->click();
        QCOMPARE(settings.timeMode, TimeMode::PlaceZone);
        QVERIFY(!part<QLineEdit>(*options, "Zone").isEnabled());
        QVERIFY(messages.messages.empty());

        part<QPushButton>(*options, "Button3").click();
        QCOMPARE(locationSaves.size(), size_t(1));
        QCOMPARE(locationSaves[0].zoneName, std::string("America/Chicago"));
        QCOMPARE(locationSaves[0].longitude, std::string("93W16"));

        // "&Defaults" returns to standard time and keeps the place.
        part<QPushButton>(*options, "ResetButton").click();
        QCOMPARE(settings.timeMode, TimeMode::Standard);
        QCOMPARE(settings.zoneName, std::string("America/Chicago"));
        QVERIFY(timeButtons(*options).button(3)->isEnabled());
    }

    void pickingNothingKeepsTheTypedTexts()
    {
        createOptions();
        part<QLineEdit>(*options, "Long").setText("1W00");
        part<QLineEdit>(*options, "Lat").setText("2N00");
        part<QLineEdit>(*options, "Zone").setText("3");
        PlaceSearchDialog& dialog = openSearch();
        search(dialog, "dub");
        QTest::keyClick(&part<QLineEdit>(dialog, "PlaceName"), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(settings.longitude, std::string("1W00"));
        QCOMPARE(settings.latitude, std::string("2N00"));
        QCOMPARE(settings.zone, std::string("3"));
        QVERIFY(settings.zoneName.empty());
        QVERIFY(!timeButtons(*options).button(3)->isEnabled());
        QVERIFY(options->isVisible());
    }

    void placeWhoseZoneIsUnknownHereKeepsTheZoneText()
    {
        createOptions();
        zoneRules.zones.erase("Europe/Dublin");
        PlaceSearchDialog& dialog = openSearch();
        search(dialog, "dublin");
        QTest::keyClick(&part<QLineEdit>(dialog, "PlaceName"), Qt::Key_Return);
        QCOMPARE(settings.longitude, std::string("6W15"));
        QCOMPARE(settings.zone, std::string("6"));
        QVERIFY(settings.zoneName.empty());
        QVERIFY(!timeButtons(*options).button(3)->isEnabled());
    }

    void loadingThePlacesTimeShowsItAndDisablesTheTypedZone()
    {
        stored.timeMode = TimeMode::PlaceZone;
        stored.zoneName = "Europe/Dublin";
        createOptions();
        QCOMPARE(timeButtons(*options).checkedId(), 3);
        QVERIFY(timeButtons(*options).button(3)->isEnabled());
        QVERIFY(!part<QLineEdit>(*options, "Zone").isEnabled());
        QCOMPARE(part<QLineEdit>(*options, "ZoneName").text(), QString("Europe/Dublin"));
        QVERIFY(part<QLineEdit>(*options, "ZoneName").isReadOnly());
        QVERIFY(messages.messages.empty());
    }

    // GIVEN a place found by name and its time chosen WHEN "Done" THEN the settings file keeps
    // its place and time, and the dialog says why; "Save lat/long" saves both, so that the next
    // start reads them as one.
    void thePlacesTimeIsSavedOnlyWithThePlace()
    {
        vantrel::testing::TempDir dir;
        const vantrel::core::SettingsFile file(dir.path() / "Vantrel.ini");
        createOptions(true, vantrel::ui::fileStorage(file));
        zoneRules.zones["America/Argentina/Buenos_Aires"] = {180, 0};
        options->usePlace({"Buenos Aires", "Buenos Aires F.D.", "Argentina", -34.6131, -58.3772,
                           "America/Argentina/Buenos_Aires", 13076300});
        // The whole name shows: the caret goes from its start to its end without scrolling.
        part<QTabWidget>(*options, "Pages").setCurrentIndex(1);
        auto& zoneName = part<QLineEdit>(*options, "ZoneName");
        const auto caretAt = [&zoneName](qsizetype position) {
            zoneName.setCursorPosition(int(position));
            zoneName.grab();  // painting scrolls the text to the caret
            return zoneName.inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
        };
        QTRY_VERIFY(zoneName.width() < 640);  // laid out
        QCOMPARE(caretAt(zoneName.text().size()) - caretAt(0),
                 zoneName.fontMetrics().horizontalAdvance(zoneName.text()));

        timeButtons(*options).button(3)->click();
        part<QPushButton>(*options, "CloseButton").click();
        QCOMPARE(messages.messages,
                 std::vector<std::string>{vantrel::ui::kPlaceZoneUnsavedMessage});
        Settings saved = file.load();
        QCOMPARE(saved.timeMode, TimeMode::Standard);
        QCOMPARE(saved.longitude, std::string("93W21"));
        QCOMPARE(saved.zoneName, std::string());

        options->show();
        part<QPushButton>(*options, "Button3").click();
        saved = file.load();
        QCOMPARE(saved.timeMode, TimeMode::PlaceZone);
        QCOMPARE(saved.longitude, std::string("58W23"));
        QCOMPARE(saved.zoneName, std::string("America/Argentina/Buenos_Aires"));
        part<QPushButton>(*options, "CloseButton").click();
        QCOMPARE(messages.messages.size(), size_t(1));
    }

    void withoutThePlaceSearchItsButtonIsDisabled()
    {
        createOptions(false);
        QVERIFY(!part<QPushButton>(*options, "FindPlaceButton").isEnabled());
    }
};

QTEST_MAIN(PlaceSearchTest)
#include "place_search_test.moc"
