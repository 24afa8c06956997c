#pragma once
// Running the chart engine: the command file "input.txt" is written into the work folder and the
// engine is run on it there.

#include <array>
#include <chrono>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/chart_engine/live_zone.h"
#include "core/common/date_time.h"
#include "core/common/error.h"
#include "core/settings/settings.h"

namespace vantrel::core {

class ProcessRunner;

// A run that is still going after this long is ended and reported; the engine normally needs
// milliseconds.
inline constexpr std::chrono::seconds kEngineTimeLimit{60};

inline constexpr const char* kCommandFileName = "input.txt";

// Every file the command files have the engine write: its listings and the chart picture. A
// calculation deletes them before its first run; a batch conversion copies them back.
inline constexpr std::array<const char*, 6> kEngineOutputs = {
    "chart.txt", "riseset.txt", "risesetn.txt", "wheel.txt", "aspects.txt", "chart.wmf"};

// What a run needs besides the place and the moment. The references must outlive the value.
struct EngineEnvironment {
    const Settings& settings;
    const LiveZone& zone;
    ProcessRunner& process;
    std::filesystem::path workDir = ".";
    // The engine to run when Settings::engineCommand is empty (a path, not split on blanks).
    std::string defaultEngine = "vantrel-engine";
};

// A run of the engine that went wrong, as the user is told of it: the summary ("Astrolog return
// code 1", "The chart engine ... crashed ...") and the engine's own first line of complaint.
struct EngineFailure {
    std::string summary;
    std::string engineText;
    // The return-code note is a plain message; everything else the general error report.
    bool plainMessage = false;

    // The summary, and the engine's text on a line of its own.
    std::string message() const;
};

// A failure of the engine (or of what it wrote) where the caller stops instead of reporting.
class EngineError : public VantrelError {
public:
    explicit EngineError(EngineFailure failure)
        : VantrelError(failure.message()), m_failure(std::move(failure))
    {
    }
    const EngineFailure& failure() const { return m_failure; }

private:
    EngineFailure m_failure;
};

// A run ended early because the user asked (Ctrl+C, the progress dialog's Cancel).
class EngineRunStopped : public std::exception {
public:
    const char* what() const noexcept override { return "The chart engine was stopped"; }
};

// The engine's text without the place in the command file it names ("vantrel-engine:
// input.txt:2: " before "/qb: ..."): where the command file is the program's own, that place
// means nothing to the user.
std::string engineTextWithoutCommandFile(const std::string& text);

// Program and leading arguments of the engine command: Settings::engineCommand split on blanks when
// it holds anything but blanks, otherwise defaultEngine alone.
std::vector<std::string> engineCommand(const std::string& configured,
                                       const std::string& defaultEngine);

// `command` with its program made absolute against `base` when it is a relative path with a folder
// part ("./astrolog", "bin/astrolog"), so that it names the same program from any current
// directory; a bare name (looked up on the search path) or an absolute path is left as it is.
std::string anchoredEngineCommand(const std::string& command, const std::filesystem::path& base);

// Runs the engine on "input.txt" and waits, at most kEngineTimeLimit. Returns what went wrong
// without reporting it: an engine that cannot be started, does not finish, crashes, or ends with
// a non-zero exit code ("Astrolog return code N", with the first line of its complaint); the
// caller reads whatever listings exist. Throws EngineRunStopped when the process runner's stop
// check ended the run.
[[nodiscard]] std::optional<EngineFailure> runChartEngine(const EngineEnvironment& env);

// Each writer replaces "input.txt" in the work folder and then runs the engine, returning what
// runChartEngine returns. They throw VantrelError "Cannot create file input.txt" when the file
// cannot be written, and the error of chartDataLine() for a location text that may not be
// written; in both cases nothing is run.
[[nodiscard]] std::optional<EngineFailure>
runChartCommand(const EngineEnvironment& env, const std::string& zone, const std::string& longitude,
                const std::string& latitude, const LocalDateTime& moment);
[[nodiscard]] std::optional<EngineFailure>
runWheelCommand(const EngineEnvironment& env, const std::string& zone, const std::string& longitude,
                const std::string& latitude, const LocalDateTime& moment);
[[nodiscard]] std::optional<EngineFailure> runAspectsCommand(const EngineEnvironment& env,
                                                             const std::string& zone,
                                                             const std::string& longitude,
                                                             const std::string& latitude,
                                                             const LocalDateTime& moment);
[[nodiscard]] std::optional<EngineFailure>
runRiseSetCommand(const EngineEnvironment& env, const std::string& zone,
                  const std::string& longitude, const std::string& latitude,
                  const std::string& outputFile, const LocalDateTime& moment);

}  // namespace vantrel::core
