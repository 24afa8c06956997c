// vantrel-engine: computes the chart listings and the wheel picture a command file asks for.

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/ephemeris.h"
#include "engine/run.h"

namespace {

void usage(std::FILE* to)
{
    std::fputs(
        "usage: vantrel-engine -i FILE\n"
        "Runs the command file FILE in the current folder and writes the listings and\n"
        "the picture it names. Exit status: 0 done, 1 bad input or output, 2 no ephemeris.\n",
        to);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        usage(stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("vantrel-engine %s\n", VANTREL_VERSION);
        return 0;
    }
    if (argc != 3 || std::strcmp(argv[1], "-i") != 0) {
        std::fputs("vantrel-engine: expected -i FILE (see --help)\n", stderr);
        return 1;
    }
    const auto outcome =
        vantrel::engine::runCommandFile(argv[2], vantrel::engine::Ephemeris::kDefaultFolder);
    std::fputs(vantrel::engine::standardErrorText(outcome).c_str(), stderr);
    if (outcome.exitCode != 0)
        return outcome.exitCode;
    std::fwrite(outcome.standardOutput.data(), 1, outcome.standardOutput.size(), stdout);
    return 0;
}
