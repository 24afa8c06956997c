#pragma once

// One run of the engine on a command file, as the executable performs it.

#include <string>
#include <vector>

namespace vantrel::engine {

struct RunOutcome {
    int exitCode = 0;                   // 0 done, 1 bad input or unwritable output, 2 no ephemeris
    std::string error;                  // the one line for standard error, when exitCode != 0
    std::vector<std::string> warnings;  // lines for standard error that do not fail the run
    std::string standardOutput;         // the text output when no /os file was named
};

// Reads the command file at path and writes the outputs it asks for into the current folder.
RunOutcome runCommandFile(const std::string& path, const std::string& ephemerisFolder);

}  // namespace vantrel::engine
