#pragma once
// The options dialog: the view of every field of Settings and of the main window's two
// start-up flags. It holds no values of its own; every change writes the shared record at
// once, so it takes effect at the next calculation whether or not the dialog is closed.

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "core/settings/settings.h"
#include "core/settings/settings_file.h"

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
class Messages;
class Shell;
}  // namespace vantrel::core

namespace vantrel::ui {

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
    std::function<void(core::Settings&)> load;                // fill the record; silent defaults
    std::function<void(const core::Settings&)> saveOptions;   // every option key but the location
    std::function<void(const core::Settings&)> saveLocation;  // Longitude, Latitude, Time Zone
};

// The dialog's storage in the given settings file.
OptionsStorage fileStorage(core::SettingsFile file);

// A single-selection group of option buttons; item ids are the field's index values.
struct ChoiceGroup {
    QGroupBox* box = nullptr;
    QButtonGroup* buttons = nullptr;
    // The chosen item's index, -1 when none is chosen.
    int index() const;
    QAbstractButton* item(int index) const;
    int count() const;
};

class TfOptions : public QDialog {
    Q_OBJECT

public:
    TfOptions(core::Settings& settings, StartupFlags flags, OptionsStorage storage,
              core::Messages& messages, core::Shell& shell, QWidget* parent = nullptr);

    // Loads the settings file into the record and shows it in the controls, with every enabling
    // rule applied and no informational message. Called once at start-up.
    void FormCreate();
    // Saves every option but the location. A failed write is reported once through the general
    // error report; the dialog closes all the same (the values stay in memory).
    void FormClose();
    // "&Defaults": resets the record and the controls, with the enabling side effects.
    void ResetButtonClick();
    // "Save lat/long": writes the location at once.
    void Button3Click();
    // The picture button: opens the location look-up page.
    void SpeedButton1Click();
    // Shows the record's location texts again after someone else changed them (the batch
    // conversion puts each line's place into the record).
    void showLocation();

    // Formatting
    ChoiceGroup ODateFormat;
    ChoiceGroup OLines;
    ChoiceGroup OAspect;
    ChoiceGroup OTimeFormat;
    ChoiceGroup OBasic;
    ChoiceGroup OFormat;
    QComboBox* DayBegins = nullptr;
    // Astrological
    ChoiceGroup OHouseSystem;
    ChoiceGroup OZodiac;
    QLineEdit* Long = nullptr;
    QLineEdit* Lat = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* Button3 = nullptr;
    ChoiceGroup OTime;
    QLineEdit* Zone = nullptr;
    // Additional
    QCheckBox* OAspects = nullptr;
    QCheckBox* OWheelChart = nullptr;
    QCheckBox* WheelReverse = nullptr;
    QCheckBox* Monochrome = nullptr;
    QCheckBox* OClear = nullptr;
    QCheckBox* OHints = nullptr;
    QCheckBox* TOTD1 = nullptr;
    QCheckBox* VOTD1 = nullptr;
    QCheckBox* UpdateCaption = nullptr;
    QCheckBox* ReplaceClip = nullptr;
    QCheckBox* Greetings = nullptr;
    QCheckBox* Quoted = nullptr;
    // Alarm: rise/set/zenith/nadir, then planetary hours.
    QCheckBox* cbSun = nullptr;
    QCheckBox* cbMoon = nullptr;
    QCheckBox* cbMercury = nullptr;
    QCheckBox* cbVenus = nullptr;
    QCheckBox* cbMars = nullptr;
    QCheckBox* cbJupiter = nullptr;
    QCheckBox* cbSaturn = nullptr;
    QCheckBox* cbUranus = nullptr;
    QCheckBox* cbNeptune = nullptr;
    QCheckBox* cbPluto = nullptr;
    QCheckBox* cbHSun = nullptr;
    QCheckBox* cbHMoon = nullptr;
    QCheckBox* cbHMercury = nullptr;
    QCheckBox* cbHVenus = nullptr;
    QCheckBox* cbHMars = nullptr;
    QCheckBox* cbHJupiter = nullptr;
    QCheckBox* cbHSaturn = nullptr;
    // Buttons
    QPushButton* CalcButton = nullptr;   // "&Try"
    QPushButton* CloseButton = nullptr;  // "Done"
    QPushButton* ResetButton = nullptr;  // "&Defaults"
    QTabWidget* Pages = nullptr;

signals:
    // "&Try": recalculate with the values now in the dialog.
    void tryRequested();

public slots:
    // Closing by "Done", the close box or Escape saves, then hides.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct BoxBinding {
        QCheckBox* box;
        bool core::Settings::*field;
    };
    struct ChoiceBinding {
        ChoiceGroup* group;
        int core::Settings::*field;
    };

    QWidget* buildFormattingPage();
    QWidget* buildAstrologicalPage();
    QWidget* buildAdditionalPage();
    QWidget* buildAlarmPage();
    ChoiceGroup makeChoiceGroup(const QString& caption, const QString& hint,
                                const QStringList& items, int columns);
    QCheckBox* makeBox(const QString& caption, const QString& hint);
    void bindControls();

    // Shows the record in the controls; the enabling rules run, the messages do not.
    void showSettings();
    void setChoice(ChoiceGroup& group, int core::Settings::*field, int index);
    void setDayBegins(int index);
    void applyEnabling();

    void OTimeClick(int index);
    void DayBeginsChange(int index);

    core::Settings& m_settings;
    StartupFlags m_flags;
    OptionsStorage m_storage;
    core::Messages& m_messages;
    core::Shell& m_shell;
    std::vector<BoxBinding> m_boxes;
    std::vector<ChoiceBinding> m_choices;
    bool m_showingSettings = false;
    bool m_placed = false;
};

}  // namespace vantrel::ui
