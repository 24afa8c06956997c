#include "core/chart_engine/engine_program.h"

#include <exception>
#include <system_error>

#include "core/chart_engine/engine_run.h"
#include "core/common/text_file.h"
#include "core/ports/process_runner.h"
#include "core/settings/settings.h"

namespace vantrel::core {

namespace {

std::string joinWords(const std::vector<std::string>& words)
{
    std::string joined;
    for (const auto& word : words)
        joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

void removeFile(const std::filesystem::path& path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

EngineOutput outputRead(const std::string& name, FileBytes file)
{
    switch (file.status) {
    case TextFileStatus::TooLarge:
        return {name, "", EngineOutput::State::TooLarge};
    case TextFileStatus::Unreadable:
        return {name, "", EngineOutput::State::Unreadable};
    default:
        return {name, std::move(file.bytes), EngineOutput::State::Read};
    }
}

}  // namespace

std::vector<std::string> commandOutputNames(std::string_view commandText)
{
    std::vector<std::string> names;
    for (const std::string& line : splitLines(commandText)) {
        for (const char* switchText : {"/os ", "/Xo "}) {
            if (line.starts_with(switchText))
                names.push_back(line.substr(4));
        }
    }
    return names;
}

EngineProgram::EngineProgram(ProcessRunner& process, const Settings& settings,
                             std::filesystem::path workDir, std::string defaultEngine)
    : m_process(process), m_settings(settings), m_workDir(std::move(workDir)),
      m_defaultEngine(std::move(defaultEngine))
{
}

EngineRun EngineProgram::run(std::string_view commandText)
{
    const std::vector<std::string> outputs = commandOutputNames(commandText);
    // A failed run writes nothing, so an older file must not be read back in its place.
    for (const std::string& name : outputs)
        removeFile(m_workDir / name);
    // Written whole or not at all: a full disk leaves no empty command file behind.
    // Named with its folder: a full temporary folder is not one the user chose.
    const std::filesystem::path commandFile = m_workDir / kCommandFileName;
    const FileWritten written = writeFileAtomically(commandFile, commandText, Flush::Skip);
    if (!written) {
        std::error_code error;
        const std::filesystem::path full =
            std::filesystem::absolute(commandFile, error).lexically_normal();
        throw VantrelError(
            cannotCreateMessage((error ? commandFile : full).string(), written.reason));
    }
    EngineRun run;
    run.failure = runProgram();
    for (const std::string& name : outputs) {
        FileBytes file = readFileBytes(m_workDir / name);
        if (file.status != TextFileStatus::Missing)
            run.outputs.push_back(outputRead(name, std::move(file)));
    }
    return run;
}

std::optional<EngineFailure> EngineProgram::runProgram()
{
    std::vector<std::string> arguments = engineCommand(m_settings.engineCommand, m_defaultEngine);
    const std::string engine = "The chart engine \"" + visibleText(joinWords(arguments)) + "\"";
    const std::string program = arguments.front();
    arguments.erase(arguments.begin());
    arguments.push_back("-i");
    arguments.push_back(kCommandFileName);

    ProcessOutcome outcome;
    try {
        outcome = m_process.run(program, arguments, kEngineTimeLimit);
    } catch (const std::exception&) {
        return EngineFailure{"Error executing Astrolog", "", true};
    }
    if (outcome.stopped)
        throw EngineRunStopped();
    if (!outcome.started) {
        std::string text = engine + " could not be started";
        if (!outcome.errorText.empty())
            text += ": " + visibleText(outcome.errorText);
        return EngineFailure{text, "", false};
    }
    if (outcome.timedOut)
        return EngineFailure{engine + " timed out: still running after " +
                                 std::to_string(kEngineTimeLimit.count()) +
                                 " seconds, it was stopped",
                             "", false};
    if (outcome.signal > 0) {
        std::string text = engine + " crashed (signal " + std::to_string(outcome.signal);
        if (!outcome.errorText.empty())
            text += ", " + visibleText(outcome.errorText);
        return EngineFailure{text + ")", engineComplaint(outcome.errorOutput), false};
    }
    if (outcome.exitCode != 0)
        return returnCodeFailure(outcome.exitCode, outcome.errorOutput);
    return std::nullopt;
}

void EngineProgram::discardOutputs()
{
    for (const char* name : kEngineOutputs)
        removeFile(m_workDir / name);
}

std::vector<std::filesystem::path> EngineProgram::filesTouched() const
{
    std::vector<std::filesystem::path> files{m_workDir / kCommandFileName};
    for (const char* name : kEngineOutputs)
        files.push_back(m_workDir / name);
    return files;
}

ChartEngine::StopCheck EngineProgram::setStopCheck(StopCheck check)
{
    return m_process.setStopCheck(std::move(check));
}

}  // namespace vantrel::core
