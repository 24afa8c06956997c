// The command line with two arguments: convert the first file into the second, with no window.

#include <cstdio>
#include <exception>
#include <memory>
#include <set>
#include <string>

#include <unistd.h>

#include <QCoreApplication>

#include "app/locations.h"
#include "app/modes.h"
#include "app/services.h"
#include "app/stop_signals.h"
#include "core/batch/convert_batch.h"
#include "core/ports/clipboard.h"
#include "core/ports/main_view.h"
#include "core/thelemic/calculation.h"
#include "platform/qt_messages.h"

namespace vantrel::app {

namespace {

// A line's messages (the date-order note of each rise-and-set reading) are told once per line.
class OncePerLineMessages : public core::Messages {
public:
    explicit OncePerLineMessages(core::Messages& inner) : m_inner(inner) {}
    void nextLine() { m_shown.clear(); }
    // From now on every report counts against the conversion (the date-order note at start-up
    // does not).
    void startConversion() { m_converting = true; }
    bool lineReported() const { return m_lineReported; }
    void showError(const std::string& text) override
    {
        m_lineReported = m_lineReported || m_converting;
        if (m_shown.insert("E" + text).second)
            m_inner.showError(text);
    }
    void showMessage(const std::string& text) override
    {
        m_lineReported = m_lineReported || m_converting;
        if (m_shown.insert("M" + text).second)
            m_inner.showMessage(text);
    }

private:
    core::Messages& m_inner;
    std::set<std::string> m_shown;
    bool m_converting = false;
    bool m_lineReported = false;
};

// Progress on standard error, rewritten in place, only when that is a terminal; an interrupt
// (Ctrl+C, a termination request) ends a running engine at once and cancels the conversion, so
// that it ends cleanly.
class ConsoleProgress : public core::BatchObserver {
public:
    explicit ConsoleProgress(OncePerLineMessages& messages)
        : m_messages(messages), m_terminal(::isatty(STDERR_FILENO) == 1)
    {
    }
    ~ConsoleProgress() override
    {
        if (m_shown)
            std::fputs("\n", stderr);
    }
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

    bool progress(std::size_t linesDone, std::size_t lineCount) override
    {
        m_messages.nextLine();
        if (m_terminal && lineCount > 0) {
            const std::size_t percent = linesDone * 100 / lineCount;
            if (!m_shown || percent != m_percent || linesDone == lineCount) {
                std::fprintf(stderr, "\rConverting: %zu of %zu lines (%zu%%)", linesDone, lineCount,
                             percent);
                std::fflush(stderr);
                m_shown = true;
                m_percent = percent;
            }
        }
        return !stopSignalled();
    }
    bool stopRequested() override { return stopSignalled(); }

private:
    OncePerLineMessages& m_messages;
    bool m_terminal;
    bool m_shown = false;
    std::size_t m_percent = 0;
};

}  // namespace

int runBatchMode(int& argc, char** argv, const CommandLine& commandLine)
{
    quietQtDiagnostics();
    const std::unique_ptr<QCoreApplication> application =
        commandLineApplication(argc, argv, commandLine);
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    const std::string& inputFile = commandLine.arguments.at(0);
    const std::string& outputFile = commandLine.arguments.at(1);
    const core::FileLocations locations = programLocations();
    platform::ConsoleMessages console;
    OncePerLineMessages messages(console);
    Services services(messages, locations);
    services.anchorEngineTo(locations.workDir);
    core::Clipboard& clipboard = services.commandLineClipboard(!hasClipboard(*application));
    core::NullMainView view;
    catchStopSignals();
    messages.startConversion();
    try {
        // The names are the user's, relative to the folder the command was typed in.
        const PrivateWorkFolder folder;
        core::Calculator calculator(services.calculationContext(view, clipboard, messages));
        core::BatchResult result = core::BatchResult::Converted;
        {
            ConsoleProgress progress(messages);
            result = core::convertBatch(calculator, services.clock, inputFile, outputFile, progress,
                                        folder.userFolder());
        }
        if (result == core::BatchResult::Cancelled) {
            messages.showError("Conversion interrupted; " + outputFile + " was not written");
            return 1;
        }
        // The file is written; a note told during the conversion still makes the status 1.
        return messages.lineReported() ? 1 : 0;
    } catch (const std::exception& error) {
        messages.showError(error.what());
        return 1;
    }
}

}  // namespace vantrel::app
