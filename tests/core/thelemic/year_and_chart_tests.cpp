// Year numbering, sign names and the chart reading.

#include <gtest/gtest.h>

#include "core/thelemic/chart_reading.h"
#include "core/thelemic/year_numbering.h"

namespace vantrel::core {
namespace {

// In the order of the texts in the rows below.
constexpr YearFormat kFormats[] = {YearFormat::UpperRomanLowerRoman, YearFormat::LowerRomanDigits,
                                   YearFormat::LowerRomanUpperRoman, YearFormat::DigitsLowerRoman,
                                   YearFormat::DigitsUpperRoman};

TEST(YearNumbering, TableOfDatesInAllFiveFormats)
{
    // Rows: civil date, count, then "IVv", "iv5", "ivV", "4v", "4V".
    const struct {
        int year, month, day, count;
        const char* texts[5];
    } rows[] = {
        {2000, 6, 3, 96, {"IVviii", "iv8", "ivVIII", "4viii", "4VIII"}},
        {2001, 3, 19, 96, {"IVviii", "iv8", "ivVIII", "4viii", "4VIII"}},
        {2001, 3, 20, 97, {"IVix", "iv9", "ivIX", "4ix", "4IX"}},
        {2014, 1, 1, 109, {"IVxxi", "iv21", "ivXXI", "4xxi", "4XXI"}},
        {2014, 3, 20, 110, {"V", "v0", "v", "5", "5"}},
        {1904, 3, 20, 0, {"", "0", "", "0", "0"}},
        {1905, 3, 19, 0, {"", "0", "", "0", "0"}},
        {9999, 12, 31, 8095, {"CCCLXVIIxxi", "ccclxvii21", "ccclxviiXXI", "367xxi", "367XXI"}},
    };
    for (const auto& row : rows) {
        const int count = yearCount(row.year, row.month, row.day);
        EXPECT_EQ(count, row.count) << row.year << "-" << row.month << "-" << row.day;
        for (int format = 0; format < 5; ++format)
            EXPECT_EQ(yearText(count, kFormats[format]), row.texts[format])
                << row.year << " format " << format;
    }
}

// The year turns at the start of 20 March: 1 March belongs to the year begun the March
// before. Dates before the epoch count backwards with a minus sign.
TEST(YearNumbering, YearTurnsAtTheTwentiethOfMarchAndCountsBackBeforeTheEpoch)
{
    const struct {
        int year, month, day, count;
    } rows[] = {{2001, 3, 19, 96},  {2001, 3, 20, 97}, {2001, 3, 1, 96},  {2004, 2, 29, 99},
                {2000, 12, 31, 96}, {2001, 1, 1, 96},  {1904, 3, 19, -1}, {1900, 1, 1, -5}};
    for (const auto& row : rows)
        EXPECT_EQ(yearCount(row.year, row.month, row.day), row.count)
            << row.year << "-" << row.month << "-" << row.day;
    EXPECT_EQ(yearText(-1, YearFormat::UpperRomanLowerRoman), "-i");
    EXPECT_EQ(yearText(-1, YearFormat::LowerRomanDigits), "-1");
    EXPECT_EQ(yearText(-5, YearFormat::DigitsUpperRoman), "-0V");
    EXPECT_EQ(yearText(-1803, YearFormat::UpperRomanLowerRoman), "-LXXXIxxi") << "1 January 101";
}

TEST(YearNumbering, NoFormatChosenIsWrittenAsTheFirstRunFormat)
{
    EXPECT_EQ(yearText(97, YearFormat::NotChosen), "iv9");
    EXPECT_EQ(yearText(97, choiceFromIndex<YearFormat>(7)), "iv9") << "an index no item has";
}

TEST(romanNumeral, YearsWithinTheCycle)
{
    const char* expected[] = {"",     "i",    "ii",    "iii", "iv",  "v",    "vi",  "vii",
                              "viii", "ix",   "x",     "xi",  "xii", "xiii", "xiv", "xv",
                              "xvi",  "xvii", "xviii", "xix", "xx",  "xxi"};
    for (int year = 0; year < 22; ++year)
        EXPECT_EQ(yearText(year, YearFormat::UpperRomanLowerRoman), expected[year]) << year;
}

TEST(romanNumeral, SubtractiveForms)
{
    const struct {
        int number;
        const char* numeral;
    } rows[] = {{9, "IX"},  {19, "XIX"},  {40, "XL"},        {49, "XLIX"},
                {90, "XC"}, {99, "XCIX"}, {367, "CCCLXVII"}, {399, "CCCXCIX"},
                {0, ""},    {400, "CD"},  {1904, "MCMIV"}};
    for (const auto& row : rows)
        EXPECT_EQ(romanNumeral(row.number), row.numeral) << row.number;
}

TEST(signName, EveryAbbreviationAndNothingElse)
{
    const char* pairs[][2] = {{"Ari", "Aries"},     {"Tau", "Taurus"},   {"Gem", "Gemini"},
                              {"Can", "Cancer"},    {"Leo", "Leo"},      {"Vir", "Virgo"},
                              {"Lib", "Libra"},     {"Sco", "Scorpio"},  {"Sag", "Sagittarius"},
                              {"Cap", "Capricorn"}, {"Aqu", "Aquarius"}, {"Pis", "Pisces"}};
    for (const auto& pair : pairs)
        EXPECT_EQ(signName(pair[0]), pair[1]);
    for (const char* other : {"ari", "ARI", "Ar", "", "Arie", " Ar", "Sun"})
        EXPECT_EQ(signName(other), "") << '"' << other << '"';
}

const std::vector<std::string> kListing = {
    "vantrel-engine chart for Sat Jun  3, 2000  8:03pm (DT 6 GMT) 93W21 45N05",
    "Body  Locat. Ret. Lati. Rul.      House  Rul. Veloc.    Placidus Houses.",
    "",
    "Sun : 13Gem10   + 0:00' (-) [ 7th house] [-] +0.958  -  House cusp  1: 28Sag13",
    "Moon:  5Leo22   + 3:11' (-) [ 8th house] [-] +13.12  -  House cusp  2: 10Cap02",
    "Merc: 29Gem41   + 1:52' (R) [ 8th house] [-] +1.764  -  House cusp  3: 26Aqu40",
};

TEST(ChartReading, SignOnlyNamesTheSignsWithDegreeKeepsTheDegreeAsItStands)
{
    const struct {
        SignDisplay display;
        const char* start;
        const char* part;
        const char* sun;
        const char* moon;
    } rows[] = {
        {SignDisplay::SignOnly, "Anno IVviii", "Anno IVviii Sol in Gemini, Luna in Leo", "Gemini",
         "Leo"},
        {SignDisplay::WithDegree, "", " Sol 13\u00B0 Gemini, Luna  5\u00B0 Leo", "13\u00B0 Gemini",
         " 5\u00B0 Leo"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(choiceIndex(row.display));
        ThelemicDate record;
        std::string part = row.start;
        readChartListing(kListing, row.display, record, part);
        EXPECT_EQ(part, row.part);
        EXPECT_EQ(record.sunText, row.sun);
        EXPECT_EQ(record.moonText, row.moon);
    }
}

TEST(ChartReading, PiecesFollowTheOrderOfTheListing)
{
    ThelemicDate record;
    std::string part;
    readChartListing({kListing[4], kListing[3]}, SignDisplay::SignOnly, record, part);
    EXPECT_EQ(part, ", Luna in Leo Sol in Gemini");
}

TEST(ChartReading, MissingLinesKeepThePreviousTexts)
{
    ThelemicDate record{"iv8", "Taurus", "Aries", "Solis"};
    std::string part;
    readChartListing({kListing[0], kListing[5]}, SignDisplay::SignOnly, record, part);
    EXPECT_EQ(part, "");
    EXPECT_EQ(record.sunText, "Taurus");
    EXPECT_EQ(record.moonText, "Aries");
}

TEST(ChartReading, ShortAndOddLinesGiveEmptyNamesWithoutFailing)
{
    ThelemicDate record;
    std::string part;
    readChartListing({"Sun", "Moon: 1", "Sun : 13Ge", "Sun : 13gem10", "Moonlight 12", ""},
                     SignDisplay::WithDegree, record, part);
    EXPECT_EQ(part, " Sol \u00B0 , Luna 1\u00B0  Sol 13\u00B0  Sol 13\u00B0 , Luna gh\u00B0 ");
    EXPECT_EQ(record.sunText, "13\u00B0 ");
}

}  // namespace
}  // namespace vantrel::core
