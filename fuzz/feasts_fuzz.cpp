// The feasts file's text: every line is a feast, a problem or nothing, and a feast read holds
// a day that exists (or a sign) and a name.

#include "core/calendar/feasts.h"
#include "core/common/date_time.h"
#include "core/common/text_file.h"
#include "fuzz/fuzz_input.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> lines = core::linesFromFileBytes(fuzz::textOf(data, size));
    std::size_t read = 0;
    for (const std::string& line : lines) {
        const core::FeastLine feastLine = core::readFeastLine(line);
        fuzz::require(!(feastLine.feast && !feastLine.problem.empty()), "a feast or a problem");
        if (!feastLine.feast) {
            read += !feastLine.problem.empty();
            continue;
        }
        ++read;
        const core::Feast& feast = *feastLine.feast;
        const std::string& name = feast.name;
        fuzz::require(!name.empty() && name.find('#') == std::string::npos && name.front() != ' ' &&
                          name.back() != ' ',
                      "the name is the rest of the line, trimmed, without the comment");
        if (feast.day == core::Feast::Day::CivilDate)
            fuzz::require(feast.dayOfMonth >= 1 &&
                              feast.dayOfMonth <= core::daysInMonth(2000, feast.month),
                          "the date exists in a leap year");
        else
            fuzz::require(feast.sign >= 0 && feast.sign < 12, "the sign is one of twelve");
    }
    const core::FeastList list = core::readFeasts(lines, "feasts.txt");
    fuzz::require(list.feasts.size() + list.problems.size() == read, "every line counted once");
    return 0;
}
