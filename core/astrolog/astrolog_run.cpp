#include "core/astrolog/astrolog_run.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <fstream>
#include <sstream>

#include "core/astrolog/command_file.h"
#include "core/common/error.h"
#include "core/ports/messages.h"
#include "core/ports/process_runner.h"

namespace vantrel::core {

namespace {

std::string joinWords(const std::vector<std::string>& words)
{
    std::string joined;
    for (const auto& word : words)
        joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

std::string firstLine(const std::string& text)
{
    const auto end = text.find_first_of("\r\n");
    return text.substr(0, end);
}

void writeAndRun(const AstrologEnvironment& env, const std::vector<std::string>& lines)
{
    std::ostringstream text;
    writeCommandFile(text, lines);
    const std::filesystem::path path = env.workDir / kCommandFileName;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text.str();
        out.close();
        if (!out)
            throw VantrelError(formatMessage("Cannot create file %s", kCommandFileName));
    }
    RunAstrolog(env);
}

}  // namespace

std::vector<std::string> engineCommand(const std::string& configured,
                                       const std::string& defaultEngine)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : configured) {
        if (c == ' ' || c == '\t') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    if (words.empty())
        words.push_back(defaultEngine);
    return words;
}

std::string anchoredEngineCommand(const std::string& command, const std::filesystem::path& base)
{
    const auto from = command.find_first_not_of(" \t");
    if (from == std::string::npos)
        return command;
    const auto to = std::min(command.find_first_of(" \t", from), command.size());
    const std::filesystem::path program = command.substr(from, to - from);
    if (!program.is_relative() || !program.has_parent_path())
        return command;
    std::string anchored = command;
    anchored.replace(from, to - from, (base / program).string());
    return anchored;
}

void RunAstrolog(const AstrologEnvironment& env)
{
    std::vector<std::string> arguments = engineCommand(env.settings.Astrolog, env.defaultEngine);
    const std::string command = joinWords(arguments);
    const std::string program = arguments.front();
    arguments.erase(arguments.begin());
    arguments.push_back("-i");
    arguments.push_back(kCommandFileName);

    ProcessOutcome outcome;
    try {
        outcome = env.process.run(program, arguments, kAstrologTimeLimit);
    } catch (const std::exception&) {
        env.messages.showMessage("Error executing Astrolog");
        return;
    }
    if (!outcome.started) {
        std::string text = "The chart engine \"" + command + "\" could not be started";
        if (!outcome.errorText.empty())
            text += ": " + outcome.errorText;
        env.messages.showError(text);
        return;
    }
    if (outcome.timedOut) {
        env.messages.showError(
            "The chart engine \"" + command + "\" timed out: still running after " +
            std::to_string(kAstrologTimeLimit.count()) + " seconds, it was stopped");
        return;
    }
    if (outcome.exitCode != 0) {
        // The engine says on standard error what it could not use; its first line follows the
        // return code, so that the user learns which field of which line was wrong.
        std::string text =
            "Astrolog return code " + std::to_string(static_cast<std::uint32_t>(outcome.exitCode));
        const std::string reason = firstLine(outcome.errorOutput);
        if (!reason.empty())
            text += "\n" + reason;
        env.messages.showMessage(text);
    }
}

void WriteChartInput(const AstrologEnvironment& env, const std::string& zone,
                     const std::string& longitude, const std::string& latitude, DateTime time,
                     DateTime date)
{
    writeAndRun(env,
                chartInputLines({zone, longitude, latitude}, time, date, env.settings, env.zone));
}

void WriteWheelInput(const AstrologEnvironment& env, const std::string& zone,
                     const std::string& longitude, const std::string& latitude, DateTime time,
                     DateTime date)
{
    writeAndRun(env,
                wheelInputLines({zone, longitude, latitude}, time, date, env.settings, env.zone));
}

void WriteAspectsInput(const AstrologEnvironment& env, const std::string& zone,
                       const std::string& longitude, const std::string& latitude, DateTime time,
                       DateTime date)
{
    writeAndRun(env,
                aspectsInputLines({zone, longitude, latitude}, time, date, env.settings, env.zone));
}

void WriteRiseSetInput(const AstrologEnvironment& env, const std::string& zone,
                       const std::string& longitude, const std::string& latitude,
                       const std::string& outputFile, const DateTime time, const DateTime date)
{
    writeAndRun(env, riseSetInputLines({zone, longitude, latitude}, outputFile, time, date,
                                       env.settings, env.zone));
}

}  // namespace vantrel::core
