#pragma once
// Runs an external program in the current directory, without a window, and waits for it.

#include <chrono>
#include <string>
#include <vector>

namespace vantrel::core {

struct ProcessOutcome {
    bool started = false;     // false: the program could not be started at all
    bool timedOut = false;    // true: still running at the time limit, and ended
    int exitCode = 0;         // valid when started and not timed out
    std::string errorText;    // why it could not be started (for the user)
    std::string errorOutput;  // what the program wrote on its standard error
};

class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // program: a path or a name found on the search path; arguments as separate words.
    virtual ProcessOutcome run(const std::string& program,
                               const std::vector<std::string>& arguments,
                               std::chrono::milliseconds timeLimit) = 0;
};

}  // namespace vantrel::core
