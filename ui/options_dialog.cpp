#include "ui/options_dialog.h"

#include <algorithm>
#include <exception>
#include <variant>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/places/place_texts.h"
#include "core/ports/clock.h"
#include "core/ports/messages.h"
#include "core/ports/shell.h"
#include "ui/hints_switch.h"
#include "ui/place_search_dialog.h"
#include "ui/resources.h"
#include "ui/window_placement.h"

namespace vantrel::ui {
namespace {

const char* const kTimeZoneMessage =
    "The \"System Locale Settings\" option uses the Timezone and Daylight Savings Time settings "
    "of your computer. It probably will not give correct results if you try dates outside the "
    "current gregorian calendar year at this time. It is useful if you typically use this "
    "program for current date/time, as it will automatically adjust these settings.";
const char* const kSunRiseMessage =
    "Times before Sunrise will now be adjusted back to prior day of week.  Causes two "
    "additional calls to Astrolog.";
const char* const kSunSetMessage =
    "Times after Sunset will now be adjusted forward to next day of week.  Causes two "
    "additional calls to Astrolog.";

QLabel* labelFor(const QString& caption, QWidget* buddy, const QString& hint)
{
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    label->setToolTip(hint);
    return label;
}

}  // namespace

OptionsStorage fileStorage(core::SettingsFile file)
{
    return {
        [file](core::Settings& settings) { settings = file.load(); },
        [file](const core::Settings& settings) { return file.saveOptions(settings); },
        [file](const core::Settings& settings) { file.saveLocation(settings); },
    };
}

OptionsDialog::OptionsDialog(core::Settings& settings, StartupFlags flags, OptionsStorage storage,
                             core::Messages& messages, core::Shell& shell, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_flags(flags), m_storage(std::move(storage)),
      m_messages(messages), m_shell(shell)
{
    loadResources();
    setWindowTitle("Options");
    setModal(false);

    m_pages = new QTabWidget;
    m_pages->setObjectName("Pages");
    m_pages->addTab(buildFormattingPage(), "Formatting");
    m_pages->addTab(buildAstrologicalPage(), "Astrological");
    m_pages->addTab(buildAdditionalPage(), "Additional");
    m_pages->addTab(buildAlarmPage(), "Alarm");
    m_pages->setCurrentIndex(0);

    auto* tryButton = new QPushButton("&Try");
    tryButton->setObjectName("CalcButton");
    tryButton->setToolTip("Try these values");
    auto* doneButton = new QPushButton("Done");
    doneButton->setObjectName("CloseButton");
    doneButton->setToolTip("Close dialog");
    doneButton->setDefault(true);
    auto* cancelButton = new QPushButton("Cancel");
    cancelButton->setObjectName("CancelButton");
    cancelButton->setToolTip("Close dialog, forgetting the changes");
    auto* defaultsButton = new QPushButton("&Defaults");
    defaultsButton->setObjectName("ResetButton");
    defaultsButton->setToolTip("Reset all options to default values");
    for (QPushButton* button : {tryButton, doneButton, cancelButton, defaultsButton})
        button->setAutoDefault(false);
    doneButton->setAutoDefault(true);

    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(tryButton);
    buttonColumn->addWidget(doneButton);
    buttonColumn->addWidget(cancelButton);
    buttonColumn->addStretch(1);
    buttonColumn->addWidget(defaultsButton);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttonColumn);

    connect(tryButton, &QPushButton::clicked, this, [this] {
        m_tried = true;
        emit tryRequested();
    });
    connect(doneButton, &QPushButton::clicked, this, &QDialog::close);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(defaultsButton, &QPushButton::clicked, this, &OptionsDialog::resetToDefaults);
    bindControls();

    compactLayouts();
    resize(sizeHint().expandedTo(QSize(454, 298)));
}

void OptionsDialog::compactLayouts()
{
    // Many small choices: the style's roomy frames and rows would make the dialog half as large
    // again as it is meant to be.
    for (int index = 0; index < m_pages->count(); ++index)
        m_pages->widget(index)->layout()->setContentsMargins(6, 6, 6, 6);
    for (QGroupBox* group : findChildren<QGroupBox*>()) {
        QLayout* rows = group->layout();
        rows->setContentsMargins(6, 2, 6, 4);
        if (auto* grid = qobject_cast<QGridLayout*>(rows))
            grid->setVerticalSpacing(0);
        else
            rows->setSpacing(2);
    }
}

QGroupBox* OptionsDialog::makeChoiceGroup(const char* name, const QString& caption,
                                          const QString& hint, const QStringList& items,
                                          int columns)
{
    auto* box = new QGroupBox(caption);
    box->setObjectName(name);
    box->setToolTip(hint);
    auto* buttons = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i]);
        buttons->addButton(radio, i);
        grid->addWidget(radio, i % rows, i / rows);
    }
    grid->setRowStretch(rows, 1);
    return box;
}

QCheckBox* OptionsDialog::makeBox(const char* name, const QString& caption, const QString& hint)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    if (!hint.isEmpty())
        box->setToolTip(hint);
    return box;
}

QWidget* OptionsDialog::buildFormattingPage()
{
    QGroupBox* dateFormat = makeChoiceGroup("ODateFormat", "Date Format", "Date format",
                                            {"Short Format", "Long Format", "None"}, 1);
    QGroupBox* lines = makeChoiceGroup("OLines", "Lines", "Total lines to format",
                                       {"One Line", "Two Lines", "Three Lines"}, 1);
    QGroupBox* aspect =
        makeChoiceGroup("OAspect", "Aspect", "Include minutes", {"Simple", "Degrees"}, 1);
    QGroupBox* timeFormat = makeChoiceGroup("OTimeFormat", "Time Format", "Time format",
                                            {"Short Format", "Long Format", "None"}, 1);
    QGroupBox* yearPrefix =
        makeChoiceGroup("OBasic", "Basic", "Word placed before the year, such as \"Anno\"",
                        {"An", "Anno", "None"}, 1);
    QGroupBox* yearFormat = makeChoiceGroup("OFormat", "Year Format", "Year format",
                                            {"IVv", "iv5", "ivV", "4v", "4V"}, 2);

    auto* dayBegins = new QComboBox;
    dayBegins->setObjectName("DayBegins");
    dayBegins->setEditable(true);
    dayBegins->setInsertPolicy(QComboBox::NoInsert);
    // The day turns at midnight, which "12:00" would read as noon.
    dayBegins->addItems({"Midnight (Common Time)", "Sun Rise", "Sun Set"});
    dayBegins->setToolTip("Day begins");

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(dateFormat, 0, 0);
    grid->addWidget(lines, 0, 1);
    grid->addWidget(aspect, 0, 2);
    grid->addWidget(timeFormat, 1, 0);
    grid->addWidget(yearPrefix, 1, 1);
    grid->addWidget(yearFormat, 1, 2);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(labelFor("Day begins", dayBegins, "Day begins"));
    dayRow->addWidget(dayBegins);
    dayRow->addStretch(1);
    grid->addLayout(dayRow, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* OptionsDialog::buildAstrologicalPage()
{
    QGroupBox* houseSystem = makeChoiceGroup(
        "OHouseSystem", "House System", "House system",
        {"Placidus", "Koch", "Equal", "Campanus", "Meridian", "Regiomontanus", "Porphyry",
         "Morinus", "Topocentric", "Alcabitius", "Equal (MC)", "Neo-Porphyry", "Whole", "None"},
        2);
    QGroupBox* zodiac = makeChoiceGroup("OZodiac", "Zodiac", "Zodiac", {"Tropical", "Sidereal"}, 1);
    QGroupBox* timeMode = makeChoiceGroup(
        "OTime", "Time", "Daylight time adjustment",
        {"Standard Time", "Daylight Time", "System Locale Settings", "Place's Time Zone"}, 1);
    m_timeButtons = timeMode->findChild<QButtonGroup*>();
    m_timeButtons->button(3)->setToolTip(
        "The time zone of the place found by name, for every date (enabled once one is found)");

    m_longitude = new QLineEdit;
    m_longitude->setObjectName("Long");
    m_longitude->setToolTip("Longitude");
    m_latitude = new QLineEdit;
    m_latitude->setObjectName("Lat");
    m_latitude->setToolTip("Latitude");
    m_lookupButton = new QToolButton;
    m_lookupButton->setObjectName("SpeedButton1");
    m_lookupButton->setIcon(QIcon(":/vantrel/icons/location.svg"));
    m_lookupButton->setIconSize(QSize(22, 22));
    m_lookupButton->setAutoRaise(false);
    m_lookupButton->setToolTip("Try this to find your Longitude and Latitude on World Wide Web");
    m_lookupButton->setAccessibleName(m_lookupButton->toolTip());
    m_saveLocationButton = new QPushButton("Save lat/long");
    m_saveLocationButton->setObjectName("Button3");
    m_saveLocationButton->setAutoDefault(false);
    m_saveLocationButton->setToolTip("Save this latitude and longitude as default");

    m_findPlaceButton = new QPushButton("&Find place...");
    m_findPlaceButton->setObjectName("FindPlaceButton");
    m_findPlaceButton->setAutoDefault(false);
    m_findPlaceButton->setEnabled(false);
    m_findPlaceButton->setToolTip(
        "Find a city by name and fill in its longitude, latitude and time zone");

    // Wide enough for degrees, minutes and seconds ("122W25'30").
    const int placeWidth = m_longitude->fontMetrics().horizontalAdvance("000W00'00") + 12;
    for (QLineEdit* edit : {m_longitude, m_latitude})
        edit->setMaximumWidth(placeWidth);
    auto* location = new QGroupBox("Location on Earth");
    auto* locationGrid = new QGridLayout(location);
    locationGrid->addWidget(labelFor("Longitude", m_longitude, "Longitude"), 0, 0);
    locationGrid->addWidget(m_longitude, 0, 1);
    locationGrid->addWidget(labelFor("Latitude", m_latitude, "Latitude"), 1, 0);
    locationGrid->addWidget(m_latitude, 1, 1);
    locationGrid->addWidget(m_findPlaceButton, 2, 0, 1, 2);
    auto* locationButtons = new QHBoxLayout;
    locationButtons->addWidget(m_lookupButton);
    locationButtons->addWidget(m_saveLocationButton, 1);
    locationGrid->addLayout(locationButtons, 3, 0, 1, 2);

    m_zone = new QLineEdit;
    m_zone->setObjectName("Zone");
    m_zone->setToolTip("Time zone");
    m_zone->setMaximumWidth(48);
    m_zoneName = new QLineEdit;
    m_zoneName->setObjectName("ZoneName");
    m_zoneName->setReadOnly(true);
    m_zoneName->setToolTip("Time zone of the place found by name");
    // A tz name can be long ("America/Argentina/Buenos_Aires"): it has a row of its own, and
    // the field widens to show it whole, from its start.
    connect(m_zoneName, &QLineEdit::textChanged, this, [this](const QString& name) {
        const QFontMetrics metrics = m_zoneName->fontMetrics();
        const int frame = m_zoneName->sizeHint().width() - metrics.horizontalAdvance('x') * 17;
        const int caret = 2;
        m_zoneName->setMinimumWidth(metrics.horizontalAdvance(name) + frame + caret);
        m_zoneName->setCursorPosition(0);
    });
    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(labelFor("Time Zone", m_zone, "Time zone"));
    zoneRow->addWidget(m_zone);
    zoneRow->addStretch(1);

    // Two columns that keep their own heights: houses and zodiac; place and clock.
    auto* left = new QVBoxLayout;
    left->addWidget(houseSystem);
    left->addWidget(zodiac);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(location);
    right->addWidget(timeMode);
    right->addLayout(zoneRow);
    right->addWidget(m_zoneName);
    right->addStretch(1);
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    return page;
}

QWidget* OptionsDialog::buildAdditionalPage()
{
    QCheckBox* aspects =
        makeBox("OAspects", "Include Aspect charts (Causes additional call to Astrolog)",
                "Generate additional aspect charts");
    m_wheelChartBox =
        makeBox("OWheelChart", "Include Wheel chart  (Causes additional call to Astrolog)",
                "Generate text wheel chart");
    m_wheelReverseBox = makeBox("WheelReverse", "Reverse colors ", "White background wheel");
    m_monochromeBox = makeBox("Monochrome", "Monochrome", "White background wheel");
    QCheckBox* clear = makeBox("OClear", "Clear Astrolog window with each computation",
                               "Erase contents of astrolog window");
    m_hintsBox = makeBox("OHints", "Show Hints", "Show hints");
    m_tipsBox = makeBox("TOTD1", "Show Tip of the Day", "Show hints");
    m_verseBox = makeBox("VOTD1", "Show Verse of the Day", "Show hints");
    QCheckBox* caption = makeBox("UpdateCaption", "Update Program Caption", {});
    QCheckBox* clipboard = makeBox("ReplaceClip", "Always Insert in Clipboard",
                                   "Replace clipboard on start up and calculation");
    m_greetingsBox = makeBox("Greetings", "Insert Thelemic Greetings", {});
    m_quotedBox = makeBox("Quoted", "Quoted", {});

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setVerticalSpacing(3);
    grid->setColumnMinimumWidth(0, 16);
    int row = 0;
    grid->addWidget(aspects, row++, 0, 1, 3);
    grid->addWidget(m_wheelChartBox, row++, 0, 1, 3);
    grid->addWidget(m_wheelReverseBox, row, 1);
    grid->addWidget(m_monochromeBox, row++, 2);
    grid->addWidget(clear, row++, 0, 1, 3);
    grid->addWidget(m_hintsBox, row++, 0, 1, 3);
    grid->addWidget(m_tipsBox, row, 0, 1, 2);
    grid->addWidget(m_verseBox, row++, 2);
    grid->addWidget(caption, row++, 0, 1, 3);
    grid->addWidget(clipboard, row++, 0, 1, 3);
    grid->addWidget(m_greetingsBox, row, 0, 1, 2);
    grid->addWidget(m_quotedBox, row++, 2);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* OptionsDialog::buildAlarmPage()
{
    struct Box {
        const char* name;
        const char* caption;
    };
    using Columns = std::vector<std::vector<Box>>;
    const auto fillColumns = [this](QGroupBox* frame, const Columns& columns) {
        auto* grid = new QGridLayout(frame);
        for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
            const std::vector<Box>& boxes = columns[static_cast<std::size_t>(column)];
            for (int row = 0; row < static_cast<int>(boxes.size()); ++row) {
                const Box& box = boxes[static_cast<std::size_t>(row)];
                grid->addWidget(makeBox(box.name, box.caption, {}), row, column);
            }
        }
    };
    auto* riseSet = new QGroupBox("Rise/Set/Zenith/Nadir Alarms");
    fillColumns(
        riseSet,
        {{{"cbSun", "Sun"}, {"cbMoon", "Moon"}, {"cbMercury", "Mercury"}, {"cbVenus", "Venus"}},
         {{"cbMars", "Mars"}, {"cbJupiter", "Jupiter"}, {"cbSaturn", "Saturn"}},
         {{"cbUranus", "Uranus"}, {"cbNeptune", "Neptune"}, {"cbPluto", "Pluto"}}});
    auto* hours = new QGroupBox("Planetary Hours Alarms");
    fillColumns(
        hours,
        {{{"cbHSun", "Sun"}, {"cbHMoon", "Moon"}, {"cbHMercury", "Mercury"}, {"cbHVenus", "Venus"}},
         {{"cbHMars", "Mars"}, {"cbHJupiter", "Jupiter"}, {"cbHSaturn", "Saturn"}}});

    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(riseSet);
    column->addWidget(hours);
    column->addStretch(1);
    // The two frames' columns line up: three of one width in each (the gap is part of the
    // width, as a grid leaves out the gap beside an empty column).
    int columnWidth = 0;
    for (const QCheckBox* box : page->findChildren<QCheckBox*>())
        columnWidth = std::max(columnWidth, box->sizeHint().width() + 8);
    for (QGroupBox* frame : {riseSet, hours}) {
        auto* grid = static_cast<QGridLayout*>(frame->layout());
        grid->setHorizontalSpacing(0);
        for (int index = 0; index < 3; ++index) {
            grid->setColumnMinimumWidth(index, columnWidth);
            grid->setColumnStretch(index, 1);
        }
    }
    return page;
}

void OptionsDialog::bindControls()
{
    for (const core::SettingKey& key : core::settingKeys()) {
        const QString name = QString::fromLatin1(key.controlName.data(),
                                                 static_cast<qsizetype>(key.controlName.size()));
        std::visit(
            core::Overloaded{
                [&](const core::ChoiceSetting& choice) { bindChoice(key.controlName, choice); },
                [&](const core::FlagSetting& flag) {
                    if (auto* box = findChild<QCheckBox*>(name))
                        m_boxes.push_back({box, flag.field});
                },
                [&](const core::TextSetting& text) {
                    if (auto* edit = findChild<QLineEdit*>(name))
                        m_texts.push_back({edit, text.field});
                },
            },
            key.value);
    }
    for (const ChoiceBinding& binding : m_choices) {
        if (binding.buttons) {
            connect(binding.buttons, &QButtonGroup::idClicked, this,
                    [this, &binding](int id) { choose(binding, id); });
            continue;
        }
        // Picking from the list and typing into the field both change the chosen index;
        // typed text that names no item leaves the list without a chosen index.
        QComboBox* list = binding.list;
        connect(list, &QComboBox::activated, this,
                [this, &binding](int index) { choose(binding, index); });
        connect(list->lineEdit(), &QLineEdit::textEdited, this,
                [this, &binding, list](const QString& text) {
                    choose(binding, list->findText(text, Qt::MatchFixedString));
                });
    }
    for (const BoxBinding& binding : m_boxes) {
        connect(binding.box, &QCheckBox::toggled, this, [this, field = binding.field](bool on) {
            m_settings.*field = on;
            applyEnabling();
        });
    }
    for (const TextBinding& binding : m_texts) {
        connect(binding.edit, &QLineEdit::textChanged, this,
                [this, field = binding.field](const QString& text) {
                    m_settings.*field = text.toStdString();
                });
    }
    bindOwnControls();
}

void OptionsDialog::bindChoice(std::string_view controlName, const core::ChoiceSetting& setting)
{
    const QString name =
        QString::fromLatin1(controlName.data(), static_cast<qsizetype>(controlName.size()));
    ChoiceBinding binding{controlName, &setting};
    if (auto* group = findChild<QGroupBox*>(name))
        binding.buttons = group->findChild<QButtonGroup*>();
    else
        binding.list = findChild<QComboBox*>(name);
    if (binding.buttons || binding.list)
        m_choices.push_back(binding);
}

void OptionsDialog::bindOwnControls()
{
    connect(m_tipsBox, &QCheckBox::toggled, this, [this](bool on) {
        m_flags.showOnStartup = on;
        applyEnabling();
    });
    connect(m_verseBox, &QCheckBox::toggled, this, [this](bool on) { m_flags.verseOfDay = on; });

    connect(m_lookupButton, &QToolButton::clicked, this, &OptionsDialog::openLocationLookup);
    connect(m_saveLocationButton, &QPushButton::clicked, this, &OptionsDialog::saveLocation);
    connect(m_findPlaceButton, &QPushButton::clicked, this, &OptionsDialog::findPlace);
}

void OptionsDialog::loadSettings()
{
    // A file that cannot be read is reported; the first-run values stand in for it.
    try {
        if (m_storage.load)
            m_storage.load(m_settings);
    } catch (const std::exception& error) {
        m_messages.showError(error.what());
    }
    showSettings();
    keepForCancel();
}

void OptionsDialog::keepForCancel()
{
    m_kept = m_settings;
    m_keptShowOnStartup = m_flags.showOnStartup;
    m_keptVerseOfDay = m_flags.verseOfDay;
    m_tried = false;
}

void OptionsDialog::showSettings()
{
    m_showingSettings = true;
    for (const ChoiceBinding& binding : m_choices)
        showChoice(binding);
    for (const BoxBinding& binding : m_boxes)
        binding.box->setChecked(m_settings.*binding.field);
    showLocation();
    // The flags are read before the boxes are set: each box writes its flag back when toggled.
    const bool showOnStartup = m_flags.showOnStartup;
    const bool verseOfDay = m_flags.verseOfDay;
    m_tipsBox->setChecked(showOnStartup);
    m_verseBox->setChecked(verseOfDay);
    applyEnabling();
    m_showingSettings = false;
}

void OptionsDialog::showLocation()
{
    for (const TextBinding& binding : m_texts)
        binding.edit->setText(QString::fromStdString(m_settings.*binding.field));
}

void OptionsDialog::showChoice(const ChoiceBinding& binding)
{
    const core::ChoiceField& field = binding.setting->field;
    const int index = binding.setting->clamped(field.index(m_settings));
    if (binding.list) {
        binding.list->setCurrentIndex(index);
    } else if (index < 0) {
        // An exclusive group cannot uncheck its last checked button.
        binding.buttons->setExclusive(false);
        for (QAbstractButton* button : binding.buttons->buttons())
            button->setChecked(false);
        binding.buttons->setExclusive(true);
    } else {
        binding.buttons->button(index)->setChecked(true);
    }
    field.choose(m_settings, index);
}

void OptionsDialog::choose(const ChoiceBinding& binding, int index)
{
    // Choosing the item that is already chosen does nothing.
    const core::ChoiceField& field = binding.setting->field;
    if (index == field.index(m_settings))
        return;
    field.choose(m_settings, index);
    applyEnabling();
    if (m_showingSettings)
        return;
    if (binding.controlName == "OTime")
        explainTimeMode();
    else if (binding.controlName == "DayBegins")
        explainDayStart();
}

void OptionsDialog::applyEnabling()
{
    m_zone->setEnabled(m_settings.timeMode != core::TimeMode::SystemZone &&
                       m_settings.timeMode != core::TimeMode::PlaceZone);
    m_timeButtons->button(3)->setEnabled(!m_settings.zoneName.empty());
    m_verseBox->setEnabled(m_tipsBox->isChecked());
    m_quotedBox->setEnabled(m_greetingsBox->isChecked());
    m_wheelReverseBox->setEnabled(m_wheelChartBox->isChecked());
    m_monochromeBox->setEnabled(m_wheelChartBox->isChecked());
    if (hintsEnabled() != m_hintsBox->isChecked())
        setHintsEnabled(m_hintsBox->isChecked());
}

void OptionsDialog::explainTimeMode()
{
    if (m_settings.timeMode == core::TimeMode::SystemZone)
        m_messages.showMessage(kTimeZoneMessage);
}

void OptionsDialog::explainDayStart()
{
    if (m_settings.dayStart == core::DayStart::Sunrise)
        m_messages.showMessage(kSunRiseMessage);
    else if (m_settings.dayStart == core::DayStart::Sunset)
        m_messages.showMessage(kSunSetMessage);
}

void OptionsDialog::resetToDefaults()
{
    core::reset(m_settings);
    showSettings();
}

void OptionsDialog::saveOptions()
{
    if (!m_storage.saveOptions)
        return;
    core::OptionsSaved saved = core::OptionsSaved::All;
    if (save([&](const core::Settings& settings) { saved = m_storage.saveOptions(settings); }) &&
        saved == core::OptionsSaved::AllButPlaceZone)
        m_messages.showMessage(kPlaceZoneUnsavedMessage);
}

bool OptionsDialog::save(const std::function<void(const core::Settings&)>& write)
{
    if (!write)
        return false;
    try {
        write(m_settings);
        return true;
    } catch (const std::exception& error) {
        m_messages.showError(error.what());
        return false;
    }
}

void OptionsDialog::closeEvent(QCloseEvent* event)
{
    // A write that fails is reported once and the dialog still closes: keeping it open would
    // only repeat the same report at every further attempt, while the values stay in force.
    saveOptions();
    keepForCancel();
    event->accept();
    QDialog::done(QDialog::Accepted);
}

void OptionsDialog::reject()
{
    const bool tried = m_tried;
    m_settings = m_kept;
    m_flags.showOnStartup = m_keptShowOnStartup;
    m_flags.verseOfDay = m_keptVerseOfDay;
    showSettings();
    keepForCancel();
    QDialog::reject();
    // The date shown was tried with the values now forgotten.
    if (tried)
        emit tryRequested();
}

void OptionsDialog::showEvent(QShowEvent* event)
{
    // Centred on the screen the first time; afterwards it reopens where the user left it.
    if (!m_placed) {
        m_placed = true;
        centreInWorkArea(*this, nullptr);
    }
    QDialog::showEvent(event);
}

void OptionsDialog::saveLocation()
{
    if (!save(m_storage.saveLocation))
        return;
    // What is saved stays when the rest is cancelled; the choice of "Time" too when it went
    // with the place.
    for (std::string core::Settings::*field :
         {&core::Settings::longitude, &core::Settings::latitude, &core::Settings::zone,
          &core::Settings::zoneName})
        m_kept.*field = m_settings.*field;
    if (m_settings.timeMode == core::TimeMode::PlaceZone ||
        m_kept.timeMode == core::TimeMode::PlaceZone)
        m_kept.timeMode = m_settings.timeMode;
}

void OptionsDialog::openLocationLookup()
{
    m_shell.open(kLocationLookupAddress);
}

void OptionsDialog::setPlaceSearch(PlaceSearch search)
{
    m_placeSearch.emplace(search);
    m_findPlaceButton->setEnabled(true);
}

void OptionsDialog::findPlace()
{
    if (!m_placeSearch)
        return;
    if (!m_placeDialog) {
        m_placeDialog = new PlaceSearchDialog(m_placeSearch->lookup, this);
        connect(m_placeDialog, &QDialog::accepted, this, [this] {
            if (const auto place = m_placeDialog->chosenPlace())
                usePlace(*place);
        });
    }
    // The letters typed last time stay, so that a second look starts where the first ended.
    m_placeDialog->open();
}

void OptionsDialog::usePlace(const core::Place& place)
{
    if (!m_placeSearch)
        return;
    const int year = core::localTimeAt(m_placeSearch->clock.now(), 0).date.year();
    const core::LocationTexts texts = core::locationTextsFor(place, m_placeSearch->zoneRules, year);
    m_longitude->setText(QString::fromStdString(texts.longitude));
    m_latitude->setText(QString::fromStdString(texts.latitude));
    if (texts.zone) {
        m_zone->setText(QString::fromStdString(*texts.zone));
        m_zoneName->setText(QString::fromStdString(place.zoneName));
    } else {
        m_zoneName->clear();
    }
    applyEnabling();
}

}  // namespace vantrel::ui
