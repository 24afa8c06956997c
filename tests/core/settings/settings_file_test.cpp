#include "core/settings/settings_file.h"

#include <functional>

#include <unistd.h>

#include <gtest/gtest.h>

#include "core/common/error.h"
#include "core/settings/settings_keys.h"
#include "tests/core/error_text.h"
#include "tests/core/test_data.h"
#include "tests/fakes/as_user.h"

namespace vantrel::core {

// Failures show the record as the keys it would write.
void PrintTo(const Settings& settings, std::ostream* out)
{
    for (const SettingKey& key : settingKeys()) {
        *out << "\n  " << key.key << "=";
        std::visit(Overloaded{
                       [&](const ChoiceSetting& choice) { *out << choice.field.index(settings); },
                       [&](const FlagSetting& flag) { *out << settings.*flag.field; },
                       [&](const TextSetting& text) { *out << settings.*text.field; },
                   },
                   key.value);
    }
}

namespace {

using namespace std::string_literals;

class SettingsFileTest : public ::testing::Test {
protected:
    std::filesystem::path file() const { return m_dir.path() / "Vantrel.ini"; }

    void store(const std::string& bytes) const { testing::writeWholeFile(file(), bytes); }
    std::string stored() const { return testing::readWholeFile(file()); }

    Settings loadFrom(const std::string& bytes) const
    {
        store(bytes);
        return SettingsFile(file()).load();
    }

    testing::TempDir m_dir;
};

TEST_F(SettingsFileTest, NoFileGivesTheFirstRunValues)
{
    const SettingsFile settingsFile(file());
    const Settings s = settingsFile.load();
    EXPECT_EQ(s.lineCount, LineCount::Two);
    EXPECT_EQ(s.dateFormat, DateFormat::Long);
    EXPECT_EQ(s.timeFormat, TimeFormat::Short);
    EXPECT_EQ(s.yearFormat, YearFormat::LowerRomanDigits);
    EXPECT_EQ(s.yearPrefix, YearPrefix::An);
    EXPECT_EQ(s.signDisplay, SignDisplay::WithDegree);
    EXPECT_EQ(s.houseSystem, HouseSystem::Placidus);
    EXPECT_EQ(s.zodiac, Zodiac::Tropical);
    EXPECT_EQ(s.timeMode, TimeMode::Standard);
    EXPECT_EQ(s.dayStart, DayStart::Midnight);
    EXPECT_EQ(s.zone, "6");
    EXPECT_EQ(s.longitude, "93W21");
    EXPECT_EQ(s.latitude, "45N05");
    EXPECT_TRUE(s.alarmSun);
    EXPECT_TRUE(s.hourAlarmSun);
    EXPECT_FALSE(s.alarmMoon);
    EXPECT_TRUE(s.hints);
    EXPECT_EQ(s.engineCommand, "");

    const MainWindowLayout layout = settingsFile.readLayout();
    EXPECT_TRUE(layout.toolBar && layout.statusBar && layout.monthCalendar);
    EXPECT_EQ(layout.clientWidth, 400);
    EXPECT_EQ(layout.clientHeight, 315);
    EXPECT_EQ(layout.top, 10);
    EXPECT_EQ(layout.left, 10);
    EXPECT_TRUE(layout.showOnStartup);
    EXPECT_FALSE(layout.verseOfDay);
    // Reading never creates the file.
    EXPECT_FALSE(std::filesystem::exists(file()));
}

// The item index a choice key holds in `settings`.
int choiceIndexOf(const Settings& settings, std::string_view key)
{
    for (const SettingKey& entry : settingKeys()) {
        if (entry.key == key)
            return std::get<ChoiceSetting>(entry.value).field.index(settings);
    }
    ADD_FAILURE() << "no choice key " << key;
    return -2;
}

TEST_F(SettingsFileTest, ValueConversion)
{
    struct Row {
        const char* name;
        const char* line;
        const char* key;
        int expected;
    };
    const Row rows[] = {
        {"hexadecimal 0x", "DateFormat=0x2", "DateFormat", 2},
        {"hexadecimal $", "DateFormat=$0", "DateFormat", 0},
        {"word", "DateFormat=two", "DateFormat", 1},
        {"bare 0x", "DateFormat=0x", "DateFormat", 1},
        {"trailing letters", "DateFormat=2a", "DateFormat", 1},
        {"plus sign", "DateFormat=+2", "DateFormat", 2},
        {"blanks around", "DateFormat =  2 \t", "DateFormat", 2},
        {"too large for an integer", "DateFormat=99999999999", "DateFormat", 1},
        {"past the last item", "Lines=7", "Lines", 2},
        {"minus one", "Lines=-1", "Lines", -1},
        {"below minus one", "Lines=-3", "Lines", -1},
        {"key in lower case", "lines=0", "Lines", 0},
        {"last house system", "House System=13", "House System", 13},
        {"past the last house system", "House System=40", "House System", 13},
        {"day begins past the list", "Day Begins=3", "Day Begins", -1},
        {"day begins below the list", "Day Begins=-5", "Day Begins", -1},
        {"day begins in the list", "Day Begins=2", "Day Begins", 2},
        {"the place's time zone", "Time=3", "Time", 3},
        {"past the place's time zone", "Time=4", "Time", 3},
    };
    for (const auto& row : rows) {
        const Settings s = loadFrom(std::string("[vantrel]\r\n") + row.line + "\r\n");
        EXPECT_EQ(choiceIndexOf(s, row.key), row.expected) << row.name;
    }
}

TEST_F(SettingsFileTest, BooleansAndTexts)
{
    Settings s = loadFrom("[Vantrel]\nHints=5\nGreetings=-1\nClear=0\nQuoted=yes\n"
                          "Longitude=  12E30  \nLatitude=\nHour Sun=0\nMoon=1\n"
                          "Astrolog=/opt/astrolog/astrolog -q\n");
    EXPECT_TRUE(s.hints);
    EXPECT_TRUE(s.greetings);
    EXPECT_FALSE(s.clearDataWindow);
    EXPECT_FALSE(s.quotedGreetings);  // not a number: the default, false
    EXPECT_EQ(s.longitude, "12E30");
    EXPECT_EQ(s.latitude, "");  // present but empty: empty, not the default
    EXPECT_EQ(s.zone, "6");     // absent: the default
    EXPECT_FALSE(s.hourAlarmSun);
    EXPECT_TRUE(s.alarmMoon);
    EXPECT_EQ(s.engineCommand, "/opt/astrolog/astrolog -q");

    s = loadFrom("[vantrel]\nHints=\nWheel Reverse=x\n");
    EXPECT_TRUE(s.hints);
    EXPECT_TRUE(s.wheelReversed);
}

TEST_F(SettingsFileTest, DamagedFilesGiveDefaultsWithoutComplaint)
{
    // No section header: the keys belong to no section.
    EXPECT_EQ(loadFrom("Lines=0\r\nDateFormat=2\r\n").lineCount, LineCount::Two);
    // Binary bytes, a very long line, and a key in another section.
    std::string binary = "[vantrel]\r\n\x01\x02\xff\xfe=\x80\x00\x90\r\n"s;
    binary += std::string(200000, 'x') + "\r\n";
    binary += "Lines=0\r\n[other]\r\nDateFormat=2\r\n";
    Settings s = loadFrom(binary);
    EXPECT_EQ(s.lineCount, LineCount::One);
    EXPECT_EQ(s.dateFormat, DateFormat::Long);
    // CR-only line ends.
    s = loadFrom("[vantrel]\rLines=2\rTimeFormat=1\r");
    EXPECT_EQ(s.lineCount, LineCount::Three);
    EXPECT_EQ(s.timeFormat, TimeFormat::Long);
    // A section header with blanks and a bracket left open; only the first section counts.
    s = loadFrom("[ VANTREL ]\nLines=2\n[vantrel]\nLines=0\nTimeFormat=1\n");
    EXPECT_EQ(s.lineCount, LineCount::Three);
    EXPECT_EQ(s.timeFormat, TimeFormat::Short);
    // An empty file.
    EXPECT_EQ(loadFrom("").lineCount, LineCount::Two);
}

TEST_F(SettingsFileTest, SavedOptionsReadBackAndKeepEverythingElse)
{
    store("; written by hand\r\n[other]\r\nkeep=me\r\n\r\n[vantrel]\r\nlines=0\r\n"
          "Unknown Key=42\r\nAstrolog=astrolog\r\nLongitude=1E01\r\n\r\n[tail]\r\nx=y\r\n");
    const SettingsFile settingsFile(file());
    Settings s = settingsFile.load();
    s.lineCount = LineCount::Three;
    s.yearFormat = YearFormat::DigitsUpperRoman;
    s.dayStart = DayStart::NotChosen;
    s.longitude = "0W00";
    s.alarmPluto = true;
    s.hourAlarmSaturn = true;
    settingsFile.saveOptions(s);

    const std::string text = stored();
    EXPECT_NE(text.find("; written by hand\r\n[other]\r\nkeep=me\r\n\r\n[vantrel]\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Unknown Key=42\r\n"), std::string::npos);
    EXPECT_NE(text.find("Astrolog=astrolog\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\r\n[tail]\r\nx=y\r\n"), std::string::npos);
    EXPECT_NE(text.find("Day Begins=-1\r\n"), std::string::npos);
    EXPECT_NE(text.find("Hints=1\r\n"), std::string::npos);
    EXPECT_EQ(text.find("lines=0"), std::string::npos);
    // The location is not saved with the options.
    EXPECT_NE(text.find("Longitude=1E01\r\n"), std::string::npos);

    const Settings back = settingsFile.load();
    EXPECT_EQ(back.lineCount, LineCount::Three);
    EXPECT_EQ(back.yearFormat, YearFormat::DigitsUpperRoman);
    EXPECT_EQ(back.dayStart, DayStart::NotChosen);
    EXPECT_TRUE(back.alarmPluto);
    EXPECT_TRUE(back.hourAlarmSaturn);
    EXPECT_EQ(back.longitude, "1E01");
    EXPECT_EQ(back.engineCommand, "astrolog");
}

TEST_F(SettingsFileTest, OptionKeysAreWrittenInTheirOrder)
{
    SettingsFile(file()).saveOptions(Settings{});
    const std::string text = stored();
    const char* order[] = {"[vantrel]",       "DateFormat=1",    "TimeFormat=0",
                           "Lines=1",         "Format=1",        "Time=0",
                           "Day Begins=0",    "Aspect=1",        "Zodiac=0",
                           "House System=0",  "Basic=0",         "Clear=1",
                           "Wheel Chart=0",   "Wheel Reverse=1", "Monochrome=1",
                           "Aspect Charts=0", "Hints=1",         "Update Caption=0",
                           "Replace Clip=0",  "Greetings=0",     "Quoted=0",
                           "Sun=1",           "Moon=0",          "Mercury=0",
                           "Venus=0",         "Mars=0",          "Jupiter=0",
                           "Neptune=0",       "Uranus=0",        "Saturn=0",
                           "Pluto=0",         "Hour Sun=1",      "Hour Moon=0",
                           "Hour Mercury=0",  "Hour Venus=0",    "Hour Mars=0",
                           "Hour Jupiter=0",  "Hour Saturn=0"};
    std::string expected;
    for (const char* line : order)
        expected += std::string(line) + "\r\n";
    EXPECT_EQ(text, expected);
}

TEST_F(SettingsFileTest, LocationAndLayoutRoundTrip)
{
    const SettingsFile settingsFile(file());
    Settings s;
    s.longitude = "122W25";
    s.latitude = "37N47";
    s.zone = "8\r\nLines=0";  // a pasted line break must not make up a key
    s.zoneName = "America/Los_Angeles";
    settingsFile.saveLocation(s);
    EXPECT_EQ(stored(), "[vantrel]\r\nLongitude=122W25\r\nLatitude=37N47\r\nTime Zone=8  "
                        "Lines=0\r\nZone Name=America/Los_Angeles\r\n");
    Settings back = settingsFile.load();
    EXPECT_EQ(back.longitude, "122W25");
    EXPECT_EQ(back.zoneName, "America/Los_Angeles");
    EXPECT_EQ(back.lineCount, LineCount::Two);

    MainWindowLayout layout;
    layout.toolBar = false;
    layout.clientHeight = 500;
    layout.left = -20;
    layout.verseOfDay = true;
    settingsFile.writeLayout(layout);
    const MainWindowLayout read = settingsFile.readLayout();
    EXPECT_FALSE(read.toolBar);
    EXPECT_TRUE(read.statusBar);
    EXPECT_EQ(read.clientHeight, 500);
    EXPECT_EQ(read.left, -20);
    EXPECT_TRUE(read.verseOfDay);
    EXPECT_NE(stored().find("Zone Name=America/Los_Angeles\r\nTool Bar=0\r\nStatus Bar=1\r\n"
                            "Month Calendar=1\r\nTOTD=1\r\nVOD=1\r\nClientHeight=500\r\n"),
              std::string::npos);
}

// "Place's Time Zone" reads the zone of the place found by name, so the file holds it only
// together with that place: a restart must never calculate one place on another one's clock.
TEST_F(SettingsFileTest, PlacesTimeZoneIsSavedOnlyWithItsPlace)
{
    const std::string melbourne = "Longitude=144E58\r\nLatitude=37S49\r\nTime Zone=-10\r\n"
                                  "Zone Name=Australia/Melbourne\r\n";
    Settings foundMelbourne;
    foundMelbourne.longitude = "144E58";
    foundMelbourne.latitude = "37S49";
    foundMelbourne.zone = "-10";
    foundMelbourne.zoneName = "Australia/Melbourne";
    struct Row {
        const char* name;
        const char* timeInFile;
        bool melbourneInFile;
        Settings memory;
        TimeMode time;
        bool saveLatLong;  // "Save lat/long"; otherwise the options' saving
        TimeMode timeStored;
        OptionsSaved result;
    };
    const Row rows[] = {
        {"the file holds another place: the choice waits for it", "1", false, foundMelbourne,
         TimeMode::PlaceZone, false, TimeMode::Daylight, OptionsSaved::AllButPlaceZone},
        {"the file holds this place", "1", true, foundMelbourne, TimeMode::PlaceZone, false,
         TimeMode::PlaceZone, OptionsSaved::All},
        {"other choices need no place", "1", false, foundMelbourne, TimeMode::Standard, false,
         TimeMode::Standard, OptionsSaved::All},
        {"the place is saved with the choice", "1", false, foundMelbourne, TimeMode::PlaceZone,
         true, TimeMode::PlaceZone, OptionsSaved::All},
        {"a new place replaces the choice made for the old", "3", true, Settings{},
         TimeMode::Daylight, true, TimeMode::Daylight, OptionsSaved::All},
        {"otherwise the place leaves the choice alone", "1", true, Settings{}, TimeMode::Standard,
         true, TimeMode::Daylight, OptionsSaved::All},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        store("[vantrel]\r\nTime="s + row.timeInFile + "\r\n" +
              (row.melbourneInFile ? melbourne : ""));
        Settings settings = row.memory;
        settings.timeMode = row.time;
        const SettingsFile settingsFile(file());
        if (row.saveLatLong) {
            settingsFile.saveLocation(settings);
            EXPECT_EQ(SettingsFile(file()).load().zoneName, settings.zoneName);
        } else {
            EXPECT_EQ(settingsFile.saveOptions(settings), row.result);
        }
        EXPECT_EQ(SettingsFile(file()).load().timeMode, row.timeStored);
    }
}

// What tests/data/core/settings/non_default.ini holds: every key away from its first-run value
// and from its "&Defaults" value.
Settings changedSettings()
{
    Settings s;
    s.dateFormat = DateFormat::Short;
    s.timeFormat = TimeFormat::Long;
    s.lineCount = LineCount::Three;
    s.dayStart = DayStart::Sunset;
    s.yearFormat = YearFormat::DigitsUpperRoman;
    s.timeMode = TimeMode::PlaceZone;
    s.signDisplay = SignDisplay::SignOnly;
    s.zodiac = Zodiac::Sidereal;
    s.houseSystem = HouseSystem::WholeSign;
    s.yearPrefix = YearPrefix::Omitted;
    for (bool* flag : {&s.clearDataWindow, &s.wheelReversed, &s.wheelMonochrome, &s.hints,
                       &s.alarmSun, &s.hourAlarmSun})
        *flag = false;
    for (bool* flag :
         {&s.dateInCaption,    &s.copyEveryDate,  &s.greetings,     &s.quotedGreetings,
          &s.wheelChart,       &s.aspectCharts,   &s.alarmMoon,     &s.alarmMercury,
          &s.alarmVenus,       &s.alarmMars,      &s.alarmJupiter,  &s.alarmNeptune,
          &s.alarmUranus,      &s.alarmSaturn,    &s.alarmPluto,    &s.hourAlarmMoon,
          &s.hourAlarmMercury, &s.hourAlarmVenus, &s.hourAlarmMars, &s.hourAlarmJupiter,
          &s.hourAlarmSaturn})
        *flag = true;
    s.longitude = "122W25";
    s.latitude = "37N47";
    s.zone = "8";
    s.zoneName = "America/Los_Angeles";
    s.engineCommand = "/opt/astrolog/astrolog -q";
    return s;
}

MainWindowLayout changedLayout()
{
    return {false, false, false, 500, 640, -20, 1930, false, true};
}

Settings nothingChosen()
{
    Settings s;
    s.dateFormat = DateFormat::NotChosen;
    s.timeFormat = TimeFormat::NotChosen;
    s.lineCount = LineCount::NotChosen;
    s.dayStart = DayStart::NotChosen;
    s.yearFormat = YearFormat::NotChosen;
    s.timeMode = TimeMode::NotChosen;
    s.signDisplay = SignDisplay::NotChosen;
    s.zodiac = Zodiac::NotChosen;
    s.houseSystem = HouseSystem::NotChosen;
    s.yearPrefix = YearPrefix::NotChosen;
    return s;
}

// Golden files under tests/data/core/settings, written by the settings code as it stood before
// its keys were gathered into one table: first-run values, every key changed, every choice
// unset, and "&Defaults" pressed over the changed file. Each row loads its source (no file at
// all for the first run), checks every field read, saves what it read into a fresh file the way
// the program does (options, location, layout; the engine command is only ever written by hand,
// so it is put first as a user would) and must give the golden bytes: a key that load misreads,
// save leaves out or writes out of order shows up as a difference.
TEST_F(SettingsFileTest, EveryKeyRoundTripsByteForByte)
{
    struct Row {
        const char* name;
        const char* source;  // nullptr: no settings file yet
        Settings read;
        MainWindowLayout layout;
        bool pressDefaults;
        const char* expected;
    };
    const Row rows[] = {
        {"first run", nullptr, {}, {}, false, "first_run.ini"},
        {"first-run values stored", "first_run.ini", {}, {}, false, "first_run.ini"},
        {"every key changed", "non_default.ini", changedSettings(), changedLayout(), false,
         "non_default.ini"},
        {"nothing chosen", "nothing_chosen.ini", nothingChosen(), {}, false, "nothing_chosen.ini"},
        {"&Defaults over changed keys", "non_default.ini", changedSettings(), changedLayout(), true,
         "reset.ini"},
    };
    const auto copy = m_dir.path() / "copy.ini";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(file());
        if (row.source)
            store(testing::dataText(std::string("settings/") + row.source));
        Settings settings = SettingsFile(file()).load();
        const MainWindowLayout layout = SettingsFile(file()).readLayout();
        EXPECT_EQ(settings, row.read);
        EXPECT_TRUE(layout == row.layout);
        if (row.pressDefaults)
            reset(settings);

        std::filesystem::remove(copy);
        if (!settings.engineCommand.empty())
            testing::writeWholeFile(copy,
                                    "[vantrel]\r\nAstrolog=" + settings.engineCommand + "\r\n");
        const SettingsFile saved(copy);
        saved.saveOptions(settings);
        saved.saveLocation(settings);
        saved.writeLayout(layout);
        EXPECT_EQ(testing::readWholeFile(copy),
                  testing::dataText(std::string("settings/") + row.expected));
    }
}

using SettingsFileAsUser = SettingsFileTest;

// Each write that permissions forbid is reported with the file's path, and the file stays.
TEST_F(SettingsFileAsUser, ForbiddenWritesAreReportedAndKeepTheFile)
{
    VANTREL_SKIP_AS_ROOT();
    namespace fs = std::filesystem;
    struct Row {
        const char* name;
        bool folderLocked;    // the folder readable, not writable
        fs::perms filePerms;  // the file's own permissions
    };
    const Row rows[] = {
        {"unwritable folder", true, fs::perms::owner_read | fs::perms::owner_write},
        {"write-protected file", false, fs::perms::owner_read},
        {"unreadable file", false, fs::perms::owner_write},
    };
    const std::string content = "[vantrel]\r\nLines=0\r\nsecret=1\r\n";
    for (const Row& row : rows) {
        store(content);
        fs::permissions(file(), row.filePerms);
        if (row.folderLocked)
            fs::permissions(m_dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        const SettingsFile settingsFile(file());
        for (const auto& write : std::vector<std::function<void()>>{
                 [&] { settingsFile.saveOptions(Settings{}); },
                 [&] { settingsFile.saveLocation(Settings{}); },
                 [&] { settingsFile.writeLayout(MainWindowLayout{}); }})
            EXPECT_EQ(testing::errorText(write), "Unable to write to " + file().string())
                << row.name;
        fs::permissions(m_dir.path(), fs::perms::owner_all);
        fs::permissions(file(), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(stored(), content) << row.name;
    }
}

TEST_F(SettingsFileTest, FailedWriteReportsTheFullPath)
{
    // A plain file where the folder should be: no one can write there.
    store("x");
    const SettingsFile settingsFile(file() / "Vantrel.ini");
    EXPECT_EQ(testing::errorText([&] { settingsFile.saveLocation(Settings{}); }),
              "Unable to write to " + (file() / "Vantrel.ini").string());
    EXPECT_THROW(settingsFile.writeLayout(MainWindowLayout{}), VantrelError);
    EXPECT_EQ(stored(), "x");
}

TEST_F(SettingsFileTest, OversizedFileIsNeitherReadNorReplaced)
{
    const std::string expected = "The settings file " + file().string() +
                                 " was not read: it is larger than 16 MiB, far more than any "
                                 "settings take";
    // A sparse file just over the limit, and a link to a file without end.
    store("[vantrel]\r\nLines=0\r\n");
    std::filesystem::resize_file(file(), kMaxTextFileBytes + 1);
    const SettingsFile settingsFile(file());
    EXPECT_EQ(testing::errorText([&] { settingsFile.load(); }), expected);
    EXPECT_EQ(settingsFile.readLayout().clientHeight, MainWindowLayout{}.clientHeight);
    EXPECT_EQ(testing::errorText([&] { settingsFile.saveOptions(Settings{}); }),
              "Unable to write to " + file().string());
    EXPECT_EQ(std::filesystem::file_size(file()), kMaxTextFileBytes + 1);

    std::filesystem::remove(file());
    std::filesystem::create_symlink("/dev/zero", file());
    EXPECT_EQ(testing::errorText([&] { settingsFile.load(); }), expected);
}

TEST_F(SettingsFileTest, LinesItDoesNotWriteKeepTheirBytes)
{
    // Mostly UTF-8; one value typed in Windows-1252, and another program's section in it.
    store("[other]\r\nName=Caf\xE9\r\n[vantrel]\r\nZone Name=caf\xE9\r\nCity=caf\xC3\xA9\r\n");
    const SettingsFile settingsFile(file());
    const Settings settings = settingsFile.load();
    EXPECT_EQ(settings.zoneName, "caf\xC3\xA9");
    settingsFile.saveOptions(settings);
    settingsFile.writeLayout(settingsFile.readLayout());
    const std::string text = stored();
    for (const char* line : {"Name=Caf\xE9\r\n", "Zone Name=caf\xE9\r\n", "City=caf\xC3\xA9\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in " << text;
}

TEST(SettingsFileFolder, IsCreatedOnFirstWrite)
{
    testing::TempDir dir;
    const auto path = dir.path() / "cfg" / "vantrel" / "Vantrel.ini";
    SettingsFile(path).saveLocation(Settings{});
    EXPECT_EQ(SettingsFile(path).load().longitude, "93W21");
}

TEST(SettingsDefaults, DefaultsButtonDiffersFromFirstRunAndKeepsTheLocation)
{
    Settings s;
    s.yearFormat = YearFormat::DigitsLowerRoman;
    s.yearPrefix = YearPrefix::Omitted;
    s.dayStart = DayStart::Sunset;
    s.timeMode = TimeMode::SystemZone;
    s.wheelChart = true;
    s.wheelReversed = false;
    s.hints = false;
    s.quotedGreetings = true;
    s.alarmMoon = true;
    s.alarmSun = false;
    s.hourAlarmSun = true;
    s.hourAlarmSaturn = true;
    s.longitude = "0E00";
    s.latitude = "0N00";
    s.zone = "-1";
    s.engineCommand = "/usr/bin/astrolog";
    reset(s);
    EXPECT_EQ(s.yearFormat, YearFormat::UpperRomanLowerRoman);  // "IVv", not the first-run "iv5"
    EXPECT_EQ(s.yearPrefix, YearPrefix::Anno);                  // "Anno", not the first-run "An"
    EXPECT_EQ(s.dayStart, DayStart::Midnight);
    EXPECT_EQ(s.timeMode, TimeMode::Standard);
    EXPECT_FALSE(s.wheelChart);
    EXPECT_TRUE(s.wheelReversed);
    EXPECT_TRUE(s.hints);
    EXPECT_FALSE(s.quotedGreetings);
    EXPECT_TRUE(s.alarmSun);
    EXPECT_FALSE(s.alarmMoon);
    EXPECT_FALSE(s.hourAlarmSun);
    EXPECT_FALSE(s.hourAlarmSaturn);
    EXPECT_EQ(s.longitude, "0E00");
    EXPECT_EQ(s.latitude, "0N00");
    EXPECT_EQ(s.zone, "-1");
    EXPECT_EQ(s.engineCommand, "/usr/bin/astrolog");
}

TEST(IniInteger, Conversions)
{
    const std::pair<const char*, int> numbers[] = {{"315", 315}, {"-12", -12},
                                                   {"0X1f", 31}, {"$FF", 255},
                                                   {"007", 7},   {"2147483647", 2147483647}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(readIniInteger(text), value) << text;
    for (const char* text : {"2147483648", "$", "0x", "$-1", "0x-1", "+-1", "1 2", ""})
        EXPECT_FALSE(readIniInteger(text)) << '"' << text << '"';
}

}  // namespace
}  // namespace vantrel::core
