#pragma once
// Running the chart engine through its port: the command texts of the four kinds of run, the
// failures a run reports, and how the engine program the settings name is found.

#include <array>
#include <chrono>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/chart_engine/command_file.h"
#include "core/chart_engine/live_zone.h"
#include "core/common/date_time.h"
#include "core/common/error.h"
#include "core/ports/chart_engine.h"
#include "core/settings/settings.h"

namespace vantrel::core {

// A run that is still going after this long is ended and reported; the engine normally needs
// milliseconds.
inline constexpr std::chrono::seconds kEngineTimeLimit{60};

inline constexpr const char* kCommandFileName = "input.txt";

// Every file the command files have the engine write: its listings and the chart picture. A
// calculation in the window deletes them before its first run.
inline constexpr std::array<const char*, 6> kEngineOutputs = {
    "chart.txt", "riseset.txt", "risesetn.txt", "wheel.txt", "aspects.txt", "chart.wmf"};

// What a run needs besides the place and the moment. The references must outlive the value.
struct EngineEnvironment {
    const Settings& settings;
    const LiveZone& zone;
    ChartEngine& engine;
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

// A run ended early because the user asked (Ctrl+C, Escape, the progress dialog's Cancel).
class EngineRunStopped : public std::exception {
public:
    const char* what() const noexcept override { return "The chart engine was stopped"; }
};

// The first line of what an engine wrote on standard error, as a message may quote it.
std::string engineComplaint(std::string_view errorOutput);

// "Astrolog return code N" with the first line of what the engine wrote on standard error; a
// plain message, as the return code has always been told.
EngineFailure returnCodeFailure(int exitCode, std::string_view errorOutput);

// The engine's text without the place in the command file it names ("vantrel-engine:
// input.txt:2: " before "/qb: ..."): where the command file is the program's own, that place
// means nothing to the user.
std::string engineTextWithoutCommandFile(const std::string& text);

// Program and leading arguments of the engine command: Settings::engineCommand split on blanks
// (but for blanks within double quotes, which are dropped) when it holds anything but blanks,
// otherwise defaultEngine alone.
std::vector<std::string> engineCommand(const std::string& configured,
                                       const std::string& defaultEngine);

// True when the settings name an engine program (anything but blanks): it then runs as a
// process instead of the engine built into the program.
bool engineProgramNamed(const Settings& settings);

// `command` with its program made absolute against `base` when it is a relative path with a folder
// part ("./astrolog", "bin/astrolog"), so that it names the same program from any current
// directory (in double quotes when the full path holds a blank); a bare name (looked up on the
// search path) or an absolute path is left as it is.
std::string anchoredEngineCommand(const std::string& command, const std::filesystem::path& base);

// The lines joined, each ended by CR LF, as a command file holds them.
std::string commandText(const std::vector<std::string>& lines);

// The text of the rise-and-set run for `moment` (trimmed as below).
std::string riseSetCommandText(const EngineEnvironment& env, const ChartPlace& place,
                               const std::string& outputFile, const LocalDateTime& moment);

// Each writer builds its command text and runs the engine on it, returning what the run gave.
// The chart and rise-and-set writers ask, when the engine takes trimmed commands, only for what
// the calculation reads: the Sun and the Moon, without houses; the Sun's rising and setting. They
// throw the error of chartDataLine() for a location text that may not be written (nothing is
// then run), and whatever the engine's run throws.
[[nodiscard]] EngineRun runChartCommand(const EngineEnvironment& env, const std::string& zone,
                                        const std::string& longitude, const std::string& latitude,
                                        const LocalDateTime& moment);
[[nodiscard]] EngineRun runWheelCommand(const EngineEnvironment& env, const std::string& zone,
                                        const std::string& longitude, const std::string& latitude,
                                        const LocalDateTime& moment);
[[nodiscard]] EngineRun runAspectsCommand(const EngineEnvironment& env, const std::string& zone,
                                          const std::string& longitude, const std::string& latitude,
                                          const LocalDateTime& moment);
[[nodiscard]] EngineRun runRiseSetCommand(const EngineEnvironment& env, const std::string& zone,
                                          const std::string& longitude, const std::string& latitude,
                                          const std::string& outputFile,
                                          const LocalDateTime& moment);

}  // namespace vantrel::core
