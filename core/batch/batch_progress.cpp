#include "core/batch/batch_progress.h"

#include <cmath>

namespace vantrel::core {

namespace {

std::string twoDigits(long long value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

double BatchProgress::linesPerSecond() const
{
    const double seconds = std::chrono::duration<double>(elapsed).count();
    return seconds > 0 ? static_cast<double>(linesDone) / seconds : 0.0;
}

std::optional<std::chrono::seconds> BatchProgress::timeLeft() const
{
    if (!bytesTotal || bytesDone == 0 || elapsed <= elapsed.zero())
        return std::nullopt;
    const double left = *bytesTotal > bytesDone ? static_cast<double>(*bytesTotal - bytesDone) : 0;
    const double seconds =
        std::chrono::duration<double>(elapsed).count() * left / static_cast<double>(bytesDone);
    return std::chrono::seconds(std::llround(seconds));
}

std::string BatchProgress::text() const
{
    std::string text = std::to_string(linesDone) + " lines done, " +
                       std::to_string(std::llround(linesPerSecond())) + " lines/s";
    if (const auto left = timeLeft()) {
        const long long seconds = left->count();
        text +=
            ", " +
            (seconds >= 3600 ? std::to_string(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60)
                             : std::to_string(seconds / 60)) +
            ":" + twoDigits(seconds % 60) + " left";
    }
    return text;
}

}  // namespace vantrel::core
