#pragma once
// The chart engine a calculation uses: the one built into the program when the settings name no
// engine program, otherwise that program, run as a process.

#include <filesystem>
#include <optional>

#include "core/ports/chart_engine.h"

namespace vantrel::core {

struct Settings;

class ConfiguredEngine : public ChartEngine {
public:
    // builtIn: the engine in the program's process; null when there is none, and the program
    // then always runs. listingFolder: where the built-in engine's outputs are also written as
    // files, for the windows, the Save commands and the user's tools that read them (the
    // program writes its own there); none: they stay in memory. The references must outlive
    // this object; the settings are looked at for each call.
    ConfiguredEngine(ChartEngine* builtIn, ChartEngine& program, const Settings& settings,
                     std::optional<std::filesystem::path> listingFolder = std::nullopt);

    // With a listing folder, an output that cannot be written there is a failure that names
    // it; the outputs are given all the same.
    EngineRun run(std::string_view commandText) override;
    void discardOutputs() override;
    std::vector<std::filesystem::path> filesTouched() const override;
    // Only the built-in engine without a listing folder takes trimmed commands and runs on
    // several threads at once.
    bool takesTrimmedCommands() const override;
    bool runsConcurrently() const override;
    StopCheck setStopCheck(StopCheck check) override;

private:
    bool builtInRuns() const;

    ChartEngine* m_builtIn;
    ChartEngine& m_program;
    const Settings& m_settings;
    std::optional<std::filesystem::path> m_listingFolder;
};

}  // namespace vantrel::core
