// The options dialog: every control writes the shared record at once, the enabling rules hold
// when the user, the load and "&Defaults" change a control, and the informational messages come
// only from the user's own choices.

#include "ui/options_dialog.h"

#include <memory>
#include <optional>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "core/common/error.h"
#include "core/settings/settings_keys.h"
#include "tests/fakes/fake_desktop_ports.h"
#include "tests/fakes/fake_ports.h"
#include "tests/ui/find_part.h"
#include "tests/ui/keyboard_walk.h"
#include "ui/hints_switch.h"

using vantrel::core::Settings;
using vantrel::testing::FakeMessages;
using vantrel::testing::FakeShell;
using vantrel::testing::part;
using vantrel::testing::readWholeFile;
using vantrel::testing::TempDir;
using vantrel::ui::OptionsDialog;
using vantrel::ui::OptionsStorage;

namespace {

const std::string kTimeZoneMessage =
    "The \"System Locale Settings\" option uses the Timezone and Daylight Savings Time settings "
    "of your computer. It probably will not give correct results if you try dates outside the "
    "current gregorian calendar year at this time. It is useful if you typically use this "
    "program for current date/time, as it will automatically adjust these settings.";

// A group box's option buttons, numbered as the values of its field.
QButtonGroup& choice(const QWidget& dialog, const char* name)
{
    return *part<QGroupBox>(dialog, name).findChild<QButtonGroup*>();
}

// The named check boxes and option groups as "name: state": "on" or "off" for a box, the chosen
// button's number for a group, and " (disabled)" after a control the user cannot change.
QStringList states(const QWidget& dialog, std::initializer_list<const char*> names)
{
    QStringList result;
    for (const char* name : names) {
        const auto& control = part<QWidget>(dialog, name);
        const auto* box = qobject_cast<const QCheckBox*>(&control);
        const QString state = box ? (box->isChecked() ? "on" : "off")
                                  : QString::number(choice(dialog, name).checkedId());
        result << QString("%1: %2%3").arg(name, state, control.isEnabled() ? "" : " (disabled)");
    }
    return result;
}

// A settings file in memory: what load gives, and every save the dialog makes.
struct FakeStore {
    std::optional<Settings> stored;  // what load returns; nullopt: first run
    std::vector<Settings> optionSaves;
    std::vector<Settings> locationSaves;
    bool failWrites = false;

    OptionsStorage storage()
    {
        const auto saveTo = [this](std::vector<Settings>& saves) {
            return [this, &saves](const Settings& s) {
                if (failWrites)
                    throw vantrel::core::VantrelError("Unable to write to /ro/Vantrel.ini");
                saves.push_back(s);
                return vantrel::core::OptionsSaved::All;
            };
        };
        return {[this](Settings& s) {
                    if (stored)
                        s = *stored;
                },
                saveTo(optionSaves), saveTo(locationSaves)};
    }
};

// Counts the tooltip requests that reach it.
class HintTarget : public QWidget {
public:
    int toolTipEvents = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ToolTip)
            ++toolTipEvents;
        return QWidget::event(e);
    }
};

int sendToolTip(HintTarget& target)
{
    const int before = target.toolTipEvents;
    QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), target.mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(&target, &help);
    return target.toolTipEvents - before;
}

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

    Settings settings;
    bool showOnStartup = true;
    bool verseOfDay = false;
    FakeMessages messages;
    FakeShell shell;
    FakeStore store;
    std::unique_ptr<OptionsDialog> dialog;

    QCheckBox& box(const char* name) const { return part<QCheckBox>(*dialog, name); }
    QLineEdit& edit(const char* name) const { return part<QLineEdit>(*dialog, name); }
    QButtonGroup& group(const char* name) const { return choice(*dialog, name); }

    void create(OptionsStorage storage)
    {
        dialog = std::make_unique<OptionsDialog>(
            settings, vantrel::ui::StartupFlags{showOnStartup, verseOfDay}, std::move(storage),
            messages, shell);
        dialog->loadSettings();
    }
    // The dialog over the in-memory store.
    void create() { create(store.storage()); }
    // The dialog over a real settings file.
    void createOnFile(const std::filesystem::path& path)
    {
        create(vantrel::ui::fileStorage(vantrel::core::SettingsFile(path)));
    }

private slots:
    void init()
    {
        settings = Settings{};
        showOnStartup = true;
        verseOfDay = false;
        messages = FakeMessages{};
        shell = FakeShell{};
        store = FakeStore{};
        dialog.reset();
    }

    void firstRunShowsTheDefaultsWithoutMessages()
    {
        create();
        // Quoted and WheelReverse wait for the boxes they belong to.
        QCOMPARE(states(*dialog, {"OLines", "ODateFormat", "OFormat", "OBasic", "OTime", "cbSun",
                                  "cbHSun", "cbHMoon", "TOTD1", "VOTD1", "Quoted", "WheelReverse"}),
                 (QStringList{"OLines: 1", "ODateFormat: 1", "OFormat: 1", "OBasic: 0", "OTime: 0",
                              "cbSun: on", "cbHSun: on", "cbHMoon: off", "TOTD1: on", "VOTD1: off",
                              "Quoted: off (disabled)", "WheelReverse: on (disabled)"}));
        QCOMPARE(part<QComboBox>(*dialog, "DayBegins").currentText(),
                 QString("Midnight (Common Time)"));
        QCOMPARE(edit("Long").text(), QString("93W21"));
        QCOMPARE(edit("Zone").text(), QString("6"));
        QVERIFY(edit("Zone").isEnabled());
        QVERIFY(messages.messages.empty());
        QCOMPARE(dialog->windowTitle(), QString("Options"));
        QCOMPARE(part<QTabWidget>(*dialog, "Pages").currentIndex(), 0);
        QCOMPARE(part<QTabWidget>(*dialog, "Pages").tabText(3), QString("Alarm"));
    }

    void loadingSystemLocaleTimeDisablesZoneWithoutMessage()
    {
        Settings stored;
        stored.timeMode = vantrel::core::TimeMode::SystemZone;
        stored.dayStart = vantrel::core::DayStart::Sunset;
        store.stored = stored;
        create();
        QCOMPARE(group("OTime").checkedId(), 2);
        QVERIFY(!edit("Zone").isEnabled());
        QCOMPARE(part<QComboBox>(*dialog, "DayBegins").currentIndex(), 2);
        QVERIFY(messages.messages.empty());
    }

    void loadingOutOfRangeChoices()
    {
        Settings stored;
        using vantrel::core::choiceFromIndex;
        stored.lineCount =
            choiceFromIndex<vantrel::core::LineCount>(7);  // past the last item: the last one
        stored.dateFormat =
            choiceFromIndex<vantrel::core::DateFormat>(-3);             // below: nothing chosen
        stored.dayStart = choiceFromIndex<vantrel::core::DayStart>(3);  // the list takes only 0..2
        store.stored = stored;
        create();
        QCOMPARE(group("OLines").checkedId(), 2);
        QCOMPARE(settings.lineCount, vantrel::core::LineCount::Three);
        QCOMPARE(group("ODateFormat").checkedId(), -1);
        QCOMPARE(settings.dateFormat, vantrel::core::DateFormat::NotChosen);
        QCOMPARE(settings.dayStart, vantrel::core::DayStart::NotChosen);
        dialog->show();
        dialog->close();
        QCOMPARE(store.optionSaves.size(), size_t(1));
        QCOMPARE(store.optionSaves[0].dateFormat, vantrel::core::DateFormat::NotChosen);
        QCOMPARE(store.optionSaves[0].lineCount, vantrel::core::LineCount::Three);
    }

    void everySavedKeyHasTheControlNamedAfterItsField()
    {
        create();
        for (const vantrel::core::SettingKey& key : vantrel::core::settingKeys()) {
            if (key.savedBy == vantrel::core::SavedBy::HandEditing)
                continue;
            const QString name = QString::fromLatin1(
                key.controlName.data(), static_cast<qsizetype>(key.controlName.size()));
            QVERIFY2(dialog->findChild<QWidget*>(name), qPrintable("no control " + name));
        }
    }

    void everyControlWritesTheRecordAtOnce()
    {
        create();
        group("OFormat").button(4)->click();
        group("OHouseSystem").button(13)->click();
        group("OZodiac").button(1)->click();
        box("cbPluto").click();
        box("cbHSun").click();
        box("OClear").click();
        QTest::keyClicks(&edit("Long"), "x");
        edit("Zone").setText("-1");
        QCOMPARE(settings.yearFormat, vantrel::core::YearFormat::DigitsUpperRoman);
        QCOMPARE(settings.houseSystem, vantrel::core::HouseSystem::NoHouses);
        QCOMPARE(settings.zodiac, vantrel::core::Zodiac::Sidereal);
        QVERIFY(settings.alarmPluto);
        QVERIFY(!settings.hourAlarmSun);
        QVERIFY(!settings.clearDataWindow);
        QCOMPARE(settings.longitude, std::string("93W21x"));
        QCOMPARE(settings.zone, std::string("-1"));
        QVERIFY(store.optionSaves.empty());
        QVERIFY(store.locationSaves.empty());
    }

    void systemLocaleTimeMessageOnlyForTheUsersChoice()
    {
        create();
        group("OTime").button(2)->click();
        QCOMPARE(messages.messages.size(), size_t(1));
        QCOMPARE(messages.messages[0], kTimeZoneMessage);
        QVERIFY(!edit("Zone").isEnabled());
        QCOMPARE(settings.timeMode, vantrel::core::TimeMode::SystemZone);

        group("OTime").button(2)->click();  // already chosen: nothing happens
        QCOMPARE(messages.messages.size(), size_t(1));

        group("OTime").button(0)->click();
        QVERIFY(edit("Zone").isEnabled());
        QCOMPARE(settings.timeMode, vantrel::core::TimeMode::Standard);
        group("OTime").button(1)->click();
        QVERIFY(edit("Zone").isEnabled());
        QCOMPARE(messages.messages.size(), size_t(1));
    }

    void dayBeginsMessages()
    {
        create();
        for (const int item : {1, 2, 0}) {
            part<QComboBox>(*dialog, "DayBegins").setCurrentIndex(item);
            emit part<QComboBox>(*dialog, "DayBegins").activated(item);
        }
        QCOMPARE(settings.dayStart, vantrel::core::DayStart::Midnight);
        QCOMPARE(messages.messages.size(), size_t(2));
        QCOMPARE(messages.messages[0],
                 std::string("Times before Sunrise will now be adjusted back to prior day of "
                             "week.  Causes two additional calls to Astrolog."));
        QCOMPARE(messages.messages[1],
                 std::string("Times after Sunset will now be adjusted forward to next day of "
                             "week.  Causes two additional calls to Astrolog."));
    }

    void typedDayBeginsTextThatNamesNoItemSavesMinusOne()
    {
        create();
        QLineEdit* edit = part<QComboBox>(*dialog, "DayBegins").lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, "Noon");
        QCOMPARE(settings.dayStart, vantrel::core::DayStart::NotChosen);
        QVERIFY(messages.messages.empty());
        dialog->show();
        dialog->close();
        QCOMPARE(store.optionSaves.size(), size_t(1));
        QCOMPARE(store.optionSaves[0].dayStart, vantrel::core::DayStart::NotChosen);

        // Typing an item's name chooses it, with its message.
        edit->selectAll();
        QTest::keyClicks(edit, "Sun Set");
        QCOMPARE(settings.dayStart, vantrel::core::DayStart::Sunset);
        QCOMPARE(messages.messages.size(), size_t(1));
    }

    void defaultsWhileWheelAndGreetingsAreChecked()
    {
        create();
        box("OWheelChart").click();
        box("WheelReverse").click();
        box("Greetings").click();
        box("Quoted").click();
        box("OHints").click();
        QCOMPARE(states(*dialog, {"WheelReverse", "Quoted"}),
                 (QStringList{"WheelReverse: off", "Quoted: on"}));
        QVERIFY(!vantrel::ui::hintsEnabled());

        part<QPushButton>(*dialog, "ResetButton").click();
        QCOMPARE(
            states(*dialog, {"OWheelChart", "WheelReverse", "Monochrome", "Quoted", "OHints"}),
            (QStringList{"OWheelChart: off", "WheelReverse: on (disabled)",
                         "Monochrome: on (disabled)", "Quoted: off (disabled)", "OHints: on"}));
        QVERIFY(vantrel::ui::hintsEnabled());
        QVERIFY(settings.wheelReversed);
        QVERIFY(!settings.wheelChart);
    }

    void defaultsWhileSystemLocaleIsChosen()
    {
        Settings stored;
        stored.timeMode = vantrel::core::TimeMode::SystemZone;
        stored.longitude = "0E10";
        stored.latitude = "51N30";
        stored.zone = "0";
        stored.hourAlarmSun = true;
        stored.yearFormat = vantrel::core::YearFormat::DigitsLowerRoman;
        stored.yearPrefix = vantrel::core::YearPrefix::An;
        store.stored = stored;
        showOnStartup = false;
        verseOfDay = true;
        create();
        dialog->resetToDefaults();
        QVERIFY(edit("Zone").isEnabled());
        QVERIFY(messages.messages.empty());
        // Year format "IVv", "Anno", no planetary-hour alarm; the location and tip boxes stay.
        QCOMPARE(states(*dialog, {"OTime", "OFormat", "cbHSun", "TOTD1", "VOTD1"}),
                 (QStringList{"OTime: 0", "OFormat: 0", "cbHSun: off", "TOTD1: off",
                              "VOTD1: on (disabled)"}));
        QCOMPARE(settings.yearFormat, vantrel::core::YearFormat::UpperRomanLowerRoman);
        QCOMPARE(settings.yearPrefix, vantrel::core::YearPrefix::Anno);
        QVERIFY(!settings.hourAlarmSun);
        QVERIFY(settings.alarmSun);
        QCOMPARE(settings.dayStart, vantrel::core::DayStart::Midnight);
        QCOMPARE(settings.longitude, std::string("0E10"));
        QCOMPARE(edit("Lat").text(), QString("51N30"));
        QCOMPARE(edit("Zone").text(), QString("0"));
        QVERIFY(!showOnStartup);
        QVERIFY(verseOfDay);
        // Nothing is written until the dialog closes.
        QVERIFY(store.optionSaves.empty());
        QVERIFY(store.locationSaves.empty());
    }

    void tipOfTheDayBoxControlsVerseBox()
    {
        verseOfDay = true;
        create();
        QVERIFY(box("VOTD1").isEnabled());
        box("TOTD1").click();
        QVERIFY(!showOnStartup);
        QCOMPARE(states(*dialog, {"VOTD1"}), QStringList{"VOTD1: on (disabled)"});
        QVERIFY(verseOfDay);
        box("TOTD1").click();
        box("VOTD1").click();
        QVERIFY(showOnStartup);
        QVERIFY(!verseOfDay);
    }

    void verseBoxStartsDisabledWhenTipsAreOffButVersesOn()
    {
        showOnStartup = false;
        verseOfDay = true;
        create();
        QCOMPARE(states(*dialog, {"TOTD1", "VOTD1"}),
                 (QStringList{"TOTD1: off", "VOTD1: on (disabled)"}));
        QVERIFY(verseOfDay);
    }

    void showHintsSwitchesTooltipsOfEveryWindow()
    {
        create();
        HintTarget other;
        other.setToolTip("a hint");
        QCOMPARE(sendToolTip(other), 1);
        box("OHints").click();
        QVERIFY(!settings.hints);
        QCOMPARE(sendToolTip(other), 0);
        box("OHints").click();
        QCOMPARE(sendToolTip(other), 1);
    }

    void loadingHintsOffSwitchesThemOff()
    {
        Settings stored;
        stored.hints = false;
        store.stored = stored;
        create();
        QVERIFY(!vantrel::ui::hintsEnabled());
        vantrel::ui::setHintsEnabled(true);
    }

    void saveLatLongWritesAtOnceAndDoneDoesNot()
    {
        create();
        edit("Long").setText("2E21");
        part<QPushButton>(*dialog, "Button3").click();
        QCOMPARE(store.locationSaves.size(), size_t(1));
        QCOMPARE(store.locationSaves[0].longitude, std::string("2E21"));
        QVERIFY(store.optionSaves.empty());

        dialog->show();
        part<QPushButton>(*dialog, "CloseButton").click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(store.optionSaves.size(), size_t(1));
        QCOMPARE(store.locationSaves.size(), size_t(1));
    }

    void settingsFileKeepsTheLocationUntilSaveLatLong()
    {
        TempDir dir;
        const auto path = dir.path() / "Vantrel.ini";
        createOnFile(path);
        dialog->show();
        edit("Long").setText("0W07");
        group("OLines").button(2)->click();
        part<QPushButton>(*dialog, "CloseButton").click();
        std::string ini = readWholeFile(path);
        QVERIFY2(ini.find("Lines=2") != std::string::npos, ini.c_str());
        QVERIFY2(ini.find("Longitude") == std::string::npos, ini.c_str());
        QCOMPARE(settings.longitude, std::string("0W07"));

        part<QPushButton>(*dialog, "Button3").click();
        ini = readWholeFile(path);
        QVERIFY2(ini.find("Longitude=0W07") != std::string::npos, ini.c_str());
        QVERIFY2(ini.find("Latitude=45N05") != std::string::npos, ini.c_str());
        QVERIFY2(ini.find("Time Zone=6") != std::string::npos, ini.c_str());

        // The next start reads both back.
        Settings reloaded;
        bool show = true;
        bool verse = false;
        OptionsDialog again(reloaded, vantrel::ui::StartupFlags{show, verse},
                            vantrel::ui::fileStorage(vantrel::core::SettingsFile(path)), messages,
                            shell);
        again.loadSettings();
        QCOMPARE(choice(again, "OLines").checkedId(), 2);
        QCOMPARE(part<QLineEdit>(again, "Long").text(), QString("0W07"));
        QVERIFY(messages.errors.empty());
    }

    void unwritableSettingsFileIsReportedOnceOnClose()
    {
        TempDir dir;
        // The folder named for the file is a plain file, so nothing can be written there.
        vantrel::testing::writeWholeFile(dir.path() / "not a folder", "x");
        const auto path = dir.path() / "not a folder" / "Vantrel.ini";
        createOnFile(path);
        dialog->show();
        group("OLines").button(0)->click();
        part<QPushButton>(*dialog, "CloseButton").click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(messages.errors.size(), size_t(1));
        QCOMPARE(messages.errors[0], "Unable to write to " + path.string());
        QCOMPARE(settings.lineCount, vantrel::core::LineCount::One);
    }

    void failedWriteOnCloseIsReportedOnceAndTheDialogCloses()
    {
        create();
        store.failWrites = true;
        dialog->show();
        part<QPushButton>(*dialog, "CloseButton").click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(messages.errors.size(), size_t(1));
        QCOMPARE(messages.errors[0], std::string("Unable to write to /ro/Vantrel.ini"));

        // Each later close is a new attempt with at most one report.
        dialog->show();
        dialog->close();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(messages.errors.size(), size_t(2));

        dialog->saveLocation();
        QCOMPARE(messages.errors.size(), size_t(3));
        QCOMPARE(settings.longitude, std::string("93W21"));
    }

    void closeBoxSavesLikeDone()
    {
        create();
        dialog->show();
        dialog->close();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(store.optionSaves.size(), size_t(1));
    }

    void tryAndLocationButtons()
    {
        create();
        QSignalSpy tries(dialog.get(), &OptionsDialog::tryRequested);
        dialog->show();
        part<QPushButton>(*dialog, "CalcButton").click();
        QCOMPARE(tries.count(), 1);
        QVERIFY(dialog->isVisible());
        QVERIFY(store.optionSaves.empty());

        part<QToolButton>(*dialog, "SpeedButton1").click();
        QCOMPARE(shell.opened.size(), size_t(1));
        QCOMPARE(shell.opened[0], std::string(vantrel::ui::kLocationLookupAddress));
        QVERIFY(part<QPushButton>(*dialog, "CloseButton").isDefault());
    }

    void alarmFramesLineUp()
    {
        create();
        dialog->show();
        part<QTabWidget>(*dialog, "Pages").setCurrentIndex(3);
        const auto left = [this](const char* name) {
            return box(name).mapTo(dialog.get(), QPoint()).x();
        };
        QCOMPARE(left("cbHSun"), left("cbSun"));
        QCOMPARE(left("cbHMars"), left("cbMars"));
    }

    void worksWithoutAMouse()
    {
        create();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        auto& pages = part<QTabWidget>(*dialog, "Pages");
        // Tab goes through the page in reading order, then the buttons and the page tabs.
        QCOMPARE(
            vantrel::testing::tabRound(*dialog, *pages.tabBar()),
            (QStringList{"Pages: Formatting", "ODateFormat: Short Format", "OLines: One Line",
                         "OAspect: Simple", "OTimeFormat: Short Format", "OBasic: An",
                         "OFormat: IVv", "DayBegins: Midnight (Common Time)", "CalcButton: Try",
                         "CloseButton: Done", "CancelButton: Cancel", "ResetButton: Defaults"}));
        // Ctrl+Tab turns the page; the picture button is named by its hint.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(pages.currentIndex(), 1);
        auto& lookup = part<QToolButton>(*dialog, "SpeedButton1");
        QCOMPARE(QAccessible::queryAccessibleInterface(&lookup)->text(QAccessible::Name),
                 lookup.toolTip());
        // Escape closes without saving, as "Cancel" does.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QVERIFY(store.optionSaves.empty());
    }

    // GIVEN changes made and tried WHEN "Cancel" THEN the record, the start-up flags and the
    // hints are as they were, nothing is saved but what "Save lat/long" saved, and the date is
    // calculated again with the values restored.
    void cancelForgetsTheChangesButNotWhatWasSaved()
    {
        create();
        QSignalSpy tries(dialog.get(), &OptionsDialog::tryRequested);
        dialog->show();
        const Settings before = settings;
        group("OLines").button(2)->click();
        box("OHints").click();
        box("TOTD1").click();
        edit("Long").setText("2E21");
        part<QPushButton>(*dialog, "Button3").click();
        edit("Lat").setText("48N51");
        part<QPushButton>(*dialog, "CalcButton").click();
        QVERIFY(!vantrel::ui::hintsEnabled());

        part<QPushButton>(*dialog, "CancelButton").click();
        QVERIFY(!dialog->isVisible());
        QVERIFY(store.optionSaves.empty());
        Settings expected = before;
        expected.longitude = "2E21";  // saved by "Save lat/long"
        QCOMPARE(settings, expected);
        QCOMPARE(group("OLines").checkedId(), 1);
        QCOMPARE(edit("Lat").text(), QString("45N05"));
        QVERIFY(showOnStartup);
        QVERIFY(vantrel::ui::hintsEnabled());
        QCOMPARE(tries.count(), 2);

        // "Done" afterwards saves the values restored.
        dialog->show();
        part<QPushButton>(*dialog, "CloseButton").click();
        QCOMPARE(store.optionSaves.size(), size_t(1));
        QCOMPARE(store.optionSaves[0], expected);
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
