// Text files' bytes: every line decoded on its own must come out as valid UTF-8 without a line
// end in it.

#include "core/common/text_file.h"
#include "fuzz/fuzz_input.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::textOf(data, size);
    for (const std::string& line : core::linesFromFileBytes(input)) {
        fuzz::require(core::utf8FromFileBytes(line) == line, "a decoded line is valid UTF-8");
        fuzz::require(line.find_first_of("\r\n") == std::string::npos, "no line end in a line");
    }
    const std::string decoded = core::utf8FromFileBytes(input);
    fuzz::require(core::utf8FromFileBytes(decoded) == decoded, "decoded text is valid UTF-8");
    return 0;
}
