#pragma once
// The options dialog: the view of every field of Settings and of the main window's two
// start-up flags. It holds no values of its own; every change writes the shared record at
// once, so it takes effect at the next calculation whether or not the dialog is closed.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QDialog>

#include "core/settings/settings.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_keys.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace vantrel::core {
class Clock;
class Messages;
class PlaceLookup;
class Shell;
class ZoneRules;
struct Place;
}  // namespace vantrel::core

namespace vantrel::ui {

class PlaceSearchDialog;

// Where a place's latitude and longitude can be looked up (the picture button beside the
// location fields).
inline constexpr const char* kLocationLookupAddress = "https://www.geonames.org/";

// The two start-up flags of the tip dialog; they belong to the main window, which saves them.
struct StartupFlags {
    bool& showOnStartup;  // "Show Tip of the Day"
    bool& verseOfDay;     // "Show Verse of the Day"
};

// The settings file as the dialog uses it. The save functions throw core::VantrelError
// ("Unable to write to %s") when the file cannot be written.
struct OptionsStorage {
    std::function<void(core::Settings&)> load;  // fill the record; may throw
    // Every option key but the place; "Place's Time Zone" only with its place.
    std::function<core::OptionsSaved(const core::Settings&)> saveOptions;
    std::function<void(const core::Settings&)> saveLocation;  // the place and its zone name
};

// What "Done" says when "Place's Time Zone" was chosen for a place that is not saved.
inline constexpr const char* kPlaceZoneUnsavedMessage =
    "\"Place's Time Zone\" is not saved: it is saved together with the place it belongs to. "
    "To keep both, press \"Save lat/long\" on the page \"Astrological\" of the options.";

// The dialog's storage in the given settings file.
OptionsStorage fileStorage(core::SettingsFile file);

// What finding a place by name needs: the cities, and the zone rules and clock that give the
// place's standard offset this year. Every reference must outlive the dialog.
struct PlaceSearch {
    const core::PlaceLookup& lookup;
    const core::ZoneRules& zoneRules;
    const core::Clock& clock;
};

// Each control carries the settings key's control name as its objectName ("OLines", "cbHSun"; a
// group of option buttons is its group box), the buttons theirs ("CalcButton" is "&Try").
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(core::Settings& settings, StartupFlags flags, OptionsStorage storage,
                  core::Messages& messages, core::Shell& shell, QWidget* parent = nullptr);

    // Loads the settings file into the record and shows it in the controls, with every enabling
    // rule applied and no informational message. Called once at start-up.
    void loadSettings();
    // Saves every option but the location. A failed write is reported once through the general
    // error report; the dialog closes all the same (the values stay in memory). A "Place's
    // Time Zone" whose place is not saved stays unsaved, and a message says so.
    void saveOptions();
    // "&Defaults": resets the record and the controls, with the enabling side effects.
    void resetToDefaults();
    // "Save lat/long": writes the location at once.
    void saveLocation();
    // The picture button: opens the location look-up page.
    void openLocationLookup();
    // Shows the record's location texts again after someone else changed them (the batch
    // conversion puts each line's place into the record).
    void showLocation();

    // Enables "Find place" ("FindPlaceButton"); without it the button stays disabled.
    void setPlaceSearch(PlaceSearch search);
    // "Find place": opens the search ("Find Place"); a place taken there fills the location.
    void findPlace();
    // Fills Longitude, Latitude and Time Zone from the place and remembers its tz zone, which
    // enables "Place's Time Zone". A zone this computer does not know leaves the Time Zone text
    // and clears the zone name. Does nothing before setPlaceSearch.
    void usePlace(const core::Place& place);

signals:
    // "&Try": recalculate with the values now in the dialog.
    void tryRequested();

public slots:
    // "Cancel" and Escape: the values the dialog showed when it was last closed or loaded come
    // back (the place as last saved by "Save lat/long"), nothing is saved, and it hides.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    // "Done" and the close box: saves, then hides.
    void closeEvent(QCloseEvent* event) override;

private:
    // A choice shown as a group of option buttons or as a drop-down list.
    struct ChoiceBinding {
        std::string_view controlName;
        const core::ChoiceSetting* setting = nullptr;
        QButtonGroup* buttons = nullptr;
        QComboBox* list = nullptr;
    };
    struct BoxBinding {
        QCheckBox* box;
        bool core::Settings::*field;
    };
    struct TextBinding {
        QLineEdit* edit;
        std::string core::Settings::*field;
    };

    QWidget* buildFormattingPage();
    QWidget* buildAstrologicalPage();
    QWidget* buildAdditionalPage();
    QWidget* buildAlarmPage();
    void compactLayouts();
    QGroupBox* makeChoiceGroup(const char* name, const QString& caption, const QString& hint,
                               const QStringList& items, int columns);
    QCheckBox* makeBox(const char* name, const QString& caption, const QString& hint);
    // Binds every settings key to the control named after its field, walking the key table.
    void bindControls();
    void bindChoice(std::string_view controlName, const core::ChoiceSetting& setting);
    void bindOwnControls();

    // Shows the record in the controls; the enabling rules run, the messages do not.
    void showSettings();
    void showChoice(const ChoiceBinding& binding);
    // A choice the user (or the program, while showing the record) made.
    void choose(const ChoiceBinding& binding, int index);
    void applyEnabling();

    // Writes through the storage; a failure is reported, not thrown. False after a failure.
    bool save(const std::function<void(const core::Settings&)>& write);
    // What Cancel goes back to.
    void keepForCancel();

    // The notes shown when the user picks the computer's zone or a day that turns at the Sun.
    void explainTimeMode();
    void explainDayStart();

    core::Settings& m_settings;
    StartupFlags m_flags;
    OptionsStorage m_storage;
    core::Messages& m_messages;
    core::Shell& m_shell;
    std::vector<ChoiceBinding> m_choices;
    std::vector<BoxBinding> m_boxes;
    std::vector<TextBinding> m_texts;
    bool m_showingSettings = false;
    bool m_placed = false;
    // The values Cancel restores, and whether "&Try" has shown others since.
    core::Settings m_kept;
    bool m_keptShowOnStartup = true;
    bool m_keptVerseOfDay = false;
    bool m_tried = false;

    std::optional<PlaceSearch> m_placeSearch;
    PlaceSearchDialog* m_placeDialog = nullptr;

    QTabWidget* m_pages = nullptr;
    // Astrological
    QLineEdit* m_longitude = nullptr;
    QLineEdit* m_latitude = nullptr;
    QLineEdit* m_zone = nullptr;
    QLineEdit* m_zoneName = nullptr;
    QButtonGroup* m_timeButtons = nullptr;
    QPushButton* m_findPlaceButton = nullptr;
    QToolButton* m_lookupButton = nullptr;
    QPushButton* m_saveLocationButton = nullptr;
    // Additional: the boxes the enabling rules read or set.
    QCheckBox* m_wheelChartBox = nullptr;
    QCheckBox* m_wheelReverseBox = nullptr;
    QCheckBox* m_monochromeBox = nullptr;
    QCheckBox* m_hintsBox = nullptr;
    QCheckBox* m_tipsBox = nullptr;
    QCheckBox* m_verseBox = nullptr;
    QCheckBox* m_greetingsBox = nullptr;
    QCheckBox* m_quotedBox = nullptr;
};

}  // namespace vantrel::ui
