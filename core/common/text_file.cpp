#include "core/common/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <system_error>
#include <utility>

#include "core/common/error.h"

// The durable write needs what the standard library does not offer: exclusive creation with the
// usual mode, fsync, and the access check; these are POSIX.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::core {

namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F; every other byte is the Latin-1
// character of the same number.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Runs of ASCII, eight bytes at a time.
        for (std::uint64_t word = 0; bytes.size() - i >= sizeof word; i += sizeof word) {
            std::memcpy(&word, bytes.data() + i, sizeof word);
            if (word & 0x8080808080808080u)
                break;
        }
        if (i == bytes.size())
            break;
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        char32_t min = 0;
        char32_t cp = 0;
        if (b0 < 0x80) {
            ++i;
            continue;
        } else if ((b0 & 0xE0) == 0xC0) {
            length = 2, min = 0x80, cp = b0 & 0x1F;
        } else if ((b0 & 0xF0) == 0xE0) {
            length = 3, min = 0x800, cp = b0 & 0x0F;
        } else if ((b0 & 0xF8) == 0xF0) {
            length = 4, min = 0x10000, cp = b0 & 0x07;
        } else {
            return false;
        }
        if (bytes.size() - i < static_cast<std::size_t>(length))
            return false;
        for (int k = 1; k < length; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

std::string systemReason(int error)
{
    return std::generic_category().message(error);
}

// Creates a new file with a random name beside target, failing rather than opening one that
// exists. Returns the descriptor (-1 on failure, with `error` set to the errno) and the name:
// a dot, the start of the target's name (cut at a character's boundary), a random number. Short
// whatever the target's length, so that it stays within the file system's limit on a name
// wherever the target's own name does.
std::pair<int, std::filesystem::path> createBeside(const std::filesystem::path& target, int& error)
{
    constexpr std::size_t kNameStart = 32;
    const std::string name = target.filename().string();
    std::size_t kept = std::min(name.size(), kNameStart);
    while (kept > 0 && kept < name.size() &&
           (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80)
        --kept;
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temporary = target;
        temporary.replace_filename("." + name.substr(0, kept) + "." + std::to_string(entropy()) +
                                   ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        error = errno;
        if (fd >= 0 || error != EEXIST)
            return {fd, temporary};
    }
    return {-1, {}};
}

bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes a rename in the folder survive a crash. A folder this process may not read, and file
// systems that cannot sync a folder (EINVAL), are left to the system.
bool syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

}  // namespace

char32_t codePointFromWindows1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char32_t{byte};
}

std::string utf8FromFileBytes(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes)
        appendUtf8(out, codePointFromWindows1252(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    const char* at = text.data();
    const char* const end = at + text.size();
    // The next LF at or after `at`, kept while lines ended by a lone CR lie before it, so that a
    // file of such lines is not searched to its end for each of them.
    const char* lineFeed = nullptr;
    bool lineFeedSought = false;
    while (at < end) {
        if (!lineFeedSought || (lineFeed && lineFeed < at)) {
            lineFeed = static_cast<const char*>(std::memchr(at, '\n', end - at));
            lineFeedSought = true;
        }
        // The first line end: that LF, or a CR before it.
        const char* const stop = lineFeed ? lineFeed : end;
        const auto* carriageReturn = static_cast<const char*>(std::memchr(at, '\r', stop - at));
        const char* const lineEnd = carriageReturn ? carriageReturn : stop;
        lines.emplace_back(at, lineEnd);
        if (lineEnd == end)
            break;
        at = lineEnd + (*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::vector<std::string> linesFromFileBytes(std::string_view bytes)
{
    // A byte-order mark written by some editors is not part of the first line.
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::vector<std::string> lines = splitLines(bytes);
    for (std::string& line : lines) {
        if (!isValidUtf8(line))
            line = utf8FromFileBytes(line);
    }
    return lines;
}

std::vector<std::string> readLines(std::istream& in)
{
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return linesFromFileBytes(bytes);
}

FileBytes readFileBytes(const std::filesystem::path& path, std::size_t maxBytes)
{
    FileBytes file;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status) || std::filesystem::is_directory(status))
        return file;
    file.status = TextFileStatus::Unreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return file;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        file.bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (file.bytes.size() > maxBytes) {
            file.bytes.clear();
            file.status = TextFileStatus::TooLarge;
            return file;
        }
    }
    if (in.bad()) {
        file.bytes.clear();
        return file;
    }
    file.status = TextFileStatus::Read;
    return file;
}

TextFile readTextFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    FileBytes bytes = readFileBytes(path, maxBytes);
    TextFile file;
    file.status = bytes.status;
    if (bytes.status == TextFileStatus::Read)
        file.lines = linesFromFileBytes(bytes.bytes);
    return file;
}

std::optional<std::vector<std::string>> readLinesFromFile(const std::filesystem::path& path)
{
    TextFile file = readTextFile(path);
    if (file.status != TextFileStatus::Read)
        return std::nullopt;
    return std::move(file.lines);
}

void writeLines(std::ostream& out, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        out << line << "\r\n";
}

std::string cannotCreateMessage(const std::string& name, const std::string& reason)
{
    std::string message = formatMessage("Cannot create file %s", name);
    if (!reason.empty())
        message += ": " + reason;
    return message;
}

FileReplacement::FileReplacement(const std::filesystem::path& path, Flush flush) : m_flush(flush)
{
    namespace fs = std::filesystem;
    std::error_code error;
    // Writing through a link replaces the file it points at, not the link; a link to nothing
    // is refused rather than replaced by a file of its own.
    m_target = path;
    if (fs::is_symlink(path, error)) {
        m_target = fs::canonical(path, error);
        if (error == std::errc::no_such_file_or_directory) {
            const fs::path pointsAt = fs::read_symlink(path, error);
            fail("Symbolic link to " + visibleText(pointsAt.string()) + ", which does not exist");
            return;
        }
        if (error) {
            fail(error.message());
            return;
        }
    }
    struct stat existing {};
    const bool exists = ::stat(m_target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) {
        fail();
        return;
    }
    // The rename would replace a read-only file (or a device) as readily as any other.
    if (exists && !S_ISREG(existing.st_mode)) {
        fail(S_ISDIR(existing.st_mode) ? systemReason(EISDIR) : "Not a regular file");
        return;
    }
    if (exists && ::access(m_target.c_str(), W_OK) != 0) {
        fail();
        return;
    }
    int createError = 0;
    auto [fd, temporary] = createBeside(m_target, createError);
    if (fd < 0) {
        fail(systemReason(createError));
        return;
    }
    // A new file gets the usual mode (0666 less the umask, applied by open); a replaced one
    // keeps its own.
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        fail();
        ::close(fd);
        ::unlink(temporary.c_str());
        return;
    }
    m_fd = fd;
    m_temporary = std::move(temporary);
}

FileReplacement::~FileReplacement()
{
    abandon();
}

void FileReplacement::fail(std::string reason)
{
    if (m_failure.empty())
        m_failure = reason.empty() ? systemReason(errno) : std::move(reason);
}

bool FileReplacement::write(std::string_view bytes)
{
    if (m_fd < 0)
        return false;
    if (!writeAll(m_fd, bytes)) {
        fail();
        abandon();
        return false;
    }
    return true;
}

namespace {

// Puts the new file in the target's place. A file the program only writes for itself is
// exchanged with the one it replaces, which is then removed: a reader still finds the old file
// or the new one, whole, never neither; but ext4 does not write the new file's data out there
// and then, as it does when a rename replaces a file, at ten times the cost. A target that does
// not exist yet, and a file system that cannot exchange, take a plain rename.
bool putInPlace(const std::filesystem::path& temporary, const std::filesystem::path& target,
                Flush flush)
{
    if (flush == Flush::Skip &&
        ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temporary.c_str());
        return true;
    }
    return ::rename(temporary.c_str(), target.c_str()) == 0;
}

}  // namespace

bool FileReplacement::commit()
{
    if (m_fd < 0)
        return false;
    bool ok = m_flush == Flush::Skip || ::fsync(m_fd) == 0;
    if (!ok)
        fail();
    if (::close(std::exchange(m_fd, -1)) != 0 && ok) {
        fail();
        ok = false;
    }
    if (ok && !putInPlace(m_temporary, m_target, m_flush)) {
        fail();
        ok = false;
    }
    if (!ok) {
        ::unlink(m_temporary.c_str());
        return false;
    }
    const std::filesystem::path folder =
        m_target.has_parent_path() ? m_target.parent_path() : std::filesystem::path(".");
    if (m_flush == Flush::Skip || syncFolder(folder))
        return true;
    fail();
    return false;
}

void FileReplacement::abandon()
{
    if (m_fd < 0)
        return;
    ::close(std::exchange(m_fd, -1));
    ::unlink(m_temporary.c_str());
}

FileWritten writeFileAtomically(const std::filesystem::path& path, std::string_view content,
                                Flush flush)
{
    FileReplacement file(path, flush);
    if (file.write(content) && file.commit())
        return {true, {}};
    return {false, file.failure()};
}

namespace {

// The file at `path` is a regular file this process may write that holds exactly `content`.
bool holdsExactly(const std::filesystem::path& path, std::string_view content)
{
    // Not waiting for a writer to a pipe that bears the name: only a regular file can match.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    bool same = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                static_cast<std::size_t>(status.st_size) == content.size() &&
                ::access(path.c_str(), W_OK) == 0;
    std::string held(same ? content.size() : 0, '\0');
    for (std::size_t at = 0; same && at < held.size();) {
        const ssize_t got = ::read(fd, held.data() + at, held.size() - at);
        if (got < 0 && errno == EINTR)
            continue;
        same = got > 0;
        at += same ? static_cast<std::size_t>(got) : 0;
    }
    ::close(fd);
    return same && held == content;
}

}  // namespace

FileWritten writeFileUnlessSame(const std::filesystem::path& path, std::string_view content,
                                Flush flush)
{
    if (holdsExactly(path, content))
        return {true, {}};
    return writeFileAtomically(path, content, flush);
}

FileWritten writeLinesAtomically(const std::filesystem::path& path,
                                 const std::vector<std::string>& lines)
{
    std::ostringstream out;
    writeLines(out, lines);
    return writeFileAtomically(path, out.str());
}

}  // namespace vantrel::core
