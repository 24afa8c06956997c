#pragma once

// One run of the engine on a command file: from a file into the current folder, as the
// executable performs it, or from text in memory into memory, as the program does.

#include <string>
#include <string_view>
#include <vector>

#include "engine/ephemeris.h"
#include "engine/output_files.h"

namespace vantrel::engine {

struct RunOutcome {
    int exitCode = 0;                   // 0 done, 1 bad input or unwritable output, 2 no ephemeris
    std::string error;                  // the one line for standard error, when exitCode != 0
    std::vector<std::string> warnings;  // lines for standard error that do not fail the run
    std::string standardOutput;         // the text output when no /os file was named
    std::vector<OutputFile> files;      // the files the run writes; none when it failed
};

// Runs command text held in memory and keeps every output in memory: no file is read or
// written. Gives the same bytes, warnings and error line (with inputName where the
// executable names its command file) as runCommandFile on a file of that text, except that
// an output name which is a folder in the current folder is no error here. Safe on any
// thread at once: each thread opens the ephemeris of a folder once and keeps it.
RunOutcome runCommandText(std::string_view text,
                          const std::string& ephemerisFolder = Ephemeris::kDefaultFolder,
                          const std::string& inputName = "input.txt");

// Reads the command file at path and writes the outputs it asks for into the current folder,
// all of them or none.
RunOutcome runCommandFile(const std::string& path, const std::string& ephemerisFolder);

// What the executable prints on standard error for an outcome: each warning, then the error.
std::string standardErrorText(const RunOutcome& outcome);

}  // namespace vantrel::engine
