// The command line with two arguments: convert the first file into the second, with no window.

#include <csignal>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "app/modes.h"
#include "core/batch/convert_batch.h"
#include "core/common/error.h"
#include "core/ports/messages.h"
#include "core/thelemic/calculation.h"

namespace vantrel::app {

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

extern "C" void requestStop(int)
{
    g_stopRequested = 1;
}

// Progress on standard error, rewritten in place, only when that is a terminal; an interrupt
// (Ctrl+C, a termination request) cancels the conversion between lines so that it ends cleanly.
class ConsoleProgress : public core::BatchObserver {
public:
    ConsoleProgress() : m_terminal(::isatty(STDERR_FILENO) == 1) {}
    ~ConsoleProgress() override
    {
        if (m_shown)
            std::fputs("\n", stderr);
    }
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

    bool progress(std::size_t linesDone, std::size_t lineCount) override
    {
        if (m_terminal && lineCount > 0) {
            const std::size_t percent = linesDone * 100 / lineCount;
            if (!m_shown || percent != m_percent || linesDone == lineCount) {
                std::fprintf(stderr, "\rConverting: %zu of %zu lines (%zu%%)", linesDone,
                             lineCount, percent);
                std::fflush(stderr);
                m_shown = true;
                m_percent = percent;
            }
        }
        return g_stopRequested == 0;
    }

private:
    bool m_terminal;
    bool m_shown = false;
    std::size_t m_percent = 0;
};

}  // namespace

int runBatchMode(core::Calculator& calculator, const core::Clock& clock,
                 const std::string& inputFile, const std::string& outputFile)
{
    core::Messages& messages = calculator.context().messages;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, requestStop);
    try {
        core::BatchResult result = core::BatchResult::Converted;
        {
            ConsoleProgress progress;
            result = core::ConvertBatch(calculator, clock, inputFile, outputFile, progress);
        }
        if (result == core::BatchResult::Cancelled) {
            messages.showError("Conversion interrupted; " + outputFile + " was not written");
            return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        messages.showError(error.what());
        return 1;
    }
}

}  // namespace vantrel::app
