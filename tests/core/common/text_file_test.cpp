#include "core/common/text_file.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using Lines = std::vector<std::string>;

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(TextFileLines, EveryLineEndCountsAndAFinalOneAddsNoLine)
{
    const std::pair<const char*, Lines> rows[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"", {}},
        {"no end", {"no end"}},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(splitLines(text), expected) << ::testing::PrintToString(std::string(text));
}

TEST(TextFileEncoding, Utf8KeptAndWindows1252Converted)
{
    EXPECT_EQ(utf8FromFileBytes("13\xC2\xB0 Gemini"), "13\xC2\xB0 Gemini");
    // The degree sign and "ae" as single Windows-1252 bytes.
    EXPECT_EQ(utf8FromFileBytes("13\xB0 \xE6"), "13\xC2\xB0 \xC3\xA6");
    // Curly quotes and the euro sign from the 0x80..0x9F block.
    EXPECT_EQ(utf8FromFileBytes("\x93x\x94 \x80"), "\xE2\x80\x9Cx\xE2\x80\x9D \xE2\x82\xAC");
    // Overlong forms and truncated sequences are not UTF-8.
    EXPECT_EQ(utf8FromFileBytes("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(utf8FromFileBytes("ab\xE2\x82"), "ab\xC3\xA2\xE2\x80\x9A");
}

TEST(TextFileEncoding, ByteOrderMarkIsNotPartOfTheFirstLine)
{
    std::istringstream in("\xEF\xBB\xBF"
                          "first\r\nsecond");
    EXPECT_EQ(readLines(in), (Lines{"first", "second"}));
}

TEST(TextFileReading, MissingFileOrFolderGivesNothing)
{
    testing::TempDir dir;
    EXPECT_FALSE(readLinesFromFile(dir.path() / "absent.txt"));
    EXPECT_FALSE(readLinesFromFile(dir.path()));
}

TEST(TextFileWriting, LinesEndInCrLfAndRoundTrip)
{
    testing::TempDir dir;
    const auto path = dir.path() / "out.txt";
    const Lines lines{"one", "", "13\xC2\xB0"};
    ASSERT_TRUE(writeLinesAtomically(path, lines));
    EXPECT_EQ(fileBytes(path), "one\r\n\r\n13\xC2\xB0\r\n");
    EXPECT_EQ(readLinesFromFile(path), lines);
}

TEST(TextFileWriting, ReplacesTheOldFileAndLeavesNoTemporaryBehind)
{
    testing::TempDir dir;
    const auto path = dir.path() / "out.txt";
    ASSERT_TRUE(writeFileAtomically(path, "a long first version\r\n"));
    ASSERT_TRUE(writeFileAtomically(path, "b"));
    EXPECT_EQ(fileBytes(path), "b");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(TextFileWriting, FailureInAReadOnlyFolderLeavesTheTargetUntouched)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    testing::TempDir dir;
    const auto path = dir.path() / "out.txt";
    ASSERT_TRUE(writeFileAtomically(path, "keep"));
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    const bool written = writeFileAtomically(path, "lost");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(path), "keep");
}

TEST(TextFileWriting, FailureWhenTheFolderCannotExist)
{
    testing::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir.path() / "plain", "keep"));
    EXPECT_FALSE(writeFileAtomically(dir.path() / "plain" / "inside.txt", "x"));
    EXPECT_FALSE(writeFileAtomically(dir.path() / "no" / "such.txt", "x"));
    EXPECT_EQ(fileBytes(dir.path() / "plain"), "keep");
}

TEST(TextFileWriting, AFolderInTheWayIsNotReplaced)
{
    testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "taken" / "child");
    EXPECT_FALSE(writeFileAtomically(dir.path() / "taken", "x"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken" / "child"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(TextFileWriting, WritingThroughALinkKeepsTheLink)
{
    testing::TempDir dir;
    const auto real = dir.path() / "real.txt";
    const auto link = dir.path() / "link.txt";
    ASSERT_TRUE(writeFileAtomically(real, "old"));
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(writeFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(fileBytes(real), "new");
}

}  // namespace
}  // namespace vantrel::core
