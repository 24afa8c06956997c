// The command line with two arguments: convert the first file into the second, with no window.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <unistd.h>

#include <QCoreApplication>

#include "app/locations.h"
#include "app/modes.h"
#include "app/services.h"
#include "app/stop_signals.h"
#include "core/batch/convert_batch.h"
#include "core/common/error.h"
#include "core/ports/clipboard.h"
#include "core/ports/main_view.h"
#include "core/thelemic/calculation.h"
#include "platform/console_messages.h"
#include "platform/geonames_place_lookup.h"

namespace vantrel::app {

namespace {

// Counts what the calculations report while lines are converted (the date-order note at
// start-up does not count), so that the exit status can tell it.
class CountingMessages : public core::Messages {
public:
    explicit CountingMessages(core::Messages& inner) : m_inner(inner) {}
    void startConversion() { m_converting = true; }
    bool lineReported() const { return m_lineReported; }
    void showError(const std::string& text) override
    {
        m_lineReported = m_lineReported || m_converting;
        m_inner.showError(text);
    }
    void showMessage(const std::string& text) override
    {
        m_lineReported = m_lineReported || m_converting;
        m_inner.showMessage(text);
    }

private:
    core::Messages& m_inner;
    bool m_converting = false;
    bool m_lineReported = false;
};

// Progress on standard error, rewritten in place, only when that is a terminal; an interrupt
// (Ctrl+C, a termination request) cancels the conversion at once, a running engine included.
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

    bool progress(const core::BatchProgress& progress) override
    {
        if (m_terminal && progress.linesDone > 0) {
            // Padded, so that a shorter text leaves nothing of the longer one before it.
            std::fprintf(stderr, "\rConverting: %-60s", progress.text().c_str());
            std::fflush(stderr);
            m_shown = true;
        }
        return !stopSignalled();
    }
    bool stopRequested() override { return stopSignalled(); }

private:
    bool m_terminal;
    bool m_shown = false;
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
    const core::FileLocations locations = programLocations(homeFolder());
    platform::ConsoleMessages console;
    CountingMessages messages(console);
    Services services(messages, locations);
    services.anchorEngineTo(locations.workDir);
    core::Clipboard& clipboard = services.commandLineClipboard(!hasClipboard(*application));
    core::NullMainView view;
    catchStopSignals();
    messages.startConversion();
    try {
        // The names are the user's, relative to the folder the command was typed in, which is
        // taken now, before an engine program's private folder is entered.
        std::error_code gone;
        const std::filesystem::path userFolder = std::filesystem::current_path(gone);
        for (const std::string* name : {&inputFile, &outputFile}) {
            if (gone && std::filesystem::path(*name).is_relative())
                throw core::VantrelError("The folder the command was typed in no longer exists (" +
                                         gone.message() + "): name " + *name + " by its full path");
        }
        // An engine program runs in a private folder; the built-in engine writes no file.
        std::optional<PrivateWorkFolder> folder;
        if (services.engineProgramNamed())
            folder.emplace();
        core::Calculator calculator(services.calculationContext(view, clipboard, messages));
        const platform::GeonamesPlaceLookup places;
        core::BatchResult result = core::BatchResult::Converted;
        {
            ConsoleProgress progress;
            result = core::convertBatch({calculator, services.clock, progress, &places, userFolder},
                                        inputFile, outputFile);
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
