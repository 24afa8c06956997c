#pragma once
// How far a conversion has come, as the progress dialog and the terminal show it.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel::core {

struct BatchProgress {
    std::size_t linesDone = 0;
    std::uint64_t bytesDone = 0;              // of the input, by the lines done
    std::optional<std::uint64_t> bytesTotal;  // the input's size, when it is a regular file
    std::chrono::steady_clock::duration elapsed{};

    double linesPerSecond() const;
    // From the part of the input still to convert at the rate so far; nullopt while the input's
    // size or the rate is unknown.
    std::optional<std::chrono::seconds> timeLeft() const;
    // "12345 lines done, 8210 lines/s, 0:03 left" (the time left when known).
    std::string text() const;
};

}  // namespace vantrel::core
