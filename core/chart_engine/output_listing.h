#pragma once
// The text of the Astrolog data window: the engine's listings of the last calculation, each
// under its heading, in a fixed order.

#include <filesystem>
#include <string>
#include <vector>

namespace vantrel::core {

// One listing the data window shows: its file name and the lines put before its own lines.
struct OutputListing {
    const char* fileName;
    std::vector<std::string> headingLines;
};

// The listings in the order the data window shows them.
const std::vector<OutputListing>& outputListings();

// The lines to append to the data window for the listings found in workDir: for each listing
// that exists, its heading lines and then all its lines as they stand. A missing listing is
// skipped together with its heading. A listing that exists but cannot be opened raises
// VantrelError "Cannot open file %s".
std::vector<std::string> outputListingLines(const std::filesystem::path& workDir);

}  // namespace vantrel::core
