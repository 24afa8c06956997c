#include "core/chart_engine/output_listing.h"

#include <system_error>

#include "core/common/error.h"
#include "core/common/text_file.h"

namespace vantrel::core {

const std::vector<OutputListing>& outputListings()
{
    static const std::vector<OutputListing> listings = {
        {"chart.txt", {}},
        {"wheel.txt", {" "}},
        {"riseset.txt", {" ", "Rise and Set Times"}},
        {"risesetn.txt", {" ", "Rise and Set Times (next day)"}},
        {"aspects.txt", {" ", "Aspect Charts"}},
    };
    return listings;
}

std::vector<std::string> outputListingLines(const std::filesystem::path& workDir)
{
    std::vector<std::string> result;
    for (const OutputListing& listing : outputListings()) {
        const std::filesystem::path path = workDir / listing.fileName;
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            continue;
        const auto lines = readLinesFromFile(path);
        if (!lines)
            throw VantrelError(formatMessage("Cannot open file %s", path.string()));
        result.insert(result.end(), listing.headingLines.begin(), listing.headingLines.end());
        result.insert(result.end(), lines->begin(), lines->end());
    }
    return result;
}

}  // namespace vantrel::core
