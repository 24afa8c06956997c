#pragma once
// Picking one line at random from a text file.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/clock.h"

namespace vantrel::core {

// A source of uniform random indices.
class RandomDraw {
public:
    virtual ~RandomDraw() = default;
    // An index drawn uniformly from 0 to count - 1; count is at least 1.
    virtual std::size_t indexBelow(std::size_t count) = 0;
};

// Re-seeded from the clock (to the millisecond) before every draw, so two draws within the same
// millisecond give the same index.
class ClockSeededDraw : public RandomDraw {
public:
    explicit ClockSeededDraw(const Clock& clock) : m_clock(clock) {}
    std::size_t indexBelow(std::size_t count) override;

private:
    const Clock& m_clock;
};

// One of the lines, drawn uniformly; nullopt when there are none.
std::optional<std::string> pickRandomLine(const std::vector<std::string>& lines, RandomDraw& draw);
// One line of the file, empty lines included; nullopt when the file does not exist (or is a
// folder) or has no lines. Throws VantrelError("Cannot open file <file>") when the file exists
// but cannot be read.
std::optional<std::string> pickRandomLine(const std::filesystem::path& file, RandomDraw& draw);

// The lines of a file that must be read if it exists: nullopt when there is no such file,
// VantrelError("Cannot open file <file>") when it exists but cannot be read.
std::optional<std::vector<std::string>> readExistingTextFile(const std::filesystem::path& file);

}  // namespace vantrel::core
