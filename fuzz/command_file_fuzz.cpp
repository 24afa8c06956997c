// The engine's command-file parser: any input is either a request or a CommandError that names
// a line of the file.

#include <algorithm>

#include "engine/command_file.h"
#include "fuzz/fuzz_input.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::textOf(data, size);
    try {
        const engine::Request request = engine::parseCommandFile(input);
        fuzz::require(request.chart.has_value(), "a request has its chart");
        fuzz::require(request.houseSystem >= 0 && request.houseSystem <= 13, "house system range");
    } catch (const engine::CommandError& error) {
        const auto lineEnds = std::count(input.begin(), input.end(), '\n') +
                              std::count(input.begin(), input.end(), '\r');
        fuzz::require(error.line() >= 0 && error.line() <= lineEnds + 1,
                      "an error names a line of the file");
    }
    return 0;
}
