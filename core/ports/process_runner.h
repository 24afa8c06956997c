#pragma once
// Runs an external program in the current directory, without a window, and waits for it.

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vantrel::core {

struct ProcessOutcome {
    bool started = false;     // false: the program could not be started at all
    bool timedOut = false;    // true: still running at the time limit, and ended
    bool stopped = false;     // true: ended early because the stop check asked for it
    int exitCode = 0;         // valid when it ended by itself and signal is 0
    int signal = 0;           // > 0: it was ended by this signal (it crashed, or was killed)
    std::string errorText;    // why it could not be started, or the signal's name
    std::string errorOutput;  // what the program wrote on its standard error
};

class ProcessRunner {
public:
    // Asked every few hundredths of a second while a run waits; true ends the run at once.
    using StopCheck = std::function<bool()>;

    virtual ~ProcessRunner() = default;
    // program: a path or a name found on the search path; arguments as separate words. A run
    // that times out or is stopped is ended together with every process it started.
    virtual ProcessOutcome run(const std::string& program,
                               const std::vector<std::string>& arguments,
                               std::chrono::milliseconds timeLimit) = 0;

    // Installs the check (an empty one: runs are never stopped early); returns the one before.
    StopCheck setStopCheck(StopCheck check) { return std::exchange(m_stopCheck, std::move(check)); }

protected:
    bool stopRequested() const { return m_stopCheck && m_stopCheck(); }

private:
    StopCheck m_stopCheck;
};

}  // namespace vantrel::core
