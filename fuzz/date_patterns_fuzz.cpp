// The date-time pattern language and the listing's date-time reader: the input is both a pattern
// to format with and a text to read.

#include "core/common/date_format.h"
#include "core/common/date_parse.h"
#include "core/common/date_time.h"
#include "fuzz/fuzz_input.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = fuzz::textOf(data, size);
    const core::RegionalSettings regional = fuzz::regionalFrom(input);
    for (const core::LocalDateTime moment :
         {core::LocalDateTime{*core::Date::fromCivil(2000, 6, 3),
                              *core::TimeOfDay::fromClock(20, 3, 15, 840)},
          core::LocalDateTime{*core::Date::fromCivil(1, 1, 1), core::TimeOfDay()},
          core::LocalDateTime{*core::Date::fromCivil(9999, 12, 31),
                              *core::TimeOfDay::fromClock(23, 59, 59, 999)}})
        core::formatDateTime(input, moment, regional);
    if (const auto read = core::parseLocaleDateTime(input, regional)) {
        const core::CivilDate civil = read->date.civil();
        fuzz::require(civil.year >= 1 && civil.year <= 9999, "a read date exists");
    }
    return 0;
}
