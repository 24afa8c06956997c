#include "core/alarm/alarm.h"

#include <functional>
#include <stdexcept>

#include <gtest/gtest.h>

#include "core/common/error.h"
#include "core/hours/planetary_hours.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using testing::FakeClock;
using testing::FakeSound;
using testing::TempDir;
using testing::writeWholeFile;

using testing::FakeZoneRules;

// 4 June 2000, a Sunday.
const Date kDay = *Date::fromCivil(2000, 6, 4);

LocalDateTime at(Date date, int hour, int minute, int second = 0)
{
    return {date, *TimeOfDay::fromClock(hour, minute, second)};
}

class FakeAlarmHost : public AlarmHost {
public:
    bool timerRunning = false;
    bool armedMark = false;
    std::vector<LocalDateTime> hoursRuns;
    int hides = 0;
    std::vector<std::string> displayLines;  // an aside follows its line after " + "
    std::string statusText;
    std::vector<std::string> notes;
    std::function<void(const LocalDateTime&)> onHoursCommand;

    void startTimer() override { timerRunning = true; }
    void stopTimer() override { timerRunning = false; }
    void setArmedMark(bool armed) override { armedMark = armed; }
    void runHoursCommandHidden(const LocalDateTime& now) override
    {
        hoursRuns.push_back(now);
        if (onHoursCommand)
            onHoursCommand(now);
    }
    void hideOutputWindows() override { ++hides; }
    void addDisplayLine(const std::string& line) override { displayLines.push_back(line); }
    void addDisplayAside(const std::string& text) override { displayLines.back() += " + " + text; }
    void setStatusText(const std::string& text) override { statusText = text; }
    void showNote(const std::string& text) override { notes.push_back(text); }
};

class AlarmTest : public ::testing::Test {
protected:
    RegionalSettings regional = usEnglishRegionalSettings();
    AlarmList list;
    FakeSound sound;
    FakeClock clock{at(kDay, 7, 0)};
    TempDir dir;
    FakeAlarmHost host;
    Settings settings;
    FakeZoneRules zones;
    Alarm alarm{list, sound, LocalClock(clock, &zones, settings), regional, dir.path()};

    void touch(const std::string& name) { writeWholeFile(dir.path() / name, "RIFF"); }
    std::string path(const std::string& name) const { return (dir.path() / name).string(); }
    // Each arming's hours command adds these hour entries.
    void hoursGive(const std::vector<std::pair<LocalDateTime, std::string>>& hours)
    {
        host.onHoursCommand = [this, hours](const LocalDateTime&) {
            for (const auto& [start, ruler] : hours)
                list.add(hourEntry(start, ruler, regional));
        };
    }
};

TEST_F(AlarmTest, ArmingPlaysRunsHoursLoadsListingsAndStartsTheTimer)
{
    writeWholeFile(dir.path() / "riseset.txt",
                   "(Sun)  6/ 4/2000  5:28am     Sun (Gem) rises   at  57:14'\r\n");
    writeWholeFile(dir.path() / "risesetn.txt",
                   "(Mon)  6/ 5/2000  5:27am     Sun (Gem) rises   at  57:10'\r\n");
    alarm.toggle(host);

    EXPECT_TRUE(alarm.armed());
    EXPECT_TRUE(host.armedMark);
    EXPECT_TRUE(host.timerRunning);
    ASSERT_EQ(sound.asyncPlayed.size(), 1u);
    EXPECT_EQ(sound.asyncPlayed[0], path("sun.wav"));
    ASSERT_EQ(host.hoursRuns.size(), 1u);
    EXPECT_EQ(host.hoursRuns[0], clock.local());
    EXPECT_EQ(host.displayLines, std::vector<std::string>{"Alarm activated ..."});
    EXPECT_EQ(host.hides, 1);
    EXPECT_TRUE(list.contains("(Sun) 06/04/2000 05:28am     Sun (Gem) rises   at  57:14'"));
    EXPECT_TRUE(list.contains("(Mon) 06/05/2000 05:27am     Sun (Gem) rises   at  57:10'"));

    alarm.toggle(host);
    EXPECT_FALSE(alarm.armed());
    EXPECT_FALSE(host.armedMark);
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(sound.asyncPlayed.size(), 1u);
    EXPECT_EQ(list.size(), 2u);  // disarming keeps the entries
}

TEST_F(AlarmTest, FailedSetUpLeavesTheAlarmOff)
{
    host.onHoursCommand = [](const LocalDateTime&) {
        throw VantrelError("Cannot create file input.txt");
    };
    EXPECT_THROW(alarm.toggle(host), VantrelError);
    EXPECT_FALSE(alarm.armed());
    EXPECT_FALSE(host.armedMark);
    EXPECT_FALSE(host.timerRunning);
}

TEST_F(AlarmTest, HourStartingWithinAMinuteGoesOffAtItsFirstTick)
{
    settings.hourAlarmVenus = true;
    touch("venus.wav");  // only the name-only file exists
    hoursGive({{at(kDay, 7, 51, 40), "Venus"}});
    clock.set(at(kDay, 7, 50));
    alarm.toggle(host);

    clock.set(at(kDay, 7, 50, 59));
    EXPECT_TRUE(alarm.check(host, settings).displayLines.empty());

    clock.set(at(kDay, 7, 51, 0));
    const AlarmTick tick = alarm.check(host, settings);
    const std::string entry = "      06/04/2000 07:51am Venus         Hour";
    EXPECT_EQ(tick.displayLines, std::vector<std::string>{entry + " venus_hour.wav"});
    EXPECT_EQ(host.displayLines.back(), entry + " venus_hour.wav");
    EXPECT_EQ(sound.played, std::vector<std::string>{path("venus.wav")});
    EXPECT_FALSE(list.contains(entry));
    EXPECT_TRUE(list.contains(""));

    clock.set(at(kDay, 7, 51, 30));
    EXPECT_TRUE(alarm.check(host, settings).displayLines.empty());
    EXPECT_EQ(sound.played.size(), 1u);
}

TEST_F(AlarmTest, InstalledSoundsPlayWhenTheWorkingFolderHasNone)
{
    TempDir installed;
    writeWholeFile(installed.path() / "sun.wav", "RIFF");
    writeWholeFile(installed.path() / "venus_hour.wav", "RIFF");
    touch("venus.wav");  // a name-only copy of the user's does not beat the installed first choice
    Alarm withInstalled{list,     sound,      LocalClock(clock, &zones, settings),
                        regional, dir.path(), installed.path()};
    settings.hourAlarmVenus = true;
    hoursGive({{at(kDay, 7, 51), "Venus"}});
    withInstalled.toggle(host);
    clock.set(at(kDay, 7, 51, 5));
    withInstalled.check(host, settings);
    EXPECT_EQ(sound.asyncPlayed, std::vector<std::string>{(installed.path() / "sun.wav").string()});
    EXPECT_EQ(sound.played,
              std::vector<std::string>{(installed.path() / "venus_hour.wav").string()});
}

TEST_F(AlarmTest, NameAndKindSoundIsPreferredAndAPlayingSoundSkipsIt)
{
    settings.hourAlarmVenus = true;
    touch("venus_hour.wav");
    touch("venus.wav");
    hoursGive({{at(kDay, 7, 51), "Venus"}, {at(kDay, 8, 42), "Venus"}});
    alarm.toggle(host);
    clock.set(at(kDay, 7, 51, 5));
    alarm.check(host, settings);
    EXPECT_EQ(sound.played, std::vector<std::string>{path("venus_hour.wav")});

    sound.busy = true;
    clock.set(at(kDay, 8, 42, 1));
    const AlarmTick tick = alarm.check(host, settings);
    EXPECT_EQ(tick.displayLines.size(), 1u);  // still written and spent
    EXPECT_TRUE(tick.played.empty());
    EXPECT_EQ(sound.played.size(), 1u);
}

TEST_F(AlarmTest, RiseSetAndHourChoicesFilterSeparately)
{
    settings.alarmSun = false;
    settings.hourAlarmMars = true;
    writeWholeFile(dir.path() / "riseset.txt",
                   "(Sun)  6/ 4/2000  7:51am     Sun (Gem) rises   at  57:14'\r\n");
    hoursGive({{at(kDay, 7, 51, 12), "Mars"}});
    alarm.toggle(host);
    clock.set(at(kDay, 7, 51, 30));
    const AlarmTick tick = alarm.check(host, settings);

    ASSERT_EQ(tick.displayLines.size(), 1u);
    EXPECT_EQ(tick.displayLines[0], "      06/04/2000 07:51am Mars          Hour mars_hour.wav");
    const std::string sunLine = "(Sun) 06/04/2000 07:51am     Sun (Gem) rises   at  57:14'";
    EXPECT_TRUE(list.contains(sunLine));

    // Switching the choice on within the minute lets the waiting entry go off.
    settings.alarmSun = true;
    clock.set(at(kDay, 7, 51, 45));
    const AlarmTick later = alarm.check(host, settings);
    EXPECT_EQ(later.displayLines, std::vector<std::string>{sunLine + " sun_rises.wav"});
}

TEST_F(AlarmTest, StatusBarShowsTheCurrentMoment)
{
    alarm.toggle(host);
    clock.set(at(kDay, 13, 5, 9));
    alarm.check(host, settings);
    EXPECT_EQ(host.statusText, "Alarm is active. Current Time/Date: 6/4/2000 1:05:09 PM");
    alarm.toggle(host);
    EXPECT_EQ(host.statusText, "") << "switched off, the alarm no longer says it is active";
}

TEST_F(AlarmTest, CrossingMidnightRearmsOnceForTheNewDay)
{
    clock.set(at(kDay, 23, 59));
    alarm.toggle(host);
    clock.set(at(kDay, 23, 59, 59));
    EXPECT_FALSE(alarm.check(host, settings).rearmed);

    clock.set(at(kDay.plusDays(1), 0, 0, 0));
    EXPECT_TRUE(alarm.check(host, settings).rearmed);
    EXPECT_TRUE(alarm.armed());
    EXPECT_TRUE(host.timerRunning);
    EXPECT_EQ(sound.asyncPlayed.size(), 2u);
    ASSERT_EQ(host.hoursRuns.size(), 2u);
    EXPECT_EQ(host.hoursRuns[1], at(kDay.plusDays(1), 0, 0, 0));
    EXPECT_EQ(std::count(host.displayLines.begin(), host.displayLines.end(), "Alarm activated ..."),
              2);
    EXPECT_EQ(alarm.armedDate(), kDay.plusDays(1));

    clock.set(at(kDay.plusDays(1), 0, 0, 1));
    EXPECT_FALSE(alarm.check(host, settings).rearmed);
}

TEST_F(AlarmTest, DayWithoutSunriseDoesNotRearmOnEveryTick)
{
    // The hours command finds no sunrise: it adds nothing and leaves no listing lines.
    alarm.toggle(host);
    for (int second = 1; second <= 120; ++second) {
        clock.set(at(kDay, 7, 0) + std::chrono::seconds(second));
        ASSERT_FALSE(alarm.check(host, settings).rearmed) << "second " << second;
    }
    EXPECT_EQ(sound.asyncPlayed.size(), 1u);
    EXPECT_EQ(host.hoursRuns.size(), 1u);
}

TEST_F(AlarmTest, RearmingRefusesDuplicatesButBringsBackSpentEntries)
{
    settings.hourAlarmSun = true;
    writeWholeFile(dir.path() / "riseset.txt",
                   "(Sun)  6/ 4/2000  5:28am     Sun (Gem) rises   at  57:14'\r\n"
                   "(Sun)  6/ 4/2000  9:05pm     Sun (Gem) sets    at 302:40'\r\n");
    hoursGive({{at(kDay, 7, 10), "Sun"}, {at(kDay, 8, 1), "Venus"}});
    clock.set(at(kDay, 7, 0));
    alarm.toggle(host);
    const std::size_t armedSize = list.size();
    EXPECT_EQ(armedSize, 4u);

    clock.set(at(kDay, 7, 10, 3));
    ASSERT_EQ(alarm.check(host, settings).displayLines.size(), 1u);
    EXPECT_FALSE(list.contains(hourEntry(at(kDay, 7, 10), "Sun", regional)));

    alarm.toggle(host);
    alarm.toggle(host);
    // Everything came again; only the spent entry was missing, and its empty text stays.
    EXPECT_EQ(list.size(), armedSize + 1);
    EXPECT_TRUE(list.contains(hourEntry(at(kDay, 7, 10), "Sun", regional)));
    clock.set(at(kDay, 7, 10, 40));
    EXPECT_EQ(alarm.check(host, settings).displayLines.size(), 1u);
}

TEST(AlarmEntry, ListingLineOfAYearBeforeAThousandIsRewritten)
{
    EXPECT_EQ(alarmEntryFromListingLine("(Mon)  1/ 1/   1  8:11am     Sun (Cap) rises   at 127:51'",
                                        usEnglishRegionalSettings()),
              "(Mon) 01/01/0001 08:11am     Sun (Cap) rises   at 127:51'");
}

// Listing lines as the engine writes them: day first with "-" where the user's dates begin
// with the day, otherwise month first with "/" (year-first users included).
TEST_F(AlarmTest, ListingLinesGoOffInEveryDateOrderAndSeparator)
{
    struct Row {
        const char* name;
        const char* shortDateFormat;
        const char* dateSeparator;
        const char* timeSeparator;
        const char* listingLine;
    };
    const Row rows[] = {
        {"US", "m/d/yyyy", "/", ":", "(Sun)  6/ 4/2000  5:28am     Sun (Gem) rises   at  57:14'"},
        {"German", "dd.mm.yyyy", ".", ":",
         "(Sun)  4- 6-2000  5:28am     Sun (Gem) rises   at  57:14'"},
        {"Finnish", "d.m.yyyy", ".", ".",
         "(Sun)  4- 6-2000  5:28am     Sun (Gem) rises   at  57:14'"},
        {"British", "dd/mm/yyyy", "/", ":",
         "(Sun)  4- 6-2000  5:28am     Sun (Gem) rises   at  57:14'"},
        {"Dutch", "d-m-yyyy", "-", ":",
         "(Sun)  4- 6-2000  5:28am     Sun (Gem) rises   at  57:14'"},
        {"month first with dashes", "m-d-yyyy", "-", ":",
         "(Sun)  6/ 4/2000  5:28am     Sun (Gem) rises   at  57:14'"},
        {"Swedish, year first", "yyyy-mm-dd", "-", ":",
         "(Sun)  6/ 4/2000  5:28am     Sun (Gem) rises   at  57:14'"},
        {"Hungarian, year first", "yyyy. mm. dd.", ".", ":",
         "(Sun)  6/ 4/2000  5:28am     Sun (Gem) rises   at  57:14'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RegionalSettings local = usEnglishRegionalSettings();
        local.shortDateFormat = row.shortDateFormat;
        local.dateSeparator = row.dateSeparator;
        local.timeSeparator = row.timeSeparator;
        TempDir folder;
        writeWholeFile(folder.path() / "riseset.txt", std::string(row.listingLine) + "\r\n");
        AlarmList entries;
        FakeSound quiet;
        FakeClock now{at(kDay, 5, 0)};
        FakeAlarmHost window;
        Alarm localAlarm{entries, quiet, LocalClock(now, &zones, settings), local, folder.path()};
        localAlarm.toggle(window);

        now.set(at(kDay, 5, 28, 20));
        const AlarmTick tick = localAlarm.check(window, settings);
        ASSERT_EQ(tick.displayLines.size(), 1u);
        EXPECT_EQ(tick.displayLines[0].substr(24),
                  "     Sun (Gem) rises   at  57:14' sun_rises.wav");
    }
}

TEST(AlarmEntry, FieldsAndSoundNames)
{
    const auto hour = readAlarmEntry("      06/04/2000 07:51am Jupiter       Hour");
    ASSERT_TRUE(hour);
    EXPECT_EQ(hour->moment, "06/04/2000 07:51am");
    EXPECT_EQ(hour->name, "Jupiter");
    EXPECT_EQ(hour->kind, "Hour");
    EXPECT_EQ(alarmSoundFile(hour->name, hour->kind), "jupiter_hour.wav");

    const auto listing =
        readAlarmEntry("(Sun) 06/04/2000 05:28am Mercury (Gem) zeniths at +61:02'");
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->name, "Mercury");
    EXPECT_EQ(listing->kind, "zeniths");
    EXPECT_FALSE(readAlarmEntry("(Sun)  6/ 4/2000  5:28a"));  // cut before its moment ends
}

TEST(AlarmEntry, ChoicesCoverTenBodiesAndSevenRulers)
{
    Settings none;
    for (bool Settings::*field :
         {&Settings::alarmSun, &Settings::alarmMoon, &Settings::alarmMercury, &Settings::alarmVenus,
          &Settings::alarmMars, &Settings::alarmJupiter, &Settings::alarmSaturn,
          &Settings::alarmUranus, &Settings::alarmNeptune, &Settings::alarmPluto,
          &Settings::hourAlarmSun, &Settings::hourAlarmMoon, &Settings::hourAlarmMercury,
          &Settings::hourAlarmVenus, &Settings::hourAlarmMars, &Settings::hourAlarmJupiter,
          &Settings::hourAlarmSaturn})
        none.*field = false;
    Settings pluto = none;
    pluto.alarmPluto = true;
    EXPECT_FALSE(alarmChosen(none, "Pluto", "rises"));
    EXPECT_TRUE(alarmChosen(pluto, "Pluto", "sets"));
    EXPECT_FALSE(alarmChosen(pluto, "Sun", "rises"));
    // Rise/set choices do not open hours, nor hour choices rises.
    Settings hourSaturn = none;
    hourSaturn.hourAlarmSaturn = true;
    EXPECT_TRUE(alarmChosen(hourSaturn, "Saturn", "Hour"));
    EXPECT_FALSE(alarmChosen(hourSaturn, "Saturn", "nadirs"));
    EXPECT_FALSE(alarmChosen(pluto, "Moon", "Hour"));
    // Names outside the tables are not filtered.
    EXPECT_TRUE(alarmChosen(none, "Chiron", "rises"));
    EXPECT_TRUE(alarmChosen(none, "Uranus", "Hour"));
}

}  // namespace
}  // namespace vantrel::core
