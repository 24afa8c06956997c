// The engine's listings as the program reads them: the chart listing (Sun and Moon, and the
// check that says what is wrong with it), the rise-and-set listings and the alarm entries.

#include "core/alarm/alarm.h"
#include "core/common/text_file.h"
#include "core/hours/rise_set_reading.h"
#include "core/thelemic/chart_reading.h"
#include "fuzz/fuzz_input.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = fuzz::textOf(data, size);
    const core::RegionalSettings regional = fuzz::regionalFrom(input);
    core::TextFile listing;
    listing.status = core::TextFileStatus::Read;
    listing.lines = core::linesFromFileBytes(input);

    core::ThelemicDate record;
    std::string part;
    for (const auto display : {core::SignDisplay::SignOnly, core::SignDisplay::WithDegree})
        core::readChartListing(listing.lines, display, record, part);
    if (!core::chartListingProblem(listing, "chart.txt")) {
        fuzz::require(!record.sunText.empty() && !record.moonText.empty(),
                      "a listing without a problem gives the Sun and the Moon");
    }

    // The first half as the day's listing, the second as the next day's.
    const std::vector<std::string> day(listing.lines.begin(),
                                       listing.lines.begin() + listing.lines.size() / 2);
    const std::vector<std::string> next(listing.lines.begin() + listing.lines.size() / 2,
                                        listing.lines.end());
    core::RiseSetTimes times;
    for (const char* dayFirst : {"", "-Yd"})
        core::readRiseSetListings(day, next, dayFirst, regional, times);
    for (const std::string& line : listing.lines)
        core::alarmEntryFromListingLine(line, regional);
    return 0;
}
