#include "core/batch/batch_input.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/common/error.h"

namespace vantrel::core {

namespace {

constexpr std::size_t kReadBytes = std::size_t{64} << 10;
constexpr int kWaitMs = 100;

// Where the bytes hold one that no text does: a control character but the tab, the line ends,
// the vertical tab, the form feed and the end-of-file mark of old DOS files.
std::size_t firstBinaryByte(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != 0x1A)
            return i;
    }
    return std::string_view::npos;
}

std::string hexByte(unsigned char c)
{
    const char* const digits = "0123456789ABCDEF";
    return std::string("0x") + digits[c >> 4] + digits[c & 15];
}

}  // namespace

BatchInput::BatchInput(const std::filesystem::path& path, std::string name)
    : m_name(std::move(name))
{
    // Without waiting for a writer, should it be a named pipe: the waits are in fill(), where
    // a stop ends them.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat status {};
    if (m_fd >= 0 && ::fstat(m_fd, &status) == 0 && !S_ISDIR(status.st_mode)) {
        m_regular = S_ISREG(status.st_mode);
        if (m_regular)
            m_size = static_cast<std::uint64_t>(status.st_size);
        return;
    }
    if (m_fd >= 0)
        ::close(m_fd);
    throw VantrelError(formatMessage("Cannot open file %s", m_name));
}

BatchInput::~BatchInput()
{
    ::close(m_fd);
}

bool BatchInput::fill(const std::function<bool()>& stopped)
{
    m_buffer.resize(kReadBytes);
    m_at = 0;
    for (;;) {
        // A pipe or a terminal may have nothing to read yet: wait, but not past a stop. A
        // regular file never makes a read wait.
        pollfd wait{m_fd, POLLIN, 0};
        while (!m_regular && ::poll(&wait, 1, kWaitMs) <= 0) {
            if (stopped && stopped()) {
                m_stopped = true;
                m_buffer.clear();
                return false;
            }
        }
        const ssize_t got = ::read(m_fd, m_buffer.data(), m_buffer.size());
        if (got > 0) {
            m_buffer.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (got == 0) {
            m_buffer.clear();
            return false;
        }
        if (errno == EINTR || errno == EAGAIN)
            continue;
        m_buffer.clear();
        throw VantrelError("Cannot read file " + visibleText(m_name) + ": " + std::strerror(errno));
    }
}

std::optional<LineChunk> BatchInput::next(std::size_t maxLines, std::size_t maxBytes,
                                          const std::function<bool()>& stopped)
{
    if (m_error)
        throw VantrelError(*m_error);
    LineChunk chunk;
    chunk.firstLine = m_nextLine;
    std::size_t chunkBytes = 0;
    while (chunk.lines.size() < maxLines && chunkBytes < maxBytes && !m_ended) {
        if (m_at == m_buffer.size() && !fill(stopped)) {
            if (m_stopped)
                return std::nullopt;
            m_ended = true;
            if (!m_partial.empty()) {
                chunk.bytes += m_partial.size();
                chunkBytes += m_partial.size();
                chunk.lines.push_back(std::move(m_partial));
                m_partial.clear();
                ++m_nextLine;
            }
            break;
        }
        if (m_skipLineFeed) {
            m_skipLineFeed = false;
            if (m_buffer[m_at] == '\n') {
                ++m_at;
                ++chunk.bytes;
                continue;
            }
        }
        const std::size_t end = m_buffer.find_first_of("\r\n", m_at);
        const std::size_t stop = end == std::string::npos ? m_buffer.size() : end;
        const std::string_view piece = std::string_view(m_buffer).substr(m_at, stop - m_at);
        if (const std::size_t binary = firstBinaryByte(piece); binary != std::string_view::npos) {
            m_error = visibleText(m_name) + ", line " + std::to_string(m_nextLine) +
                      " holds the byte " + hexByte(static_cast<unsigned char>(piece[binary])) +
                      " at column " + std::to_string(m_partial.size() + binary + 1) +
                      ": the input is not a text file";
        } else if (m_partial.size() + piece.size() > kMaxLineBytes) {
            m_error = visibleText(m_name) + ", line " + std::to_string(m_nextLine) +
                      " is longer than 1 MiB (" + std::to_string(kMaxLineBytes) + " bytes)";
        }
        if (m_error) {
            if (chunk.lines.empty())
                throw VantrelError(*m_error);
            return chunk;
        }
        m_partial.append(m_buffer, m_at, stop - m_at);
        chunk.bytes += stop - m_at;
        m_at = stop;
        if (end == std::string::npos)
            continue;
        m_skipLineFeed = m_buffer[end] == '\r';
        ++m_at;
        ++chunk.bytes;
        chunkBytes += m_partial.size();
        chunk.lines.push_back(std::move(m_partial));
        m_partial.clear();
        ++m_nextLine;
    }
    return chunk;
}

}  // namespace vantrel::core
