#include "ui/options_dialog.h"

#include <exception>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ports/messages.h"
#include "core/ports/shell.h"
#include "ui/hints_switch.h"
#include "ui/resources.h"

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

constexpr int kSystemLocaleTime = 2;

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
        [file](const core::Settings& settings) { file.saveOptions(settings); },
        [file](const core::Settings& settings) { file.saveLocation(settings); },
    };
}

int ChoiceGroup::index() const
{
    return buttons ? buttons->checkedId() : -1;
}

QAbstractButton* ChoiceGroup::item(int index) const
{
    return buttons ? buttons->button(index) : nullptr;
}

int ChoiceGroup::count() const
{
    return buttons ? static_cast<int>(buttons->buttons().size()) : 0;
}

TfOptions::TfOptions(core::Settings& settings, StartupFlags flags, OptionsStorage storage,
                     core::Messages& messages, core::Shell& shell, QWidget* parent)
    : QDialog(parent),
      m_settings(settings),
      m_flags(flags),
      m_storage(std::move(storage)),
      m_messages(messages),
      m_shell(shell)
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
    auto* defaultsButton = new QPushButton("&Defaults");
    defaultsButton->setObjectName("ResetButton");
    defaultsButton->setToolTip("Reset all options to default values");
    for (QPushButton* button : {tryButton, doneButton, defaultsButton})
        button->setAutoDefault(false);
    doneButton->setAutoDefault(true);

    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(tryButton);
    buttonColumn->addWidget(doneButton);
    buttonColumn->addStretch(1);
    buttonColumn->addWidget(defaultsButton);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttonColumn);

    connect(tryButton, &QPushButton::clicked, this, &TfOptions::tryRequested);
    connect(doneButton, &QPushButton::clicked, this, &QDialog::close);
    connect(defaultsButton, &QPushButton::clicked, this, &TfOptions::ResetButtonClick);
    bindControls();

    resize(sizeHint().expandedTo(QSize(454, 298)));
}

ChoiceGroup TfOptions::makeChoiceGroup(const char* name, const QString& caption,
                                       const QString& hint, const QStringList& items, int columns)
{
    ChoiceGroup group;
    group.box = new QGroupBox(caption);
    group.box->setObjectName(name);
    group.box->setToolTip(hint);
    group.buttons = new QButtonGroup(group.box);
    auto* grid = new QGridLayout(group.box);
    grid->setVerticalSpacing(2);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i]);
        group.buttons->addButton(radio, i);
        grid->addWidget(radio, i % rows, i / rows);
    }
    grid->setRowStretch(rows, 1);
    return group;
}

QCheckBox* TfOptions::makeBox(const char* name, const QString& caption, const QString& hint)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    if (!hint.isEmpty())
        box->setToolTip(hint);
    return box;
}

QCheckBox* TfOptions::makeBoundBox(const char* name, const QString& caption, const QString& hint,
                                   bool core::Settings::*field)
{
    QCheckBox* box = makeBox(name, caption, hint);
    m_boxes.push_back({box, field});
    return box;
}

QWidget* TfOptions::buildFormattingPage()
{
    m_dateFormat = makeChoiceGroup("ODateFormat", "Date Format", "Date format",
                                   {"Short Format", "Long Format", "None"}, 1);
    m_lines = makeChoiceGroup("OLines", "Lines", "Total lines to format",
                              {"One Line", "Two Lines", "Three Lines"}, 1);
    m_aspect = makeChoiceGroup("OAspect", "Aspect", "Include minutes", {"Simple", "Degrees"}, 1);
    m_timeFormat = makeChoiceGroup("OTimeFormat", "Time Format", "Time format",
                                   {"Short Format", "Long Format", "None"}, 1);
    m_yearPrefix =
        makeChoiceGroup("OBasic", "Basic", "Word placed before the year, such as \"Anno\"",
                        {"An", "Anno", "None"}, 1);
    m_yearFormat = makeChoiceGroup("OFormat", "Year Format", "Year format",
                                   {"IVv", "iv5", "ivV", "4v", "4V"}, 2);

    m_dayBegins = new QComboBox;
    m_dayBegins->setObjectName("DayBegins");
    m_dayBegins->setEditable(true);
    m_dayBegins->setInsertPolicy(QComboBox::NoInsert);
    m_dayBegins->addItems({"12:00 (Common Time)", "Sun Rise", "Sun Set"});
    m_dayBegins->setToolTip("Day begins");

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(m_dateFormat.box, 0, 0);
    grid->addWidget(m_lines.box, 0, 1);
    grid->addWidget(m_aspect.box, 0, 2);
    grid->addWidget(m_timeFormat.box, 1, 0);
    grid->addWidget(m_yearPrefix.box, 1, 1);
    grid->addWidget(m_yearFormat.box, 1, 2);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(labelFor("Day begins", m_dayBegins, "Day begins"));
    dayRow->addWidget(m_dayBegins);
    dayRow->addStretch(1);
    grid->addLayout(dayRow, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* TfOptions::buildAstrologicalPage()
{
    m_houseSystem = makeChoiceGroup("OHouseSystem", "House System", "House system",
                                    {"Placidus", "Koch", "Equal", "Campanus", "Meridian",
                                     "Regiomontanus", "Porphyry", "Morinus", "Topocentric",
                                     "Alcabitius", "Equal (MC)", "Neo-Porphyry", "Whole", "None"},
                                    2);
    m_zodiac = makeChoiceGroup("OZodiac", "Zodiac", "Zodiac", {"Tropical", "Siderial"}, 1);
    m_timeMode = makeChoiceGroup("OTime", "Time", "Daylight time adjustment",
                                 {"Standard Time", "Daylight Time", "System Locale Settings"}, 1);

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
    m_saveLocationButton = new QPushButton("Save lat/long");
    m_saveLocationButton->setObjectName("Button3");
    m_saveLocationButton->setAutoDefault(false);
    m_saveLocationButton->setToolTip("Save this latitude and logitude as default");

    auto* location = new QGroupBox("Location on Earth");
    auto* locationGrid = new QGridLayout(location);
    locationGrid->addWidget(labelFor("Longitude", m_longitude, "Longitude"), 0, 0);
    locationGrid->addWidget(m_longitude, 0, 1);
    locationGrid->addWidget(labelFor("Latitude", m_latitude, "Latitude"), 1, 0);
    locationGrid->addWidget(m_latitude, 1, 1);
    auto* locationButtons = new QHBoxLayout;
    locationButtons->addWidget(m_lookupButton);
    locationButtons->addWidget(m_saveLocationButton, 1);
    locationGrid->addLayout(locationButtons, 2, 0, 1, 2);

    m_zone = new QLineEdit;
    m_zone->setObjectName("Zone");
    m_zone->setToolTip("Time zone");
    m_zone->setMaximumWidth(48);
    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(labelFor("Time Zone", m_zone, "Time zone"));
    zoneRow->addWidget(m_zone);
    zoneRow->addStretch(1);

    // Two columns that keep their own heights: houses and zodiac; place and clock.
    auto* left = new QVBoxLayout;
    left->addWidget(m_houseSystem.box);
    left->addWidget(m_zodiac.box);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(location);
    right->addWidget(m_timeMode.box);
    right->addLayout(zoneRow);
    right->addStretch(1);
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    return page;
}

QWidget* TfOptions::buildAdditionalPage()
{
    using S = core::Settings;
    QCheckBox* aspects =
        makeBoundBox("OAspects", "Include Aspect charts (Causes additional call to Astrolog)",
                     "Generate additional aspect charts", &S::OAspects);
    m_wheelChartBox =
        makeBoundBox("OWheelChart", "Include Wheel chart  (Causes additional call to Astrolog)",
                     "Generate text wheel chart", &S::OWheelChart);
    m_wheelReverseBox =
        makeBoundBox("WheelReverse", "Reverse colors ", "White background wheel", &S::WheelReverse);
    m_monochromeBox =
        makeBoundBox("Monochrome", "Monochrome", "White background wheel", &S::Monochrome);
    QCheckBox* clear = makeBoundBox("OClear", "Clear Astrolog window with each computation",
                                    "Erase contents of astrolog window", &S::OClear);
    m_hintsBox = makeBoundBox("OHints", "Show Hints", "Show hints", &S::OHints);
    m_tipsBox = makeBox("TOTD1", "Show Tip of the Day", "Show hints");
    m_verseBox = makeBox("VOTD1", "Show Verse of the Day", "Show hints");
    QCheckBox* caption =
        makeBoundBox("UpdateCaption", "Update Program Caption", {}, &S::UpdateCaption);
    QCheckBox* clipboard =
        makeBoundBox("ReplaceClip", "Always Insert in Clipboard",
                     "Replace clipboard on start up and calculation", &S::ReplaceClip);
    m_greetingsBox = makeBoundBox("Greetings", "Insert Thelemic Greetings", {}, &S::Greetings);
    m_quotedBox = makeBoundBox("Quoted", "Quoted", {}, &S::Quoted);

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

QWidget* TfOptions::buildAlarmPage()
{
    struct Box {
        const char* name;
        const char* caption;
        bool core::Settings::*field;
    };
    using Columns = std::vector<std::vector<Box>>;
    using S = core::Settings;
    const auto fillColumns = [this](QGroupBox* frame, const Columns& columns) {
        auto* grid = new QGridLayout(frame);
        for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
            const std::vector<Box>& boxes = columns[static_cast<std::size_t>(column)];
            for (int row = 0; row < static_cast<int>(boxes.size()); ++row) {
                const Box& box = boxes[static_cast<std::size_t>(row)];
                grid->addWidget(makeBoundBox(box.name, box.caption, {}, box.field), row, column);
            }
        }
    };
    auto* riseSet = new QGroupBox("Rise/Set/Zenith/Nadir Alarms");
    fillColumns(riseSet, {{{"cbSun", "Sun", &S::cbSun},
                           {"cbMoon", "Moon", &S::cbMoon},
                           {"cbMercury", "Mercury", &S::cbMercury},
                           {"cbVenus", "Venus", &S::cbVenus}},
                          {{"cbMars", "Mars", &S::cbMars},
                           {"cbJupiter", "Jupiter", &S::cbJupiter},
                           {"cbSaturn", "Saturn", &S::cbSaturn}},
                          {{"cbUranus", "Uranus", &S::cbUranus},
                           {"cbNeptune", "Neptune", &S::cbNeptune},
                           {"cbPluto", "Pluto", &S::cbPluto}}});
    auto* hours = new QGroupBox("Planetary Hours Alarms");
    fillColumns(hours, {{{"cbHSun", "Sun", &S::cbHSun},
                         {"cbHMoon", "Moon", &S::cbHMoon},
                         {"cbHMercury", "Mercury", &S::cbHMercury},
                         {"cbHVenus", "Venus", &S::cbHVenus}},
                        {{"cbHMars", "Mars", &S::cbHMars},
                         {"cbHJupiter", "Jupiter", &S::cbHJupiter},
                         {"cbHSaturn", "Saturn", &S::cbHSaturn}}});

    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(riseSet);
    column->addWidget(hours);
    column->addStretch(1);
    return page;
}

void TfOptions::bindControls()
{
    for (const BoxBinding& binding : m_boxes) {
        connect(binding.box, &QCheckBox::toggled, this, [this, field = binding.field](bool on) {
            m_settings.*field = on;
            applyEnabling();
        });
    }

    using S = core::Settings;
    m_choices = {
        {&m_dateFormat, &S::ODateFormat},
        {&m_timeFormat, &S::OTimeFormat},
        {&m_lines, &S::OLines},
        {&m_yearFormat, &S::OFormat},
        {&m_aspect, &S::OAspect},
        {&m_zodiac, &S::OZodiac},
        {&m_houseSystem, &S::OHouseSystem},
        {&m_yearPrefix, &S::OBasic},
    };
    for (const ChoiceBinding& binding : m_choices) {
        connect(binding.group->buttons, &QButtonGroup::idClicked, this,
                [this, field = binding.field](int id) { m_settings.*field = id; });
    }
    connect(m_timeMode.buttons, &QButtonGroup::idClicked, this, &TfOptions::OTimeClick);

    // Picking from the list and typing into the field both change the chosen index; typed
    // text that names no item leaves the list without a chosen index.
    connect(m_dayBegins, &QComboBox::activated, this, &TfOptions::DayBeginsChange);
    connect(m_dayBegins->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        DayBeginsChange(m_dayBegins->findText(text, Qt::MatchFixedString));
    });

    connect(m_longitude, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.Long = text.toStdString(); });
    connect(m_latitude, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.Lat = text.toStdString(); });
    connect(m_zone, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.Zone = text.toStdString(); });

    connect(m_tipsBox, &QCheckBox::toggled, this, [this](bool on) {
        m_flags.showOnStartup = on;
        applyEnabling();
    });
    connect(m_verseBox, &QCheckBox::toggled, this, [this](bool on) { m_flags.verseOfDay = on; });

    connect(m_lookupButton, &QToolButton::clicked, this, &TfOptions::SpeedButton1Click);
    connect(m_saveLocationButton, &QPushButton::clicked, this, &TfOptions::Button3Click);
}

void TfOptions::FormCreate()
{
    if (m_storage.load)
        m_storage.load(m_settings);
    showSettings();
}

void TfOptions::showSettings()
{
    m_showingSettings = true;
    for (ChoiceBinding& binding : m_choices)
        setChoice(*binding.group, binding.field, m_settings.*binding.field);
    setChoice(m_timeMode, &core::Settings::OTime, m_settings.OTime);
    setDayBegins(m_settings.DayBegins);
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

void TfOptions::showLocation()
{
    m_longitude->setText(QString::fromStdString(m_settings.Long));
    m_latitude->setText(QString::fromStdString(m_settings.Lat));
    m_zone->setText(QString::fromStdString(m_settings.Zone));
}

void TfOptions::setChoice(ChoiceGroup& group, int core::Settings::*field, int index)
{
    // An index past the last item chooses the last one; a negative one chooses none.
    const int last = group.count() - 1;
    if (index > last)
        index = last;
    if (index < 0) {
        group.buttons->setExclusive(false);
        for (QAbstractButton* button : group.buttons->buttons())
            button->setChecked(false);
        group.buttons->setExclusive(true);
        index = -1;
    } else {
        group.item(index)->setChecked(true);
    }
    m_settings.*field = index;
}

void TfOptions::setDayBegins(int index)
{
    if (index < 0 || index >= m_dayBegins->count())
        index = -1;
    m_dayBegins->setCurrentIndex(index);
    m_settings.DayBegins = index;
}

void TfOptions::applyEnabling()
{
    m_zone->setEnabled(m_settings.OTime != kSystemLocaleTime);
    m_verseBox->setEnabled(m_tipsBox->isChecked());
    m_quotedBox->setEnabled(m_greetingsBox->isChecked());
    m_wheelReverseBox->setEnabled(m_wheelChartBox->isChecked());
    m_monochromeBox->setEnabled(m_wheelChartBox->isChecked());
    if (hintsEnabled() != m_hintsBox->isChecked())
        setHintsEnabled(m_hintsBox->isChecked());
}

void TfOptions::OTimeClick(int index)
{
    if (index == m_settings.OTime)
        return;
    m_settings.OTime = index;
    applyEnabling();
    if (index == kSystemLocaleTime && !m_showingSettings)
        m_messages.showMessage(kTimeZoneMessage);
}

void TfOptions::DayBeginsChange(int index)
{
    if (index == m_settings.DayBegins)
        return;
    m_settings.DayBegins = index;
    if (m_showingSettings)
        return;
    if (index == 1)
        m_messages.showMessage(kSunRiseMessage);
    else if (index == 2)
        m_messages.showMessage(kSunSetMessage);
}

void TfOptions::ResetButtonClick()
{
    core::ResetButtonClick(m_settings);
    showSettings();
}

void TfOptions::FormClose()
{
    save(m_storage.saveOptions);
}

void TfOptions::save(const std::function<void(const core::Settings&)>& write)
{
    if (!write)
        return;
    try {
        write(m_settings);
    } catch (const std::exception& error) {
        m_messages.showError(error.what());
    }
}

void TfOptions::reject()
{
    // A write that fails is reported once and the dialog still closes: keeping it open would
    // only repeat the same report at every further attempt, while the values stay in force.
    FormClose();
    QDialog::reject();
}

void TfOptions::showEvent(QShowEvent* event)
{
    // Centred on the screen the first time; afterwards it reopens where the user left it.
    if (!m_placed) {
        m_placed = true;
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

void TfOptions::Button3Click()
{
    save(m_storage.saveLocation);
}

void TfOptions::SpeedButton1Click()
{
    m_shell.open(kLocationLookupAddress);
}

}  // namespace vantrel::ui
