#pragma once
#include "core/ports/process_runner.h"

namespace vantrel::platform {

// Runs a program in the current directory through QProcess, with no input and its output
// discarded, and waits for it up to the time limit. The program leads a process group of its
// own: a run still going at the limit, or stopped, is ended with every process it started, and
// what a run that ended leaves running in its group is ended with it. Of its standard error only
// the first and the last 4 KiB are kept.
// A program that dies by a signal is reported with that signal and its name.
class QtProcessRunner : public core::ProcessRunner {
public:
    core::ProcessOutcome run(const std::string& program, const std::vector<std::string>& arguments,
                             std::chrono::milliseconds timeLimit) override;
};

}  // namespace vantrel::platform
