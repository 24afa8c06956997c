// The date-time pattern language and the listing's date-time reader: the input is both a pattern
// to format with and a text to read.

#include <cmath>

#include "core/common/date_format.h"
#include "core/common/date_parse.h"
#include "core/common/date_time.h"
#include "fuzz/fuzz_input.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = fuzz::textOf(data, size);
    const core::RegionalSettings regional = fuzz::regionalFrom(input);
    for (const core::DateTime moment :
         {core::dateTimeFromDate(2000, 6, 3) + 0.8356, core::dateTimeFromDate(1, 1, 1),
          core::dateTimeFromDate(9999, 12, 31) + 0.99999})
        core::formatDateTime(input, moment, regional);
    if (const auto read = core::parseLocaleDateTime(input, regional)) {
        fuzz::require(std::isfinite(*read), "a read date-time is a number");
        const core::CivilDate civil = core::dateFromDateTime(*read);
        fuzz::require(civil.year >= 1 && civil.year <= 9999, "a read date exists");
    }
    return 0;
}
