#pragma once
// The input of a conversion, read once from its start to its end in chunks of whole lines, so
// that a pipe or a process substitution works as well as a file and no input is ever held whole.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::core {

// Lines as they were read, without their line ends and undecoded.
struct LineChunk {
    std::size_t firstLine = 1;  // the number of its first line, counted from 1
    std::vector<std::string> lines;
    std::uint64_t bytes = 0;  // what these lines took of the input, line ends included
};

class BatchInput {
public:
    // No line of a batch file is near this long; a longer one (a binary file, /dev/zero) is
    // refused with its number instead of being read until memory runs out.
    static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

    // Opens the file; throws VantrelError "Cannot open file NAME" (the name as the user gave it)
    // when it cannot be opened or is a folder.
    BatchInput(const std::filesystem::path& path, std::string name);
    ~BatchInput();
    BatchInput(const BatchInput&) = delete;
    BatchInput& operator=(const BatchInput&) = delete;

    // The size of a regular file; nullopt for a pipe or a device.
    std::optional<std::uint64_t> size() const { return m_size; }

    // The next lines: at most maxLines, and no more once maxBytes are reached; none at the end of
    // the input. Lines end at CR LF, a lone CR or a lone LF; a final line without an end counts;
    // a line end at the very end adds no empty line. A wait for more input asks `stopped` every
    // tenth of a second and gives nullopt once it says true. Throws VantrelError "NAME, line N
    // is longer than 1 MiB" and "NAME, line N holds the byte 0x00 at column C: the input is not
    // a text file" (after giving the lines before it) and "Cannot read file NAME: why".
    std::optional<LineChunk> next(std::size_t maxLines, std::size_t maxBytes,
                                  const std::function<bool()>& stopped);

private:
    // Refills the buffer; false at the end of the input or when stopped (m_stopped set).
    bool fill(const std::function<bool()>& stopped);

    std::string m_name;
    int m_fd = -1;
    bool m_regular = false;
    std::optional<std::uint64_t> m_size;
    std::string m_buffer;
    std::size_t m_at = 0;
    bool m_ended = false;
    bool m_stopped = false;
    bool m_skipLineFeed = false;  // the last line ended with CR; a LF right after belongs to it
    std::size_t m_nextLine = 1;
    std::string m_partial;               // the line being read
    std::optional<std::string> m_error;  // thrown at the next call, after the lines before it
};

}  // namespace vantrel::core
