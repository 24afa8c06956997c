#pragma once
// The chart engine as a program the settings name (or the one beside the executable): the
// command text is written into "input.txt" in the work folder, the program is run there through
// the process port, and the files the command names are read back.

#include <filesystem>
#include <string>
#include <vector>

#include "core/ports/chart_engine.h"

namespace vantrel::core {

class ProcessRunner;
struct Settings;

class EngineProgram : public ChartEngine {
public:
    // Settings::engineCommand names the program at each run; when blank, defaultEngine (a path,
    // not split on blanks) runs. The references must outlive this object.
    EngineProgram(ProcessRunner& process, const Settings& settings,
                  std::filesystem::path workDir = ".",
                  std::string defaultEngine = "vantrel-engine");

    // Removes the outputs the command names, replaces "input.txt" and runs the program on it,
    // waiting at most kEngineTimeLimit. What went wrong is returned, not reported: a program that
    // cannot be started, does not finish, crashes, or ends with a non-zero exit code ("Astrolog
    // return code N", with the first line of its complaint); the outputs are read all the same.
    // Throws VantrelError "Cannot create file input.txt" when the command file cannot be
    // written (nothing is run) and EngineRunStopped when the stop check ended the run.
    EngineRun run(std::string_view commandText) override;

    // Deletes every listing and the picture (kEngineOutputs) in the work folder.
    void discardOutputs() override;
    // "input.txt" and kEngineOutputs in the work folder.
    std::vector<std::filesystem::path> filesTouched() const override;

    StopCheck setStopCheck(StopCheck check) override;

    const std::filesystem::path& workDir() const { return m_workDir; }

private:
    std::optional<EngineFailure> runProgram();

    ProcessRunner& m_process;
    const Settings& m_settings;
    std::filesystem::path m_workDir;
    std::string m_defaultEngine;
};

// The files a command text has the engine write: the names after "/os" and "/Xo", in order.
std::vector<std::string> commandOutputNames(std::string_view commandText);

}  // namespace vantrel::core
