#include "core/batch/comma_text.h"

#include <gtest/gtest.h>

namespace vantrel::core {
namespace {

using Fields = std::vector<std::string>;

struct SplitCase {
    const char* name;
    const char* line;
    Fields fields;
};

class CommaTextSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommaTextSplit, GivesTheFields)
{
    EXPECT_EQ(splitCommaText(GetParam().line), GetParam().fields);
}

// Rows follow the split rule of the batch input format: blanks separate like commas, quotes
// group, doubled quotes reduce, a trailing comma adds nothing, two commas make an empty field.
INSTANTIATE_TEST_SUITE_P(
    Rules, CommaTextSplit,
    ::testing::Values(
        SplitCase{"Plain",
                  "Ann,birthday,3/14/2001,21:07,5,74W00,40N43",
                  {"Ann", "birthday", "3/14/2001", "21:07", "5", "74W00", "40N43"}},
        SplitCase{"BlankSeparatesLikeComma", "a,9:07 PM,b", {"a", "9:07", "PM", "b"}},
        SplitCase{"QuotedKeepsBlank", "a,\"9:07 PM\",b", {"a", "9:07 PM", "b"}},
        SplitCase{"QuotedKeepsComma", "\"Smith, Ann\",x", {"Smith, Ann", "x"}},
        SplitCase{"DoubledQuoteIsOneQuote", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        SplitCase{"EmptyQuoted", "\"\",x", {"", "x"}},
        SplitCase{"TwoCommasGiveEmptyField", "a,,b", {"a", "", "b"}},
        SplitCase{"LeadingCommaGivesEmptyField", ",a", {"", "a"}},
        SplitCase{"TrailingCommaAddsNothing", "a,b,", {"a", "b"}},
        SplitCase{"BlanksAroundCommaIgnored", "  a  ,  b\t, c  ", {"a", "b", "c"}},
        SplitCase{"BlankBetweenCommasIsEmptyField", "a, ,b", {"a", "", "b"}},
        SplitCase{"ControlCharactersSeparate",
                  "a\x01"
                  "b\x1f"
                  "c",
                  {"a", "b", "c"}},
        SplitCase{"QuoteInsidePlainFieldIsKept", "ab\"c,d", {"ab\"c", "d"}},
        SplitCase{"TextAfterClosingQuoteIsNextField", "\"ab\"cd,e", {"ab", "cd", "e"}},
        SplitCase{"UnclosedQuoteRunsToEnd", "a,\"b, c", {"a", "b, c"}},
        SplitCase{"EmptyLine", "", {}}, SplitCase{"OnlyBlanks", "   \t ", {}},
        SplitCase{"EightBitTextIsNoSeparator", "Jos\xC3\xA9,x", {"Jos\xC3\xA9", "x"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CommaTextValue, PlainValuesAreWrittenAsTheyAre)
{
    EXPECT_EQ(commaTextValue("Ann"), "Ann");
    EXPECT_EQ(commaTextValue(" 5\xC2\xB0 Leo"), " 5\xC2\xB0 Leo");
    EXPECT_EQ(commaTextValue(""), "");
}

TEST(CommaTextValue, CommaOrQuoteIsQuotedWithQuotesDoubled)
{
    EXPECT_EQ(commaTextValue("Smith, Ann"), "\"Smith, Ann\"");
    EXPECT_EQ(commaTextValue("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(commaTextValue("\""), "\"\"\"\"");
}

TEST(CommaTextValue, QuotedValuesReadBackThroughTheSplit)
{
    const Fields values = {"Smith, Ann", "say \"hi\", twice", "\"", ",", "plain"};
    std::string line;
    for (const auto& value : values)
        line += commaTextValue(value) + ",";
    EXPECT_EQ(splitCommaText(line), values);
}

}  // namespace
}  // namespace vantrel::core
