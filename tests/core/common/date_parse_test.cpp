#include "core/common/date_parse.h"

#include <gtest/gtest.h>

#include "core/common/date_format.h"
#include "tests/fakes/test_locales.h"

namespace vantrel::core {
namespace {

std::string shown(const std::optional<LocalDateTime>& value)
{
    if (!value)
        return "(none)";
    return formatDateTime("yyyy-mm-dd hh:nn:ss", *value, usEnglishRegionalSettings());
}

struct Row {
    const char* name;
    const char* text;
    const char* expected;
};

TEST(LocaleDateTimeReading, MonthFirstListingTexts)
{
    const RegionalSettings us = usEnglishRegionalSettings();
    const Row rows[] = {
        {"padded month and day, two-digit hour touching the year", " 3/ 6/200010:29am",
         "2000-03-06 10:29:00"},
        {"padded hour", " 6/ 3/2000  8:03pm", "2000-06-03 20:03:00"},
        {"noon", "06/03/2000 12:00pm", "2000-06-03 12:00:00"},
        {"midnight", "06/03/2000 12:00am", "2000-06-03 00:00:00"},
        {"designator in capitals", "06/03/2000 12:30 PM", "2000-06-03 12:30:00"},
        {"24-hour clock with seconds", "12/31/1999 23:59:58", "1999-12-31 23:59:58"},
        {"29 February of a leap year", "2/29/2000 1:00am", "2000-02-29 01:00:00"},
        {"trailing blanks", "1/1/2001 0:00   ", "2001-01-01 00:00:00"},
        {"blanks before the separators", "1 / 2 / 2001 3 : 04", "2001-01-02 03:04:00"},
        {"31 February", "2/31/2000 1:00am", "(none)"},
        {"29 February of a common year", "2/29/2001 1:00am", "(none)"},
        {"thirteenth month", "13/1/2000 1:00am", "(none)"},
        {"hour 13 with a designator", "1/1/2000 13:00pm", "(none)"},
        {"hour 0 with a designator", "1/1/2000 0:00am", "(none)"},
        {"hour 24", "1/1/2000 24:00", "(none)"},
        {"minute 60", "1/1/2000 1:60", "(none)"},
        {"no time", "1/1/2000", "(none)"},
        {"hour without minutes", "1/1/2000 10am", "(none)"},
        {"two numbers only", "1/2000 10:00", "(none)"},
        {"wrong date separator", "1-1-2000 10:00", "(none)"},
        {"letters after the time", "1/1/2000 10:00 xyz", "(none)"},
        {"empty", "", "(none)"},
        // A number stops at four digits only once it reaches 1000: year 999 followed by hour
        // 10 swallows the hour's first digit and no longer fits; a five-digit year is read as
        // four digits followed by a stray digit for the hour.
        {"year below 1000 touching the hour", "1/1/099910:29am", "(none)"},
        {"five digits of year and hour", "1/1/20001:29am", "2000-01-01 01:29:00"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(shown(parseLocaleDateTime(row.text, us)), row.expected) << row.name;
}

TEST(LocaleDateTimeReading, DayFirstAndYearFirstLocales)
{
    const RegionalSettings german = testing::german();
    RegionalSettings iso = usEnglishRegionalSettings();
    iso.shortDateFormat = "yyyy-mm-dd";
    iso.dateSeparator = "-";
    const std::pair<Row, RegionalSettings> rows[] = {
        {{"listing date after separator change", "26.01.2000 10:29am", "2000-01-26 10:29:00"},
         german},
        {{"24-hour", "26.01.2000 22:29", "2000-01-26 22:29:00"}, german},
        {{"year touching the hour", " 3. 6.200010:29pm", "2000-06-03 22:29:00"}, german},
        {{"month-first text refused", "01.26.2000 10:29am", "(none)"}, german},
        {{"slashes refused", "26/01/2000 10:29am", "(none)"}, german},
        {{"year first", "2000-06-03 8:03pm", "2000-06-03 20:03:00"}, iso},
    };
    for (const auto& [row, regional] : rows)
        EXPECT_EQ(shown(parseLocaleDateTime(row.text, regional)), row.expected) << row.name;
}

TEST(DateOrderOfShortFormat, FirstOfTheThreeLettersDecides)
{
    RegionalSettings regional;
    const std::pair<const char*, DateOrder> rows[] = {
        {"m/d/yyyy", DateOrder::MonthDayYear}, {"dd.MM.yyyy", DateOrder::DayMonthYear},
        {"D/M/Y", DateOrder::DayMonthYear},    {"yyyy-mm-dd", DateOrder::YearMonthDay},
        {"'x' e", DateOrder::MonthDayYear},
    };
    for (const auto& [format, order] : rows) {
        regional.shortDateFormat = format;
        EXPECT_EQ(shortDateOrder(regional), order) << format;
    }
}

}  // namespace
}  // namespace vantrel::core
