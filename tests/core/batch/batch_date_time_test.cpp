#include "core/batch/batch_date_time.h"

#include <gtest/gtest.h>

#include "tests/fakes/test_locales.h"

namespace vantrel::core {
namespace {

RegionalSettings monthFirstSlash()
{
    return usEnglishRegionalSettings();
}

// German, with the half-day designators some German settings carry.
RegionalSettings dayFirstDot()
{
    RegionalSettings regional = testing::german();
    regional.amDesignator = "vorm.";
    regional.pmDesignator = "nachm.";
    return regional;
}

RegionalSettings yearFirstDash()
{
    return testing::yearFirst();
}

std::optional<CivilDate> readDate(std::string_view text, const RegionalSettings& regional,
                                  int currentYear = 2026)
{
    const auto value = readBatchDate(text, regional, *Date::fromCivil(currentYear, 6, 1));
    if (!value)
        return std::nullopt;
    return value->civil();
}

struct DateCase {
    const char* name;
    RegionalSettings regional;
    const char* text;
    int currentYear;
    std::optional<CivilDate> expected;
};

class BatchDateReading : public ::testing::TestWithParam<DateCase> {};

TEST_P(BatchDateReading, ReadsTheDate)
{
    const auto& c = GetParam();
    EXPECT_EQ(readDate(c.text, c.regional, c.currentYear), c.expected);
}

// The hundred-year window begins fifty years before the current year: in 2026 it runs from
// 1976 to 2075, in 2000 from 1950 to 2049.
INSTANTIATE_TEST_SUITE_P(
    Rows, BatchDateReading,
    ::testing::Values(
        DateCase{"MonthFirst", monthFirstSlash(), "3/14/2001", 2026, CivilDate{2001, 3, 14}},
        DateCase{"DayFirst", dayFirstDot(), "14.3.2001", 2026, CivilDate{2001, 3, 14}},
        DateCase{"YearFirst", yearFirstDash(), "2001-3-14", 2026, CivilDate{2001, 3, 14}},
        DateCase{"DayFirstRejectsMonthFirstText", dayFirstDot(), "3.14.2001", 2026, std::nullopt},
        DateCase{"TwoNumbersTakeCurrentYear", monthFirstSlash(), "3/14", 2026,
                 CivilDate{2026, 3, 14}},
        DateCase{"TwoNumbersDayFirst", dayFirstDot(), "14.3", 2026, CivilDate{2026, 3, 14}},
        DateCase{"TwoNumbersYearFirstAreMonthAndDay", yearFirstDash(), "3-14", 2026,
                 CivilDate{2026, 3, 14}},
        DateCase{"WindowLowEdge", monthFirstSlash(), "1/1/76", 2026, CivilDate{1976, 1, 1}},
        DateCase{"WindowHighEdge", monthFirstSlash(), "12/31/75", 2026, CivilDate{2075, 12, 31}},
        DateCase{"EightyIsNineteenEighty", monthFirstSlash(), "1/1/80", 2026,
                 CivilDate{1980, 1, 1}},
        DateCase{"ZeroOneIsTwoThousandOne", monthFirstSlash(), "1/1/01", 2026,
                 CivilDate{2001, 1, 1}},
        DateCase{"OneDigitYear", monthFirstSlash(), "1/1/5", 2026, CivilDate{2005, 1, 1}},
        DateCase{"WindowIn2000Low", monthFirstSlash(), "1/1/50", 2000, CivilDate{1950, 1, 1}},
        DateCase{"WindowIn2000High", monthFirstSlash(), "1/1/49", 2000, CivilDate{2049, 1, 1}},
        DateCase{"ThreeDigitYearIsTakenAsIs", monthFirstSlash(), "1/1/999", 2026,
                 CivilDate{999, 1, 1}},
        DateCase{"LeadingZeros", monthFirstSlash(), "03/04/0999", 2026, CivilDate{999, 3, 4}},
        DateCase{"LeapDay", monthFirstSlash(), "2/29/2000", 2026, CivilDate{2000, 2, 29}},
        DateCase{"NoLeapDay", monthFirstSlash(), "2/29/1900", 2026, std::nullopt},
        DateCase{"DayMustExist", monthFirstSlash(), "4/31/2001", 2026, std::nullopt},
        DateCase{"MonthThirteen", monthFirstSlash(), "13/1/2001", 2026, std::nullopt},
        DateCase{"DayZero", monthFirstSlash(), "3/0/2001", 2026, std::nullopt},
        DateCase{"YearZero", monthFirstSlash(), "1/1/0000", 2026, std::nullopt},
        DateCase{"OneNumber", monthFirstSlash(), "2001", 2026, std::nullopt},
        DateCase{"FourNumbers", monthFirstSlash(), "1/2/3/4", 2026, std::nullopt},
        DateCase{"TrailingSeparator", monthFirstSlash(), "3/14/", 2026, std::nullopt},
        DateCase{"OtherSeparator", monthFirstSlash(), "3-14-2001", 2026, std::nullopt},
        DateCase{"Letters", monthFirstSlash(), "Mar/14/2001", 2026, std::nullopt},
        DateCase{"Sign", monthFirstSlash(), "+3/14/2001", 2026, std::nullopt},
        DateCase{"HugeNumberDoesNotOverflow", monthFirstSlash(), "3/14/99999999999999999999", 2026,
                 std::nullopt},
        DateCase{"Empty", monthFirstSlash(), "", 2026, std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

std::optional<TimeOfDay> clock(int hour, int minute, int second, int msec)
{
    return TimeOfDay::fromClock(hour, minute, second, msec);
}

struct TimeCase {
    const char* name;
    RegionalSettings regional;
    const char* text;
    std::optional<TimeOfDay> expected;
};

class BatchTimeReading : public ::testing::TestWithParam<TimeCase> {};

TEST_P(BatchTimeReading, ReadsTheTime)
{
    const auto& c = GetParam();
    EXPECT_EQ(readBatchTime(c.text, c.regional), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BatchTimeReading,
    ::testing::Values(
        TimeCase{"HoursAndMinutes", monthFirstSlash(), "21:07", clock(21, 7, 0, 0)},
        TimeCase{"HoursOnly", monthFirstSlash(), "21", clock(21, 0, 0, 0)},
        TimeCase{"Seconds", monthFirstSlash(), "21:07:09", clock(21, 7, 9, 0)},
        TimeCase{"Thousandths", monthFirstSlash(), "21:07:09.250", clock(21, 7, 9, 250)},
        TimeCase{"DecimalComma", dayFirstDot(), "21:07:09,5", clock(21, 7, 9, 5)},
        TimeCase{"DecimalPointWhereCommaIsUsed", dayFirstDot(), "21:07:09.5", std::nullopt},
        TimeCase{"ThousandthsBeforeSeconds", monthFirstSlash(), "21:07.5", std::nullopt},
        TimeCase{"FourDigitThousandths", monthFirstSlash(), "21:07:09.1000", std::nullopt},
        TimeCase{"PmAfter", monthFirstSlash(), "9:07PM", clock(21, 7, 0, 0)},
        TimeCase{"PmBeforeAnyCase", monthFirstSlash(), "pm9:07", clock(21, 7, 0, 0)},
        TimeCase{"PmWithBlankWhenQuoted", monthFirstSlash(), "9:07 PM", clock(21, 7, 0, 0)},
        TimeCase{"AmHoursOnly", monthFirstSlash(), "9am", clock(9, 0, 0, 0)},
        TimeCase{"TwelveAmIsMidnight", monthFirstSlash(), "12:30AM", clock(0, 30, 0, 0)},
        TimeCase{"TwelvePmIsNoon", monthFirstSlash(), "12:30PM", clock(12, 30, 0, 0)},
        TimeCase{"DesignatorNeedsOneToTwelve", monthFirstSlash(), "13:00PM", std::nullopt},
        TimeCase{"ZeroWithDesignator", monthFirstSlash(), "0:30AM", std::nullopt},
        TimeCase{"UsersOwnDesignator", dayFirstDot(), "9:07 nachm.", clock(21, 7, 0, 0)},
        TimeCase{"EnglishDesignatorAlwaysAccepted", dayFirstDot(), "9:07PM", clock(21, 7, 0, 0)},
        TimeCase{"Midnight", monthFirstSlash(), "0:00", clock(0, 0, 0, 0)},
        TimeCase{"LastMinute", monthFirstSlash(), "23:59:59.999", clock(23, 59, 59, 999)},
        TimeCase{"HourTwentyFour", monthFirstSlash(), "24:00", std::nullopt},
        TimeCase{"MinuteSixty", monthFirstSlash(), "10:60", std::nullopt},
        TimeCase{"SecondSixty", monthFirstSlash(), "10:00:60", std::nullopt},
        TimeCase{"DesignatorInTheMiddle", monthFirstSlash(), "9PM:07", std::nullopt},
        TimeCase{"DesignatorAlone", monthFirstSlash(), "PM", std::nullopt},
        TimeCase{"TwoDesignators", monthFirstSlash(), "AM9:07PM", std::nullopt},
        TimeCase{"TrailingSeparator", monthFirstSlash(), "9:", std::nullopt},
        TimeCase{"Letters", monthFirstSlash(), "nine", std::nullopt},
        TimeCase{"Empty", monthFirstSlash(), "", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vantrel::core
