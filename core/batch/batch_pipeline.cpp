#include "core/batch/batch_pipeline.h"

namespace vantrel::core {

bool BatchPipeline::putChunk(LineChunk chunk)
{
    std::unique_lock lock(m_mutex);
    m_room.wait(lock, [&] { return m_stopped || m_read - m_written < m_capacity; });
    if (m_stopped)
        return false;
    m_pending.emplace_back(m_read++, std::move(chunk));
    m_work.notify_one();
    return true;
}

void BatchPipeline::endInput(std::optional<std::string> failure)
{
    const std::lock_guard lock(m_mutex);
    if (failure) {
        ChunkResult result;
        result.failure = std::move(failure);
        m_done.emplace(m_read++, std::move(result));
    }
    m_inputEnded = true;
    m_work.notify_all();
    m_results.notify_all();
}

std::optional<std::pair<std::size_t, LineChunk>>
BatchPipeline::takeChunk(std::optional<std::chrono::milliseconds> wait)
{
    std::unique_lock lock(m_mutex);
    const auto ready = [&] { return !m_pending.empty() || noMoreWork(); };
    if (wait)
        m_work.wait_for(lock, *wait, ready);
    else
        m_work.wait(lock, ready);
    if (m_stopped || m_pending.empty())
        return std::nullopt;
    auto chunk = std::move(m_pending.front());
    m_pending.pop_front();
    return chunk;
}

void BatchPipeline::putResult(std::size_t number, ChunkResult result)
{
    const std::lock_guard lock(m_mutex);
    m_done.emplace(number, std::move(result));
    m_results.notify_all();
}

BatchPipeline::Next BatchPipeline::nextResult(ChunkResult& result, std::chrono::milliseconds wait)
{
    std::unique_lock lock(m_mutex);
    const auto ready = [&] {
        return m_done.contains(m_written) || (m_inputEnded && m_written == m_read);
    };
    if (!m_results.wait_for(lock, wait, ready))
        return Next::Waiting;
    const auto found = m_done.find(m_written);
    if (found == m_done.end())
        return Next::Ended;
    result = std::move(found->second);
    m_done.erase(found);
    ++m_written;
    m_room.notify_one();
    return Next::Result;
}

void BatchPipeline::stop()
{
    const std::lock_guard lock(m_mutex);
    m_stopped = true;
    m_room.notify_all();
    m_work.notify_all();
    m_results.notify_all();
}

bool BatchPipeline::stopped() const
{
    const std::lock_guard lock(m_mutex);
    return m_stopped;
}

std::size_t BatchPipeline::chunksHeld() const
{
    const std::lock_guard lock(m_mutex);
    return m_read - m_written;
}

bool BatchPipeline::ended() const
{
    const std::lock_guard lock(m_mutex);
    return noMoreWork();
}

}  // namespace vantrel::core
