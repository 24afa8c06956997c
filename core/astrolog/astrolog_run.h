#pragma once
// Running the chart engine: the command file "input.txt" is written into the work folder and the
// engine is run on it there.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "core/astrolog/zone_snapshot.h"
#include "core/common/date_time.h"
#include "core/settings/settings.h"

namespace vantrel::core {

class Messages;
class ProcessRunner;

// A run that is still going after this long is ended and reported; the engine normally needs
// milliseconds.
inline constexpr std::chrono::seconds kAstrologTimeLimit{60};

inline constexpr const char* kCommandFileName = "input.txt";

// What a run needs besides the place and the moment. The references must outlive the value.
struct AstrologEnvironment {
    const Settings& settings;
    const ZoneSnapshot& zone;
    ProcessRunner& process;
    Messages& messages;
    std::filesystem::path workDir = ".";
    // The engine to run when Settings::Astrolog is empty (a path, not split on blanks).
    std::string defaultEngine = "vantrel-engine";
};

// Program and leading arguments of the engine command: Settings::Astrolog split on blanks when it
// holds anything but blanks, otherwise defaultEngine alone.
std::vector<std::string> engineCommand(const std::string& configured,
                                       const std::string& defaultEngine);

// `command` with its program made absolute against `base` when it is a relative path with a folder
// part ("./astrolog", "bin/astrolog"), so that it names the same program from any current
// directory; a bare name (looked up on the search path) or an absolute path is left as it is.
std::string anchoredEngineCommand(const std::string& command, const std::filesystem::path& base);

// Runs the engine on "input.txt" and waits, at most kAstrologTimeLimit. Never throws: an engine
// that cannot be started or does not finish is reported through showError, a non-zero exit code
// through showMessage ("Astrolog return code N"); the caller reads whatever listings exist.
void RunAstrolog(const AstrologEnvironment& env);

// Each writer replaces "input.txt" in the work folder and then runs the engine. They throw
// VantrelError "Cannot create file input.txt" when the file cannot be written, and the error of
// chartDataLine() for a location text that may not be written; in both cases nothing is run.
void WriteChartInput(const AstrologEnvironment& env, const std::string& zone,
                     const std::string& longitude, const std::string& latitude, DateTime time,
                     DateTime date);
void WriteWheelInput(const AstrologEnvironment& env, const std::string& zone,
                     const std::string& longitude, const std::string& latitude, DateTime time,
                     DateTime date);
void WriteAspectsInput(const AstrologEnvironment& env, const std::string& zone,
                       const std::string& longitude, const std::string& latitude, DateTime time,
                       DateTime date);
void WriteRiseSetInput(const AstrologEnvironment& env, const std::string& zone,
                       const std::string& longitude, const std::string& latitude,
                       const std::string& outputFile, DateTime time, DateTime date);

}  // namespace vantrel::core
