#include <gtest/gtest.h>

#include "core/calendar/feasts.h"
#include "core/calendar/year_calendar.h"
#include "core/calendar/zone_clock.h"
#include "core/chart_engine/command_file.h"
#include "tests/core/error_text.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_sky_event_source.h"

namespace vantrel::core {
namespace {

using testing::errorText;
using Day = Feast::Day;

TEST(FeastsFile, ReadsDatesAndSunEntriesInTheirEveryWriting)
{
    const struct {
        const char* line;
        Feast feast;
    } rows[] = {
        {"03-20 Feast of the Supreme Ritual",
         {Day::CivilDate, 3, 20, 0, "Feast of the Supreme Ritual"}},
        {"\t4-8:  Writing, first day  # the comment goes",
         {Day::CivilDate, 4, 8, 0, "Writing, first day"}},
        {"02-29 Leap day", {Day::CivilDate, 2, 29, 0, "Leap day"}},
        {"Sun enters Aries: Equinox of the Gods",
         {Day::SunEntersSign, 1, 1, 0, "Equinox of the Gods"}},
        {"SUN ENTERS capricorn Feast of the Times",
         {Day::SunEntersSign, 1, 1, 9, "Feast of the Times"}},
    };
    for (const auto& row : rows) {
        const FeastLine read = readFeastLine(row.line);
        EXPECT_EQ(read.feast, row.feast) << row.line;
        EXPECT_EQ(read.problem, "") << row.line;
    }
    for (const char* nothing : {"", "   ", "# 03-20 a comment", "\t# indented comment"})
        EXPECT_EQ(readFeastLine(nothing).feast, std::nullopt) << nothing;
}

TEST(FeastsFile, SaysWhatIsWrongWithALine)
{
    const struct {
        const char* line;
        const char* problem;
    } rows[] = {
        {"Feast of nothing", "expected a month and day (MM-DD) or \"Sun enters\" and a sign, then "
                             "the feast's name"},
        {"13-01 Thirteenth month", "\"13-01\": there is no month 13"},
        {"04-31 No such day", "\"04-31\": month 4 has no day 31"},
        {"00-10 Zero", "\"00-10\": there is no month 0"},
        {"3/20 Slash", "\"3/20\" is not a month and day (MM-DD)"},
        {"003-20 Three digits", "\"003-20\" is not a month and day (MM-DD)"},
        {"03-20Feast", "\"03-20Feast\" is not a month and day (MM-DD)"},
        {"03-20   # a date alone", "the feast on \"03-20\" has no name"},
        {"Sun enters Arie: Typo", "\"Arie\" is not a sign (Aries to Pisces)"},
        {"Sun enters", "\"Sun enters\" is not followed by a sign"},
        {"Sun enters Leo:", "the feast on \"Sun enters Leo\" has no name"},
    };
    for (const auto& row : rows) {
        const FeastLine read = readFeastLine(row.line);
        EXPECT_EQ(read.feast, std::nullopt) << row.line;
        EXPECT_EQ(read.problem, row.problem) << row.line;
    }
}

TEST(FeastsFile, ABadLineIsReportedByFileAndNumberAndTheOthersStillCount)
{
    const FeastList list =
        readFeasts({"# feasts", "12-01 Greater Feast", "12-32 Typo", "", "10-12 Life"}, "my.txt");
    ASSERT_EQ(list.feasts.size(), 2u);
    EXPECT_EQ(list.feasts[1].name, "Life");
    EXPECT_EQ(list.problems,
              std::vector<std::string>{"my.txt, line 3: \"12-32\": month 12 has no day 32"});

    testing::TempDir dir;
    EXPECT_TRUE(readFeastsFile(dir.path() / "none.txt").problems.empty()) << "no file, no feasts";
    EXPECT_EQ(readFeastsFile(dir.path()).problems.size(), 0u) << "a folder counts as no file";
}

TEST(FeastsFile, TheUsersCopyIsMadeOnceFromTheInstalledOne)
{
    testing::TempDir work;
    testing::TempDir data;
    testing::writeWholeFile(data.path() / "feasts.txt", "12-01 Installed\n");
    EXPECT_EQ(userFeastsFile(work.path(), data.path()), work.path() / "feasts.txt");
    EXPECT_EQ(testing::readWholeFile(work.path() / "feasts.txt"), "12-01 Installed\n");
    testing::writeWholeFile(work.path() / "feasts.txt", "05-17 Mine\n");
    userFeastsFile(work.path(), data.path());
    EXPECT_EQ(testing::readWholeFile(work.path() / "feasts.txt"), "05-17 Mine\n") << "kept";

    testing::TempDir bare;
    const FeastList made = readFeastsFile(userFeastsFile(bare.path(), {}));
    EXPECT_TRUE(made.feasts.empty() && made.problems.empty()) << "no installed file: comments";
    EXPECT_EQ(errorText([&] { userFeastsFile(bare.path() / "missing", {}); }),
              "Cannot create file " + (bare.path() / "missing" / "feasts.txt").string());
}

TEST(FeastsFile, TheInstalledFileReadsWhole)
{
    const FeastList list = readFeastsFile(VANTREL_DATA_DIR "/feasts.txt");
    EXPECT_EQ(list.problems, std::vector<std::string>{});
    EXPECT_EQ(list.feasts.size(), 11u);
}

// A moment by its reading in universal time, and a day.
Instant ut(int year, int month, int day, int hour, int minute, int second = 0)
{
    return testing::instantAt(testing::localDateTime(year, month, day, hour, minute, second), 0);
}

Date dayOf(int year, int month, int day)
{
    return Date::fromCivil(year, month, day).value();
}

// Chicago in 2025: daylight time from 9 March 08:00 to 2 November 07:00 universal time; the
// readings the clocks skip or show twice take the offset before the change.
class Chicago2025 : public ZoneRules {
public:
    std::optional<ZoneOffset> offsetAt(const LocalDateTime& local, std::string_view) const override
    {
        return offset(local >= testing::localDateTime(2025, 3, 9, 3, 0) &&
                      local < testing::localDateTime(2025, 11, 2, 2, 0));
    }
    std::optional<LocalDateTime> localTime(Instant moment, std::string_view) const override
    {
        const bool summer = moment >= ut(2025, 3, 9, 8, 0) && moment < ut(2025, 11, 2, 7, 0);
        return localTimeAt(moment, offset(summer).minutesWest);
    }

private:
    static ZoneOffset offset(bool summer)
    {
        return summer ? ZoneOffset{300, 60} : ZoneOffset{360, 0};
    }
};

TEST(ZoneClock, FixedZonesAndTheirFaults)
{
    const LiveZone zone{};
    Settings settings;
    const struct {
        TimeMode mode;
        const char* text;
        LocalDateTime local;
    } rows[] = {
        {TimeMode::Standard, "6", testing::localDateTime(2025, 1, 1, 6, 0)},
        {TimeMode::Daylight, "6", testing::localDateTime(2025, 1, 1, 7, 0)},
        {TimeMode::Standard, "-5:30", testing::localDateTime(2025, 1, 1, 17, 30)},
        {TimeMode::Standard, "+3.30", testing::localDateTime(2025, 1, 1, 8, 30)},
    };
    for (const auto& row : rows) {
        settings.timeMode = row.mode;
        settings.zone = row.text;
        const ZoneClock clock(settings, zone);
        EXPECT_EQ(clock.localTime(ut(2025, 1, 1, 12, 0)), row.local) << row.text;
        EXPECT_EQ(clock.moment(row.local), ut(2025, 1, 1, 12, 0)) << row.text;
    }
    settings.timeMode = TimeMode::Standard;
    settings.zone = "6h";
    EXPECT_EQ(errorText([&] { ZoneClock(settings, zone); }),
              "Time Zone \"6h\" is not hours west of Greenwich (-24 to 24, H:MM or H.MM)");
    settings.timeMode = TimeMode::PlaceZone;
    settings.zoneName = "";
    EXPECT_EQ(errorText([&] { ZoneClock(settings, zone); }), kNoPlaceZoneMessage);
    settings.zoneName = "Atlantis/Capital";
    const testing::FakeZoneRules rules;
    const LiveZone known{&rules, ""};
    EXPECT_EQ(errorText([&] { ZoneClock(settings, known).localTime(ut(2025, 1, 1, 0, 0)); }),
              "The time zone \"Atlantis/Capital\" is not in this computer's time-zone database");
}

SkyEvent moon(int phase, Instant moment)
{
    return {SkyEvent::Kind::MoonPhase, phase, moment};
}

SkyEvent sun(int sign, Instant moment)
{
    return {SkyEvent::Kind::SunEntersSign, sign, moment};
}

struct YearFixture : ::testing::Test {
    Settings settings;
    RegionalSettings regional = usEnglishRegionalSettings();
    LiveZone zone{};
    testing::FakeSkyEventSource sky;
    CalendarContext context{settings, regional, zone, sky};

    YearFixture()
    {
        settings.timeMode = TimeMode::Standard;
        settings.zone = "6";
    }
};

TEST_F(YearFixture, TheYearRunsFromLocalMidnightToLocalMidnight)
{
    sky.sky = {moon(0, ut(2025, 1, 1, 5, 59)), moon(1, ut(2025, 1, 1, 6, 0)),
               moon(2, ut(2026, 1, 1, 5, 59)), moon(3, ut(2026, 1, 1, 6, 0))};
    const YearCalendar calendar = yearCalendar(2025, {}, context);
    ASSERT_EQ(sky.askedIntervals.size(), 1u);
    EXPECT_EQ(sky.askedIntervals[0], std::pair(ut(2025, 1, 1, 6, 0), ut(2026, 1, 1, 6, 0)));
    ASSERT_EQ(calendar.events().size(), 2u);
    EXPECT_EQ(calendar.events()[0].name, "First Quarter");
    EXPECT_EQ(calendar.events()[0].date, dayOf(2025, 1, 1));
    EXPECT_EQ(calendar.events()[1].name, "Full Moon");
    EXPECT_EQ(calendar.events()[1].date, dayOf(2025, 12, 31));
    EXPECT_EQ(calendar.events()[1].localTime, TimeOfDay::fromClock(23, 59));
    // Each day's line is the sky at local noon.
    ASSERT_EQ(sky.askedMoments.size(), 365u);
    EXPECT_EQ(sky.askedMoments.front(), ut(2025, 1, 1, 18, 0));
    EXPECT_EQ(sky.askedMoments.back(), ut(2025, 12, 31, 18, 0));
}

TEST_F(YearFixture, EventsAndNoonsFollowTheClocksAcrossDaylightSaving)
{
    const Chicago2025 rules;
    zone.zoneRules = &rules;
    settings.timeMode = TimeMode::SystemZone;
    sky.sky = {moon(0, ut(2025, 3, 9, 7, 59)), moon(1, ut(2025, 3, 9, 8, 0)),
               moon(2, ut(2025, 11, 2, 6, 30)), moon(3, ut(2025, 11, 2, 7, 30))};
    const YearCalendar calendar = yearCalendar(2025, {}, context);
    std::vector<LocalDateTime> readings;
    for (const CalendarEvent& event : calendar.events())
        readings.push_back({event.date, *event.localTime});
    EXPECT_EQ(readings, (std::vector<LocalDateTime>{testing::localDateTime(2025, 3, 9, 1, 59),
                                                    testing::localDateTime(2025, 3, 9, 3, 0),
                                                    testing::localDateTime(2025, 11, 2, 1, 30),
                                                    testing::localDateTime(2025, 11, 2, 1, 30)}));
    EXPECT_EQ(sky.askedMoments[0], ut(2025, 1, 1, 18, 0));
    EXPECT_EQ(sky.askedMoments[181], ut(2025, 7, 1, 17, 0)) << "noon of 1 July, daylight time";
}

TEST_F(YearFixture, FeastsStandOnTheirLocalDaysBeforeTheDaysOtherEvents)
{
    // The equinox at 04:00 UT is still the evening of the 19th in Chicago.
    sky.sky = {moon(2, ut(2024, 2, 29, 3, 0)), sun(0, ut(2024, 3, 20, 4, 0))};
    const std::vector<Feast> feasts = {
        {Day::CivilDate, 2, 29, 0, "Leap day"},
        {Day::SunEntersSign, 1, 1, 0, "Equinox of the Gods"},
        {Day::CivilDate, 3, 20, 0, "Supreme Ritual"},
    };
    const YearCalendar calendar = yearCalendar(2024, feasts, context);
    std::vector<std::string> seen;
    for (const CalendarEvent& event : calendar.events()) {
        char day[16];
        const CivilDate date = event.date.civil();
        std::snprintf(day, sizeof day, "%02d-%02d ", date.month, date.day);
        seen.push_back(day + event.name);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"02-28 Full Moon", "02-29 Leap day",
                                              "03-19 Equinox of the Gods", "03-19 Sun enters Aries",
                                              "03-20 Supreme Ritual"}));
    EXPECT_TRUE(yearCalendar(2025, {feasts[0]}, context).events().empty()) << "no 29 February";
}

TEST_F(YearFixture, TheDayLineIsTheDateDisplayOnOneLineWithoutTheTime)
{
    settings.yearPrefix = YearPrefix::An;
    settings.yearFormat = YearFormat::UpperRomanLowerRoman;
    settings.signDisplay = SignDisplay::WithDegree;
    settings.dateFormat = DateFormat::Long;
    // Longitudes are cut, never rounded: 359.9999 is still 29 degrees of Pisces.
    sky.bodiesAt = [](Instant) { return SunAndMoon{0.0, 359.9999}; };
    const YearCalendar calendar = yearCalendar(2025, {}, context);
    EXPECT_EQ(calendar.dayLine(dayOf(2025, 3, 20)),
              "An Vxi Sol 0\xC2\xB0 Aries, Luna 29\xC2\xB0 Pisces Dies Jovis Thursday, March 20, "
              "2025 e.v.");
    EXPECT_EQ(calendar.dayLine(dayOf(2026, 1, 1)), "") << "a day of another year";
    settings.signDisplay = SignDisplay::SignOnly;
    settings.dateFormat = DateFormat::Omitted;
    EXPECT_EQ(yearCalendar(2025, {}, context).dayLine(dayOf(2025, 3, 19)),
              "An Vx Sol in Aries, Luna in Pisces Dies Mercurii");
}

TEST_F(YearFixture, YearsOutsideTheEphemerisAreRefusedAndItsEdgesServed)
{
    for (const int year : {0, 3001, -5}) {
        EXPECT_EQ(errorText([&] { yearCalendar(year, {}, context); }),
                  "The year " + std::to_string(year) +
                      " is outside the ephemeris range (1 January 1 to 31 December 3000)");
    }
    settings.zone = "-14";  // the first morning of year 1 lies before the first served moment
    yearCalendar(1, {}, context);
    EXPECT_EQ(sky.askedIntervals.back().first, ut(1, 1, 1, 0, 0));
    settings.zone = "12";
    yearCalendar(3000, {}, context);
    EXPECT_EQ(sky.askedIntervals.back().second, ut(3001, 1, 1, 0, 0));
}

TEST_F(YearFixture, RowsAndToolTipsGiveLocalTimesAndTheDaysDate)
{
    sky.sky = {moon(2, ut(2025, 3, 14, 6, 54, 40))};
    const YearCalendar calendar =
        yearCalendar(2025, {{Day::CivilDate, 3, 14, 0, "Pi day"}}, context);
    const std::vector<YearRow> rows = yearRows(calendar, regional);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].date, "3/14/2025");
    EXPECT_EQ(rows[1].time, "12:54:40 AM");
    EXPECT_EQ(rows[1].event, "Full Moon");
    EXPECT_EQ(rows[1].thelemicDate, calendar.dayLine(dayOf(2025, 3, 14)));
    EXPECT_EQ(yearTextLines(rows)[2], "3/14/2025\t12:54:40 AM\tFull Moon\t" + rows[1].thelemicDate);
    EXPECT_EQ(dayToolTipLines(calendar, dayOf(2025, 3, 14), regional),
              (std::vector<std::string>{rows[0].thelemicDate, "Pi day", "12:54:40 AM Full Moon"}));
}

TEST_F(YearFixture, UidsAreMadeOfTheUniversalDateAndTheKind)
{
    sky.sky = {moon(2, ut(2025, 3, 14, 3, 0)), sun(0, ut(2025, 3, 20, 4, 0))};
    const std::vector<Feast> feasts = {
        {Day::CivilDate, 1, 6, 0, "F\xC3\xAAte des Rois!"},
        {Day::CivilDate, 1, 6, 0, "f\xC3\xAAte des rois"},
        {Day::SunEntersSign, 1, 1, 0, "Equinox of the Gods"},
    };
    EXPECT_EQ(eventUids(yearCalendar(2025, feasts, context)),
              (std::vector<std::string>{
                  "20250106-fc3aate-des-rois@vantrel", "20250106-fc3aate-des-rois-2@vantrel",
                  "20250314-full-moon@vantrel", "20250320-equinox-of-the-gods@vantrel",
                  "20250320-sun-enters-aries@vantrel"}));
}

}  // namespace
}  // namespace vantrel::core
