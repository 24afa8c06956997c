#include <gtest/gtest.h>

#include "core/calendar/feasts.h"
#include "tests/core/error_text.h"
#include "tests/fakes/fake_ports.h"

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

}  // namespace
}  // namespace vantrel::core
