#pragma once
// Whole-file text reading and writing. Each line is read as UTF-8 when it is valid UTF-8 and as
// Windows-1252 otherwise, so that one stray byte garbles nothing beyond its own line; lines end
// at CR LF, a lone CR or a lone LF, and a final line end adds no empty line. Files are written as
// UTF-8 with every line ended by CR LF.

#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::core {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number, as the system's own
// conversion does: every byte keeps a character of its own, so nothing read is lost.
char32_t codePointFromWindows1252(unsigned char byte);

// Converts bytes that are not valid UTF-8 from Windows-1252; valid UTF-8 is returned unchanged.
std::string utf8FromFileBytes(std::string_view bytes);

std::vector<std::string> splitLines(std::string_view text);
// The lines of a file's bytes, each decoded on its own; a byte-order mark is dropped.
std::vector<std::string> linesFromFileBytes(std::string_view bytes);
std::vector<std::string> readLines(std::istream& in);

// No text file the program reads is anywhere near this long; a longer one (a link to /dev/zero,
// say) is refused instead of being read until memory runs out.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{16} << 20;

enum class TextFileStatus { Read, Missing, TooLarge, Unreadable };
struct TextFile {
    TextFileStatus status = TextFileStatus::Missing;
    std::vector<std::string> lines;  // when Read
};
struct FileBytes {
    TextFileStatus status = TextFileStatus::Missing;
    std::string bytes;  // when Read
};
// Reads a whole file of at most maxBytes, as the statuses below say.
FileBytes readFileBytes(const std::filesystem::path& path,
                        std::size_t maxBytes = kMaxTextFileBytes);
// Reads a whole text file of at most maxBytes. Missing: no such file (or a folder);
// Unreadable: it exists but cannot be opened or read.
TextFile readTextFile(const std::filesystem::path& path, std::size_t maxBytes = kMaxTextFileBytes);
// nullopt when the file does not exist, cannot be read or is longer than kMaxTextFileBytes.
std::optional<std::vector<std::string>> readLinesFromFile(const std::filesystem::path& path);

void writeLines(std::ostream& out, const std::vector<std::string>& lines);

// What replacing a file came to: written, or why not, in the system's words ("Permission
// denied", "No space left on device").
struct FileWritten {
    bool ok = false;
    std::string reason;  // when not ok
    explicit operator bool() const { return ok; }
};
// "Cannot create file NAME: REASON", the name made visible.
std::string cannotCreateMessage(const std::string& name, const std::string& reason);

// Replaces a file whole: writes a new file beside the target (created exclusively, so nothing
// that happens to bear its name is truncated, under a short name whatever the target's length),
// flushes it to the disk, renames it over the target and flushes the folder, so that neither a
// failure nor a crash leaves a partial or empty file. A target that exists must be a regular
// file that this process may write: a write-protected file is never replaced. Writing through a
// symbolic link replaces the file it points at; a link to nothing is refused. A file with other
// hard links is replaced, not rewritten in place: the other names keep the old content.
// On any failure the result says why; one before the rename leaves the target as it was.
// A file the program only writes for itself (a command file, a listing) may skip the flushing:
// it is still replaced whole or not at all, only not made to outlive a crash (after one it may
// be found empty).
enum class Flush { ToDisk, Skip };
FileWritten writeFileAtomically(const std::filesystem::path& path, std::string_view content,
                                Flush flush = Flush::ToDisk);

// As writeFileAtomically, but a file that already holds exactly `content` and could be replaced
// is left as it is: neither rewritten nor given a new time. For outputs rewritten on every
// calculation, most of them unchanged, where a replacement costs the file system far more than
// a read.
FileWritten writeFileUnlessSame(const std::filesystem::path& path, std::string_view content,
                                Flush flush = Flush::ToDisk);

// The same replacement written piece by piece: the new file is created beside the target at
// once (nothing when the target may not be replaced: ok() is then false) and renamed over it
// only by commit(). Destroyed or failed before that, it removes the new file and leaves the
// target as it was. failure() says why it failed.
class FileReplacement {
public:
    explicit FileReplacement(const std::filesystem::path& path, Flush flush = Flush::ToDisk);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    bool ok() const { return m_fd >= 0; }
    // False when the bytes cannot be written; the replacement is then abandoned.
    bool write(std::string_view bytes);
    // Syncs (unless skipped), renames over the target and syncs the folder; false on failure.
    bool commit();
    // Removes the new file; the target stays as it was.
    void abandon();
    const std::string& failure() const { return m_failure; }

private:
    // Records why, from errno unless a reason is given.
    void fail(std::string reason = {});

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_fd = -1;
    Flush m_flush;
    std::string m_failure;
};
FileWritten writeLinesAtomically(const std::filesystem::path& path,
                                 const std::vector<std::string>& lines);

}  // namespace vantrel::core
