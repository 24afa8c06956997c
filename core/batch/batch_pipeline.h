#pragma once
// The conversion's hand-over between its threads: the reader puts chunks of lines in, the workers
// take them and put their results back, and the writer takes the results in the input's order.
// At most `capacity` chunks are between the reader and the writer at any time, so that memory
// stays bounded whatever the input's length.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/batch/batch_input.h"
#include "core/batch/line_conversion.h"

namespace vantrel::core {

// What converting a chunk gave.
struct ChunkResult {
    std::string output;
    std::size_t linesDone = 0;
    std::uint64_t bytesDone = 0;
    std::optional<LinePlace> lastPlace;  // of the last line converted
    LocalDateTime lastMoment;
    std::vector<LineMessages::Message> messages;
    // The first line that failed: the whole message.
    std::optional<std::string> failure;
    bool stopped = false;  // a running engine was stopped
};

class BatchPipeline {
public:
    explicit BatchPipeline(std::size_t capacity) : m_capacity(capacity) {}

    // The reader: waits for room; false once stopped.
    bool putChunk(LineChunk chunk);
    // The reader: the input ended, with the failure that ended it (after the chunks put).
    void endInput(std::optional<std::string> failure = std::nullopt);

    // A worker: the next chunk and its number; waits at most `wait` (forever when nullopt).
    // nullopt when there is none yet, or none will come (ended() then says so).
    std::optional<std::pair<std::size_t, LineChunk>>
    takeChunk(std::optional<std::chrono::milliseconds> wait = std::nullopt);
    void putResult(std::size_t number, ChunkResult result);

    enum class Next { Result, Waiting, Ended };
    // The writer: the next result in the input's order, waiting at most `wait`.
    Next nextResult(ChunkResult& result, std::chrono::milliseconds wait);

    // Wakes every waiting thread; the reader and the workers then stop.
    void stop();
    bool stopped() const;
    // Chunks read and not yet written: never more than the capacity.
    std::size_t chunksHeld() const;
    // True once the input ended and every chunk was taken.
    bool ended() const;

private:
    bool noMoreWork() const { return m_stopped || (m_inputEnded && m_pending.empty()); }

    const std::size_t m_capacity;
    mutable std::mutex m_mutex;
    std::condition_variable m_room, m_work, m_results;
    std::deque<std::pair<std::size_t, LineChunk>> m_pending;
    std::map<std::size_t, ChunkResult> m_done;
    std::size_t m_read = 0;     // chunks put by the reader
    std::size_t m_written = 0;  // results taken by the writer
    bool m_inputEnded = false;
    bool m_stopped = false;
};

}  // namespace vantrel::core
