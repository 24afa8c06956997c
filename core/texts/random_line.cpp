#include "core/texts/random_line.h"

#include <cstdint>
#include <random>

#include "core/common/error.h"
#include "core/common/text_file.h"

namespace vantrel::core {

std::size_t ClockSeededDraw::indexBelow(std::size_t count)
{
    const std::int64_t msec = m_clock.now().time_since_epoch().count();
    std::mt19937_64 generator(static_cast<std::uint64_t>(msec));
    std::uniform_int_distribution<std::size_t> uniform(0, count - 1);
    return uniform(generator);
}

std::optional<std::string> pickRandomLine(const std::vector<std::string>& lines, RandomDraw& draw)
{
    if (lines.empty())
        return std::nullopt;
    const std::size_t index = draw.indexBelow(lines.size());
    return index < lines.size() ? std::optional(lines[index]) : std::nullopt;
}

std::optional<std::vector<std::string>> readExistingTextFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::exists(file, error) || std::filesystem::is_directory(file, error))
        return std::nullopt;
    auto lines = readLinesFromFile(file);
    if (!lines)
        throw VantrelError(formatMessage("Cannot open file %s", file.string()));
    return lines;
}

std::optional<std::string> pickRandomLine(const std::filesystem::path& file, RandomDraw& draw)
{
    const auto lines = readExistingTextFile(file);
    if (!lines)
        return std::nullopt;
    return pickRandomLine(*lines, draw);
}

}  // namespace vantrel::core
