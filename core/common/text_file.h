#pragma once
// Whole-file text reading and writing. Files are read as UTF-8 when they are valid UTF-8 and as
// Windows-1252 otherwise; lines end at CR LF, a lone CR or a lone LF, and a final line end adds
// no empty line. Files are written as UTF-8 with every line ended by CR LF.

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::core {

// Converts bytes that are not valid UTF-8 from Windows-1252; valid UTF-8 is returned unchanged.
std::string utf8FromFileBytes(std::string_view bytes);

std::vector<std::string> splitLines(std::string_view text);
std::vector<std::string> readLines(std::istream& in);
// nullopt when the file does not exist or cannot be opened.
std::optional<std::vector<std::string>> readLinesFromFile(const std::filesystem::path& path);

void writeLines(std::ostream& out, const std::vector<std::string>& lines);
// Writes beside the target, then renames over it, so that a failed or interrupted write never
// leaves a partial file. Returns false (and leaves the target untouched) on any failure.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);
bool writeLinesAtomically(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace vantrel::core
