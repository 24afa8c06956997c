#include "core/chart_engine/engine_run.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace vantrel::core {

namespace {

std::string firstLine(std::string_view text)
{
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

}  // namespace

std::string EngineFailure::message() const
{
    return engineText.empty() ? summary : summary + "\n" + engineText;
}

std::string engineComplaint(std::string_view errorOutput)
{
    return visibleText(firstLine(errorOutput));
}

EngineFailure returnCodeFailure(int exitCode, std::string_view errorOutput)
{
    // The engine says on standard error what it could not use; its first line follows, so that
    // the user learns which field of which line was wrong.
    return {"Astrolog return code " + std::to_string(static_cast<std::uint32_t>(exitCode)),
            engineComplaint(errorOutput), true};
}

std::vector<std::string> engineCommand(const std::string& configured,
                                       const std::string& defaultEngine)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;  // within double quotes, which keep blanks in the word
    bool started = false;
    for (const char c : configured) {
        if (c == '"') {
            quoted = !quoted;
            started = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (started)
                words.push_back(std::move(word));
            word.clear();
            started = false;
        } else {
            word += c;
            started = true;
        }
    }
    if (started)
        words.push_back(std::move(word));
    if (words.empty())
        words.push_back(defaultEngine);
    return words;
}

bool engineProgramNamed(const Settings& settings)
{
    return settings.engineCommand.find_first_not_of(" \t") != std::string::npos;
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
    // The program is the first word, or what the double quotes it opens with hold.
    std::size_t to = 0;
    std::filesystem::path program;
    if (command[from] == '"') {
        const auto close = command.find('"', from + 1);
        if (close == std::string::npos)
            return command;
        to = close + 1;
        program = command.substr(from + 1, close - from - 1);
    } else {
        to = std::min(command.find_first_of(" \t", from), command.size());
        program = command.substr(from, to - from);
    }
    if (!program.is_relative() || !program.has_parent_path())
        return command;
    // The full path is one word, whatever blanks the folders' names hold.
    std::string full = (base / program).string();
    if (full.find_first_of(" \t") != std::string::npos)
        full = '"' + full + '"';
    std::string anchored = command;
    anchored.replace(from, to - from, full);
    return anchored;
}

std::string commandText(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string riseSetCommandText(const EngineEnvironment& env, const ChartPlace& place,
                               const std::string& outputFile, const LocalDateTime& moment)
{
    return commandText(
        env.engine.takesTrimmedCommands()
            ? trimmedRiseSetInputLines(place, outputFile, moment, env.settings, env.zone)
            : riseSetInputLines(place, outputFile, moment, env.settings, env.zone));
}

EngineRun runChartCommand(const EngineEnvironment& env, const std::string& zone,
                          const std::string& longitude, const std::string& latitude,
                          const LocalDateTime& moment)
{
    const ChartPlace place{zone, longitude, latitude};
    return env.engine.run(
        commandText(env.engine.takesTrimmedCommands()
                        ? trimmedChartInputLines(place, moment, env.settings, env.zone)
                        : chartInputLines(place, moment, env.settings, env.zone)));
}

EngineRun runWheelCommand(const EngineEnvironment& env, const std::string& zone,
                          const std::string& longitude, const std::string& latitude,
                          const LocalDateTime& moment)
{
    return env.engine.run(
        commandText(wheelInputLines({zone, longitude, latitude}, moment, env.settings, env.zone)));
}

EngineRun runAspectsCommand(const EngineEnvironment& env, const std::string& zone,
                            const std::string& longitude, const std::string& latitude,
                            const LocalDateTime& moment)
{
    return env.engine.run(commandText(
        aspectsInputLines({zone, longitude, latitude}, moment, env.settings, env.zone)));
}

EngineRun runRiseSetCommand(const EngineEnvironment& env, const std::string& zone,
                            const std::string& longitude, const std::string& latitude,
                            const std::string& outputFile, const LocalDateTime& moment)
{
    return env.engine.run(riseSetCommandText(env, {zone, longitude, latitude}, outputFile, moment));
}

}  // namespace vantrel::core
