#include "platform/engine_library.h"

#include "core/chart_engine/engine_run.h"
#include "engine/ephemeris.h"
#include "engine/run.h"

namespace vantrel::platform {

EngineLibrary::EngineLibrary(std::string ephemerisFolder)
    : m_ephemerisFolder(std::move(ephemerisFolder))
{
}

EngineLibrary::EngineLibrary() : EngineLibrary(engine::Ephemeris::kDefaultFolder) {}

core::EngineRun EngineLibrary::run(std::string_view commandText)
{
    engine::RunOutcome outcome = engine::runCommandText(commandText, m_ephemerisFolder);
    core::EngineRun run;
    if (outcome.exitCode != 0)
        run.failure = core::returnCodeFailure(outcome.exitCode, engine::standardErrorText(outcome));
    run.outputs.reserve(outcome.files.size());
    for (engine::OutputFile& file : outcome.files)
        run.outputs.push_back({std::move(file.name), std::move(file.bytes)});
    return run;
}

}  // namespace vantrel::platform
