// A batch line: the comma-text split, the date and time readers on its fields, and the output's
// quoting, which the split must read back as the value written.

#include <algorithm>

#include "core/batch/batch_date_time.h"
#include "core/batch/comma_text.h"
#include "core/common/date_time.h"
#include "fuzz/fuzz_input.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input = fuzz::textOf(data, size);
    const core::RegionalSettings regional = fuzz::regionalFrom(input);
    const core::Date today = *core::Date::fromCivil(2026, 6, 1);
    const std::vector<std::string> fields = core::splitCommaText(input);
    for (const std::string& field : fields) {
        if (const auto date = core::readBatchDate(field, regional, today)) {
            const core::CivilDate civil = date->civil();
            fuzz::require(civil.year >= 1 && civil.year <= 9999, "a read date exists");
        }
        if (const auto time = core::readBatchTime(field, regional))
            fuzz::require(time->sinceMidnight() >= std::chrono::milliseconds(0) &&
                              time->sinceMidnight() < core::TimeOfDay::kDay,
                          "a read time lies within the day");
        // A value without blanks or control characters (which are written as they stand, and so
        // separate fields when read) is written so that the split gives it back.
        const bool plain = std::none_of(field.begin(), field.end(),
                                        [](char c) { return static_cast<unsigned char>(c) <= 32; });
        if (plain && !field.empty()) {
            const auto back = core::splitCommaText(core::commaTextValue(field));
            fuzz::require(back.size() == 1 && back.front() == field, "a written value reads back");
        }
    }
    return 0;
}
