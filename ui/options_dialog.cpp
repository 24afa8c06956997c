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

    Pages = new QTabWidget;
    Pages->addTab(buildFormattingPage(), "Formatting");
    Pages->addTab(buildAstrologicalPage(), "Astrological");
    Pages->addTab(buildAdditionalPage(), "Additional");
    Pages->addTab(buildAlarmPage(), "Alarm");
    Pages->setCurrentIndex(0);

    CalcButton = new QPushButton("&Try");
    CalcButton->setToolTip("Try these values");
    CloseButton = new QPushButton("Done");
    CloseButton->setToolTip("Close dialog");
    CloseButton->setDefault(true);
    ResetButton = new QPushButton("&Defaults");
    ResetButton->setToolTip("Reset all options to default values");
    for (QPushButton* button : {CalcButton, CloseButton, ResetButton})
        button->setAutoDefault(false);
    CloseButton->setAutoDefault(true);

    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(CalcButton);
    buttonColumn->addWidget(CloseButton);
    buttonColumn->addStretch(1);
    buttonColumn->addWidget(ResetButton);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Pages, 1);
    layout->addLayout(buttonColumn);

    connect(CalcButton, &QPushButton::clicked, this, &TfOptions::tryRequested);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
    connect(ResetButton, &QPushButton::clicked, this, &TfOptions::ResetButtonClick);
    bindControls();

    resize(sizeHint().expandedTo(QSize(454, 298)));
}

ChoiceGroup TfOptions::makeChoiceGroup(const QString& caption, const QString& hint,
                                       const QStringList& items, int columns)
{
    ChoiceGroup group;
    group.box = new QGroupBox(caption);
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

QCheckBox* TfOptions::makeBox(const QString& caption, const QString& hint)
{
    auto* box = new QCheckBox(caption);
    if (!hint.isEmpty())
        box->setToolTip(hint);
    return box;
}

QWidget* TfOptions::buildFormattingPage()
{
    ODateFormat = makeChoiceGroup("Date Format", "Date format",
                                  {"Short Format", "Long Format", "None"}, 1);
    OLines = makeChoiceGroup("Lines", "Total lines to format",
                             {"One Line", "Two Lines", "Three Lines"}, 1);
    OAspect = makeChoiceGroup("Aspect", "Include minutes", {"Simple", "Degrees"}, 1);
    OTimeFormat = makeChoiceGroup("Time Format", "Time format",
                                  {"Short Format", "Long Format", "None"}, 1);
    OBasic = makeChoiceGroup("Basic", "Word placed before the year, such as \"Anno\"",
                             {"An", "Anno", "None"}, 1);
    OFormat = makeChoiceGroup("Year Format", "Year format", {"IVv", "iv5", "ivV", "4v", "4V"}, 2);

    DayBegins = new QComboBox;
    DayBegins->setEditable(true);
    DayBegins->setInsertPolicy(QComboBox::NoInsert);
    DayBegins->addItems({"12:00 (Common Time)", "Sun Rise", "Sun Set"});
    DayBegins->setToolTip("Day begins");

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(ODateFormat.box, 0, 0);
    grid->addWidget(OLines.box, 0, 1);
    grid->addWidget(OAspect.box, 0, 2);
    grid->addWidget(OTimeFormat.box, 1, 0);
    grid->addWidget(OBasic.box, 1, 1);
    grid->addWidget(OFormat.box, 1, 2);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(labelFor("Day begins", DayBegins, "Day begins"));
    dayRow->addWidget(DayBegins);
    dayRow->addStretch(1);
    grid->addLayout(dayRow, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* TfOptions::buildAstrologicalPage()
{
    OHouseSystem = makeChoiceGroup(
        "House System", "House system",
        {"Placidus", "Koch", "Equal", "Campanus", "Meridian", "Regiomontanus", "Porphyry",
         "Morinus", "Topocentric", "Alcabitius", "Equal (MC)", "Neo-Porphyry", "Whole", "None"},
        2);
    OZodiac = makeChoiceGroup("Zodiac", "Zodiac", {"Tropical", "Siderial"}, 1);
    OTime = makeChoiceGroup("Time", "Daylight time adjustment",
                            {"Standard Time", "Daylight Time", "System Locale Settings"}, 1);

    Long = new QLineEdit;
    Long->setToolTip("Longitude");
    Lat = new QLineEdit;
    Lat->setToolTip("Latitude");
    SpeedButton1 = new QToolButton;
    SpeedButton1->setIcon(QIcon(":/vantrel/icons/location.svg"));
    SpeedButton1->setIconSize(QSize(22, 22));
    SpeedButton1->setAutoRaise(false);
    SpeedButton1->setToolTip("Try this to find your Longitude and Latitude on World Wide Web");
    Button3 = new QPushButton("Save lat/long");
    Button3->setAutoDefault(false);
    Button3->setToolTip("Save this latitude and logitude as default");

    auto* location = new QGroupBox("Location on Earth");
    auto* locationGrid = new QGridLayout(location);
    locationGrid->addWidget(labelFor("Longitude", Long, "Longitude"), 0, 0);
    locationGrid->addWidget(Long, 0, 1);
    locationGrid->addWidget(labelFor("Latitude", Lat, "Latitude"), 1, 0);
    locationGrid->addWidget(Lat, 1, 1);
    auto* locationButtons = new QHBoxLayout;
    locationButtons->addWidget(SpeedButton1);
    locationButtons->addWidget(Button3, 1);
    locationGrid->addLayout(locationButtons, 2, 0, 1, 2);

    Zone = new QLineEdit;
    Zone->setToolTip("Time zone");
    Zone->setMaximumWidth(48);
    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(labelFor("Time Zone", Zone, "Time zone"));
    zoneRow->addWidget(Zone);
    zoneRow->addStretch(1);

    // Two columns that keep their own heights: houses and zodiac; place and clock.
    auto* left = new QVBoxLayout;
    left->addWidget(OHouseSystem.box);
    left->addWidget(OZodiac.box);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(location);
    right->addWidget(OTime.box);
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
    OAspects = makeBox("Include Aspect charts (Causes additional call to Astrolog)",
                       "Generate additional aspect charts");
    OWheelChart = makeBox("Include Wheel chart  (Causes additional call to Astrolog)",
                          "Generate text wheel chart");
    WheelReverse = makeBox("Reverse colors ", "White background wheel");
    Monochrome = makeBox("Monochrome", "White background wheel");
    OClear = makeBox("Clear Astrolog window with each computation",
                     "Erase contents of astrolog window");
    OHints = makeBox("Show Hints", "Show hints");
    TOTD1 = makeBox("Show Tip of the Day", "Show hints");
    VOTD1 = makeBox("Show Verse of the Day", "Show hints");
    UpdateCaption = makeBox("Update Program Caption", {});
    ReplaceClip = makeBox("Always Insert in Clipboard",
                          "Replace clipboard on start up and calculation");
    Greetings = makeBox("Insert Thelemic Greetings", {});
    Quoted = makeBox("Quoted", {});

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setVerticalSpacing(3);
    grid->setColumnMinimumWidth(0, 16);
    int row = 0;
    grid->addWidget(OAspects, row++, 0, 1, 3);
    grid->addWidget(OWheelChart, row++, 0, 1, 3);
    grid->addWidget(WheelReverse, row, 1);
    grid->addWidget(Monochrome, row++, 2);
    grid->addWidget(OClear, row++, 0, 1, 3);
    grid->addWidget(OHints, row++, 0, 1, 3);
    grid->addWidget(TOTD1, row, 0, 1, 2);
    grid->addWidget(VOTD1, row++, 2);
    grid->addWidget(UpdateCaption, row++, 0, 1, 3);
    grid->addWidget(ReplaceClip, row++, 0, 1, 3);
    grid->addWidget(Greetings, row, 0, 1, 2);
    grid->addWidget(Quoted, row++, 2);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* TfOptions::buildAlarmPage()
{
    cbSun = makeBox("Sun", {});
    cbMoon = makeBox("Moon", {});
    cbMercury = makeBox("Mercury", {});
    cbVenus = makeBox("Venus", {});
    cbMars = makeBox("Mars", {});
    cbJupiter = makeBox("Jupiter", {});
    cbSaturn = makeBox("Saturn", {});
    cbUranus = makeBox("Uranus", {});
    cbNeptune = makeBox("Neptune", {});
    cbPluto = makeBox("Pluto", {});
    cbHSun = makeBox("Sun", {});
    cbHMoon = makeBox("Moon", {});
    cbHMercury = makeBox("Mercury", {});
    cbHVenus = makeBox("Venus", {});
    cbHMars = makeBox("Mars", {});
    cbHJupiter = makeBox("Jupiter", {});
    cbHSaturn = makeBox("Saturn", {});

    auto fillColumns = [](QGroupBox* frame, const std::vector<std::vector<QCheckBox*>>& columns) {
        auto* grid = new QGridLayout(frame);
        for (int column = 0; column < static_cast<int>(columns.size()); ++column)
            for (int row = 0; row < static_cast<int>(columns[column].size()); ++row)
                grid->addWidget(columns[column][row], row, column);
    };
    auto* riseSet = new QGroupBox("Rise/Set/Zenith/Nadir Alarms");
    fillColumns(riseSet, {{cbSun, cbMoon, cbMercury, cbVenus},
                          {cbMars, cbJupiter, cbSaturn},
                          {cbUranus, cbNeptune, cbPluto}});
    auto* hours = new QGroupBox("Planetary Hours Alarms");
    fillColumns(hours, {{cbHSun, cbHMoon, cbHMercury, cbHVenus}, {cbHMars, cbHJupiter, cbHSaturn}});

    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(riseSet);
    column->addWidget(hours);
    column->addStretch(1);
    return page;
}

void TfOptions::bindControls()
{
    using S = core::Settings;
    m_boxes = {
        {OClear, &S::OClear},           {UpdateCaption, &S::UpdateCaption},
        {ReplaceClip, &S::ReplaceClip}, {Greetings, &S::Greetings},
        {Quoted, &S::Quoted},           {OWheelChart, &S::OWheelChart},
        {WheelReverse, &S::WheelReverse}, {Monochrome, &S::Monochrome},
        {OAspects, &S::OAspects},       {OHints, &S::OHints},
        {cbSun, &S::cbSun},             {cbMoon, &S::cbMoon},
        {cbMercury, &S::cbMercury},     {cbVenus, &S::cbVenus},
        {cbMars, &S::cbMars},           {cbJupiter, &S::cbJupiter},
        {cbNeptune, &S::cbNeptune},     {cbUranus, &S::cbUranus},
        {cbSaturn, &S::cbSaturn},       {cbPluto, &S::cbPluto},
        {cbHSun, &S::cbHSun},           {cbHMoon, &S::cbHMoon},
        {cbHMercury, &S::cbHMercury},   {cbHVenus, &S::cbHVenus},
        {cbHMars, &S::cbHMars},         {cbHJupiter, &S::cbHJupiter},
        {cbHSaturn, &S::cbHSaturn},
    };
    for (const BoxBinding& binding : m_boxes) {
        connect(binding.box, &QCheckBox::toggled, this, [this, field = binding.field](bool on) {
            m_settings.*field = on;
            applyEnabling();
        });
    }

    m_choices = {
        {&ODateFormat, &S::ODateFormat}, {&OTimeFormat, &S::OTimeFormat},
        {&OLines, &S::OLines},           {&OFormat, &S::OFormat},
        {&OAspect, &S::OAspect},         {&OZodiac, &S::OZodiac},
        {&OHouseSystem, &S::OHouseSystem}, {&OBasic, &S::OBasic},
    };
    for (const ChoiceBinding& binding : m_choices) {
        connect(binding.group->buttons, &QButtonGroup::idClicked, this,
                [this, field = binding.field](int id) { m_settings.*field = id; });
    }
    connect(OTime.buttons, &QButtonGroup::idClicked, this, &TfOptions::OTimeClick);

    // Picking from the list and typing into the field both change the chosen index; typed
    // text that names no item leaves the list without a chosen index.
    connect(DayBegins, &QComboBox::activated, this, &TfOptions::DayBeginsChange);
    connect(DayBegins->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        DayBeginsChange(DayBegins->findText(text, Qt::MatchFixedString));
    });

    connect(Long, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.Long = text.toStdString(); });
    connect(Lat, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.Lat = text.toStdString(); });
    connect(Zone, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.Zone = text.toStdString(); });

    connect(TOTD1, &QCheckBox::toggled, this, [this](bool on) {
        m_flags.showOnStartup = on;
        applyEnabling();
    });
    connect(VOTD1, &QCheckBox::toggled, this, [this](bool on) { m_flags.verseOfDay = on; });

    connect(SpeedButton1, &QToolButton::clicked, this, &TfOptions::SpeedButton1Click);
    connect(Button3, &QPushButton::clicked, this, &TfOptions::Button3Click);
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
    setChoice(OTime, &core::Settings::OTime, m_settings.OTime);
    setDayBegins(m_settings.DayBegins);
    for (const BoxBinding& binding : m_boxes)
        binding.box->setChecked(m_settings.*binding.field);
    showLocation();
    // The flags are read before the boxes are set: each box writes its flag back when toggled.
    const bool showOnStartup = m_flags.showOnStartup;
    const bool verseOfDay = m_flags.verseOfDay;
    TOTD1->setChecked(showOnStartup);
    VOTD1->setChecked(verseOfDay);
    applyEnabling();
    m_showingSettings = false;
}

void TfOptions::showLocation()
{
    Long->setText(QString::fromStdString(m_settings.Long));
    Lat->setText(QString::fromStdString(m_settings.Lat));
    Zone->setText(QString::fromStdString(m_settings.Zone));
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
    if (index < 0 || index >= DayBegins->count())
        index = -1;
    DayBegins->setCurrentIndex(index);
    m_settings.DayBegins = index;
}

void TfOptions::applyEnabling()
{
    Zone->setEnabled(m_settings.OTime != kSystemLocaleTime);
    VOTD1->setEnabled(TOTD1->isChecked());
    Quoted->setEnabled(Greetings->isChecked());
    WheelReverse->setEnabled(OWheelChart->isChecked());
    Monochrome->setEnabled(OWheelChart->isChecked());
    if (hintsEnabled() != OHints->isChecked())
        setHintsEnabled(OHints->isChecked());
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
    if (!m_storage.saveOptions)
        return;
    try {
        m_storage.saveOptions(m_settings);
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
    if (!m_storage.saveLocation)
        return;
    try {
        m_storage.saveLocation(m_settings);
    } catch (const std::exception& error) {
        m_messages.showError(error.what());
    }
}

void TfOptions::SpeedButton1Click()
{
    m_shell.open(kLocationLookupAddress);
}

}  // namespace vantrel::ui
