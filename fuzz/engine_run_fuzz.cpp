// A whole engine run on the input as its command file, in a temporary folder of its own: the
// run never writes outside it, and it ends with status 0, 1 or 2 and, when it fails, a message.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/ephemeris.h"
#include "engine/run.h"
#include "fuzz/fuzz_input.h"

using namespace vantrel;

namespace {

// The folder the runs write into, made the current folder on the first input and removed at
// exit.
void enterScratchFolder()
{
    static bool entered = false;
    if (entered)
        return;
    entered = true;
    static std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "vantrel-fuzz-engine-XXXXXX";
    static std::string name = folder.string();
    fuzz::require(::mkdtemp(name.data()) != nullptr, "a scratch folder can be made");
    std::filesystem::current_path(name);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(name, ignored);
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    enterScratchFolder();
    {
        std::ofstream out("input.txt", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const engine::RunOutcome outcome =
        engine::runCommandFile("input.txt", engine::Ephemeris::kDefaultFolder);
    fuzz::require(outcome.exitCode >= 0 && outcome.exitCode <= 2, "exit status 0, 1 or 2");
    fuzz::require(outcome.exitCode == 0 || !outcome.error.empty(), "a failure says why");
    // The same text run in memory gives the same outcome and the bytes written.
    const engine::RunOutcome inMemory =
        engine::runCommandText(std::string_view(reinterpret_cast<const char*>(data), size));
    const bool folderNamed = outcome.error.find("is a folder") != std::string::npos;
    fuzz::require(folderNamed ||
                      (inMemory.exitCode == outcome.exitCode && inMemory.error == outcome.error &&
                       inMemory.warnings == outcome.warnings &&
                       inMemory.standardOutput == outcome.standardOutput),
                  "the run in memory fails or succeeds as the run from the file");
    if (outcome.exitCode != 0)
        return 0;
    for (const engine::OutputFile& f : inMemory.files) {
        std::ifstream in(f.name, std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        fuzz::require(written == f.bytes, "the run in memory gives the bytes written");
    }
    return 0;
}
