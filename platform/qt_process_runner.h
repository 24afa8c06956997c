#pragma once
#include "core/ports/process_runner.h"

namespace vantrel::platform {

// Runs a program in the current directory through QProcess, with no input and its output
// discarded, and waits for it up to the time limit; a run still going then is killed.
class QtProcessRunner : public core::ProcessRunner {
public:
    core::ProcessOutcome run(const std::string& program, const std::vector<std::string>& arguments,
                             std::chrono::milliseconds timeLimit) override;
};

}  // namespace vantrel::platform
