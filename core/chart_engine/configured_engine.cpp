#include "core/chart_engine/configured_engine.h"

#include <system_error>

#include "core/chart_engine/engine_run.h"
#include "core/common/text_file.h"

namespace vantrel::core {

ConfiguredEngine::ConfiguredEngine(ChartEngine* builtIn, ChartEngine& program,
                                   const Settings& settings,
                                   std::optional<std::filesystem::path> listingFolder)
    : m_builtIn(builtIn), m_program(program), m_settings(settings),
      m_listingFolder(std::move(listingFolder))
{
}

bool ConfiguredEngine::builtInRuns() const
{
    return m_builtIn != nullptr && !engineProgramNamed(m_settings);
}

EngineRun ConfiguredEngine::run(std::string_view commandText)
{
    if (!builtInRuns())
        return m_program.run(commandText);
    if (!m_listingFolder)
        return m_builtIn->run(commandText);
    // The command file stays beside its listings, as an engine program would have found it,
    // for the user's own tools that rerun or read it.
    const std::filesystem::path commandFile = *m_listingFolder / kCommandFileName;
    if (const FileWritten written = writeFileUnlessSame(commandFile, commandText, Flush::Skip);
        !written)
        return EngineRun{
            EngineFailure{cannotCreateMessage(commandFile.string(), written.reason), "", false},
            {}};
    EngineRun run = m_builtIn->run(commandText);
    for (const EngineOutput& output : run.outputs) {
        const FileWritten written =
            writeFileUnlessSame(*m_listingFolder / output.name, output.bytes, Flush::Skip);
        if (!written && !run.failure)
            run.failure = EngineFailure{
                cannotCreateMessage((*m_listingFolder / output.name).string(), written.reason), "",
                false};
    }
    return run;
}

void ConfiguredEngine::discardOutputs()
{
    if (!builtInRuns()) {
        m_program.discardOutputs();
        return;
    }
    if (!m_listingFolder)
        return;
    for (const char* name : kEngineOutputs) {
        std::error_code ignored;
        std::filesystem::remove(*m_listingFolder / name, ignored);
    }
}

std::vector<std::filesystem::path> ConfiguredEngine::filesTouched() const
{
    if (!builtInRuns())
        return m_program.filesTouched();
    std::vector<std::filesystem::path> files;
    if (m_listingFolder) {
        files.push_back(*m_listingFolder / kCommandFileName);
        for (const char* name : kEngineOutputs)
            files.push_back(*m_listingFolder / name);
    }
    return files;
}

bool ConfiguredEngine::takesTrimmedCommands() const
{
    return builtInRuns() && !m_listingFolder && m_builtIn->takesTrimmedCommands();
}

bool ConfiguredEngine::runsConcurrently() const
{
    return builtInRuns() && !m_listingFolder && m_builtIn->runsConcurrently();
}

ChartEngine::StopCheck ConfiguredEngine::setStopCheck(StopCheck check)
{
    return m_program.setStopCheck(std::move(check));
}

}  // namespace vantrel::core
