#include "core/common/text_file.h"

#include <csignal>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/fakes/as_user.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::core {
namespace {

using Lines = std::vector<std::string>;

int entryCount(const std::filesystem::path& folder)
{
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++entries;
    return entries;
}

// Each file test gets a fresh folder and a target file in it.
class TextFileFolder : public ::testing::Test {
protected:
    testing::TempDir dir;
    const std::filesystem::path path = dir.path() / "out.txt";
};
using TextFileReading = TextFileFolder;
using TextFileWriting = TextFileFolder;
using TextFileAsUser = TextFileFolder;

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
        {"a\rb\rc\nd\re", {"a", "b", "c", "d", "e"}},
        {"\na\r\n\rb", {"", "a", "", "b"}},
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
    EXPECT_EQ(utf8FromFileBytes("Sun in Gemini 13\xB0"), "Sun in Gemini 13\xC2\xB0");
    // Curly quotes and the euro sign from the 0x80..0x9F block.
    EXPECT_EQ(utf8FromFileBytes("\x93x\x94 \x80"), "\xE2\x80\x9Cx\xE2\x80\x9D \xE2\x82\xAC");
    // The bytes the code page leaves undefined keep a character each: the C1 control.
    EXPECT_EQ(utf8FromFileBytes("\x81\x8D\x9D"), "\xC2\x81\xC2\x8D\xC2\x9D");
    // Overlong forms and truncated sequences are not UTF-8.
    EXPECT_EQ(utf8FromFileBytes("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(utf8FromFileBytes("ab\xE2\x82"), "ab\xC3\xA2\xE2\x80\x9A");
}

TEST(TextFileEncoding, EachLineIsDecodedOnItsOwn)
{
    // One Windows-1252 byte in an otherwise UTF-8 file garbles no other line.
    EXPECT_EQ(linesFromFileBytes("caf\xC3\xA9\r\n13\xB0\r\n\xC3\xA6"),
              (Lines{"caf\xC3\xA9", "13\xC2\xB0", "\xC3\xA6"}));
}

TEST(TextFileEncoding, ByteOrderMarkIsNotPartOfTheFirstLine)
{
    std::istringstream in("\xEF\xBB\xBF"
                          "first\r\nsecond");
    EXPECT_EQ(readLines(in), (Lines{"first", "second"}));
}

TEST_F(TextFileReading, MissingFileOrFolderGivesNothing)
{
    EXPECT_FALSE(readLinesFromFile(dir.path() / "absent.txt"));
    EXPECT_FALSE(readLinesFromFile(dir.path()));
    EXPECT_EQ(readTextFile(dir.path()).status, TextFileStatus::Missing);
}

TEST_F(TextFileReading, ReadingStopsAtTheSizeLimit)
{
    testing::writeWholeFile(dir.path() / "eleven.txt", "0123456789\n");
    EXPECT_EQ(readTextFile(dir.path() / "eleven.txt", 11).lines, Lines{"0123456789"});
    EXPECT_EQ(readTextFile(dir.path() / "eleven.txt", 10).status, TextFileStatus::TooLarge);
    // A file without end is refused, not read until memory runs out.
    std::filesystem::create_symlink("/dev/zero", dir.path() / "endless.txt");
    EXPECT_EQ(readTextFile(dir.path() / "endless.txt", 1 << 20).status, TextFileStatus::TooLarge);
    EXPECT_FALSE(readLinesFromFile(dir.path() / "endless.txt"));
}

TEST_F(TextFileWriting, LinesEndInCrLfAndRoundTrip)
{
    const Lines lines{"one", "", "13\xC2\xB0"};
    ASSERT_TRUE(writeLinesAtomically(path, lines));
    EXPECT_EQ(testing::readWholeFile(path), "one\r\n\r\n13\xC2\xB0\r\n");
    EXPECT_EQ(readLinesFromFile(path), lines);
}

TEST_F(TextFileWriting, ReplacesTheOldFileAndLeavesNoTemporaryBehind)
{
    // Flushed or not: a file with a second name is replaced, not rewritten in place.
    const auto other = dir.path() / "other name";
    for (const Flush flush : {Flush::ToDisk, Flush::Skip}) {
        std::filesystem::remove(path);
        ASSERT_TRUE(writeFileAtomically(path, "a long first version\r\n", flush));
        std::filesystem::create_hard_link(path, other);
        ASSERT_TRUE(writeFileAtomically(path, "b", flush));
        EXPECT_EQ(testing::readWholeFile(path), "b");
        EXPECT_EQ(testing::readWholeFile(other), "a long first version\r\n");
        std::filesystem::remove(other);
        EXPECT_EQ(entryCount(dir.path()), 1);
    }
}

TEST_F(TextFileWriting, AFileThatHoldsTheBytesAlreadyIsNotRewritten)
{
    const auto inode = [this] {
        struct stat status {};
        ::stat(path.c_str(), &status);
        return status.st_ino;
    };
    ASSERT_TRUE(writeFileAtomically(path, "same"));
    const auto first = inode();
    ASSERT_TRUE(writeFileUnlessSame(path, "same"));
    EXPECT_EQ(inode(), first) << "replaced by a new file";
    for (const char* other : {"SAME", "same\n", ""}) {
        ASSERT_TRUE(writeFileUnlessSame(path, other));
        EXPECT_EQ(testing::readWholeFile(path), other);
    }
    EXPECT_NE(inode(), first);
    EXPECT_EQ(entryCount(dir.path()), 1);
}

TEST_F(TextFileWriting, AFullDiskLeavesTheOldFileAndNoTemporary)
{
    ASSERT_TRUE(writeFileAtomically(path, "keep"));
    // The file size limit fails the write as a full disk would, in a child of its own.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(writeFileAtomically(path, std::string(4096, 'x')) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "a failed write reported as done";
    EXPECT_EQ(testing::readWholeFile(path), "keep");
    EXPECT_EQ(entryCount(dir.path()), 1);
}

TEST_F(TextFileAsUser, AWriteProtectedFileIsNeverReplaced)
{
    VANTREL_SKIP_AS_ROOT();
    ASSERT_TRUE(writeFileAtomically(path, "keep"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(writeFileAtomically(path, "lost").reason, "Permission denied");
    EXPECT_EQ(writeFileUnlessSame(path, "keep").reason, "Permission denied");
    EXPECT_EQ(testing::readWholeFile(path), "keep");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read);
    EXPECT_EQ(entryCount(dir.path()), 1);
}

TEST_F(TextFileAsUser, FailureInAReadOnlyFolderLeavesTheTargetUntouched)
{
    VANTREL_SKIP_AS_ROOT();
    ASSERT_TRUE(writeFileAtomically(path, "keep"));
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    const FileWritten written = writeFileAtomically(path, "lost");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(written.reason, "Permission denied");
    EXPECT_EQ(testing::readWholeFile(path), "keep");
}

TEST_F(TextFileWriting, WhatCannotBeReplacedIsLeftAsItIsWithTheReason)
{
    namespace fs = std::filesystem;
    const auto pipe = dir.path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    fs::create_symlink(pipe, dir.path() / "link");
    fs::create_symlink(dir.path() / "gone.txt", dir.path() / "dangling");
    fs::create_directories(dir.path() / "taken" / "child");
    ASSERT_TRUE(writeFileAtomically(dir.path() / "plain", "keep"));
    const struct {
        const char* target;
        std::string reason;
    } rows[] = {
        {"pipe", "Not a regular file"},
        {"link", "Not a regular file"},
        {"dangling",
         "Symbolic link to " + (dir.path() / "gone.txt").string() + ", which does not exist"},
        {"taken", "Is a directory"},
        {"plain/inside.txt", "Not a directory"},
        {"no/such.txt", "No such file or directory"},
    };
    // Neither writer waits on the pipe (the one that compares first must not open it to read).
    for (const auto write : {&writeFileAtomically, &writeFileUnlessSame}) {
        for (const auto& row : rows) {
            const FileWritten written = write(dir.path() / row.target, "x", Flush::ToDisk);
            EXPECT_FALSE(written) << row.target;
            EXPECT_EQ(written.reason, row.reason) << row.target;
        }
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling"));
    EXPECT_FALSE(fs::exists(dir.path() / "gone.txt"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "taken" / "child"));
    EXPECT_EQ(testing::readWholeFile(dir.path() / "plain"), "keep");
    EXPECT_EQ(entryCount(dir.path()), 5);
}

// The new file beside the target has a short name of its own: a target's name at the file
// system's limit of 255 bytes is written too.
TEST_F(TextFileWriting, ANameAtTheLengthLimitIsWritten)
{
    const auto longest = dir.path() / std::string(255, 'n');
    EXPECT_TRUE(writeFileAtomically(longest, "x"));
    EXPECT_EQ(testing::readWholeFile(longest), "x");
}

TEST_F(TextFileWriting, WritingThroughALinkKeepsTheLink)
{
    const auto real = dir.path() / "real.txt";
    const auto link = dir.path() / "link.txt";
    ASSERT_TRUE(writeFileAtomically(real, "old"));
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(writeFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::readWholeFile(real), "new");
}

}  // namespace
}  // namespace vantrel::core
