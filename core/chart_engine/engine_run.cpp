#include "core/chart_engine/engine_run.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <exception>
#include <sstream>

#include "core/chart_engine/command_file.h"
#include "core/common/text_file.h"
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

std::optional<EngineFailure> writeAndRun(const EngineEnvironment& env,
                                         const std::vector<std::string>& lines)
{
    std::ostringstream text;
    writeCommandFile(text, lines);
    // Written whole or not at all: a full disk leaves no empty command file behind.
    if (!writeFileAtomically(env.workDir / kCommandFileName, text.str(), Flush::Skip))
        throw VantrelError(formatMessage("Cannot create file %s", kCommandFileName));
    return runChartEngine(env);
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

std::string EngineFailure::message() const
{
    return engineText.empty() ? summary : summary + "\n" + engineText;
}

std::string engineTextWithoutCommandFile(const std::string& text)
{
    const std::string name = std::string(kCommandFileName) + ":";
    for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        auto end = at + name.size();
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        if (end > at + name.size() && text.compare(end, 2, ": ") == 0)
            return text.substr(end + 2);
    }
    return text;
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

std::optional<EngineFailure> runChartEngine(const EngineEnvironment& env)
{
    std::vector<std::string> arguments =
        engineCommand(env.settings.engineCommand, env.defaultEngine);
    const std::string engine = "The chart engine \"" + visibleText(joinWords(arguments)) + "\"";
    const std::string program = arguments.front();
    arguments.erase(arguments.begin());
    arguments.push_back("-i");
    arguments.push_back(kCommandFileName);

    ProcessOutcome outcome;
    try {
        outcome = env.process.run(program, arguments, kEngineTimeLimit);
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
    // The engine says on standard error what it could not use; its first line follows, so that
    // the user learns which field of which line was wrong.
    const std::string reason = visibleText(firstLine(outcome.errorOutput));
    if (outcome.signal > 0) {
        std::string text = engine + " crashed (signal " + std::to_string(outcome.signal);
        if (!outcome.errorText.empty())
            text += ", " + visibleText(outcome.errorText);
        return EngineFailure{text + ")", reason, false};
    }
    if (outcome.exitCode != 0)
        return EngineFailure{"Astrolog return code " +
                                 std::to_string(static_cast<std::uint32_t>(outcome.exitCode)),
                             reason, true};
    return std::nullopt;
}

std::optional<EngineFailure> runChartCommand(const EngineEnvironment& env, const std::string& zone,
                                             const std::string& longitude,
                                             const std::string& latitude,
                                             const LocalDateTime& moment)
{
    return writeAndRun(
        env, chartInputLines({zone, longitude, latitude}, moment, env.settings, env.zone));
}

std::optional<EngineFailure> runWheelCommand(const EngineEnvironment& env, const std::string& zone,
                                             const std::string& longitude,
                                             const std::string& latitude,
                                             const LocalDateTime& moment)
{
    return writeAndRun(
        env, wheelInputLines({zone, longitude, latitude}, moment, env.settings, env.zone));
}

std::optional<EngineFailure> runAspectsCommand(const EngineEnvironment& env,
                                               const std::string& zone,
                                               const std::string& longitude,
                                               const std::string& latitude,
                                               const LocalDateTime& moment)
{
    return writeAndRun(
        env, aspectsInputLines({zone, longitude, latitude}, moment, env.settings, env.zone));
}

std::optional<EngineFailure>
runRiseSetCommand(const EngineEnvironment& env, const std::string& zone,
                  const std::string& longitude, const std::string& latitude,
                  const std::string& outputFile, const LocalDateTime& moment)
{
    return writeAndRun(env, riseSetInputLines({zone, longitude, latitude}, outputFile, moment,
                                              env.settings, env.zone));
}

}  // namespace vantrel::core
