// The metafile reader: any bytes are a picture or a refusal with a reason, and a picture never
// holds more commands than the reader allows.

#include <span>

#include "fuzz/fuzz_input.h"
#include "wmf/wmf_reader.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const wmf::ReadResult result = wmf::readPicture(std::span<const std::uint8_t>(data, size));
    if (result.ok)
        fuzz::require(result.picture.commands.size() <= wmf::kMaxDrawCommands, "command limit");
    else
        fuzz::require(!result.error.empty(), "a refusal says why");
    return 0;
}
