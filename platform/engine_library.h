#pragma once
// The chart engine's own library in the program's process: command text in, listings out, in
// memory, on any thread.

#include <string>

#include "core/ports/chart_engine.h"

namespace vantrel::platform {

class EngineLibrary : public core::ChartEngine {
public:
    // ephemerisFolder: where the Swiss Ephemeris files lie (the built-in theory serves where
    // none do).
    explicit EngineLibrary(std::string ephemerisFolder);
    EngineLibrary();

    // The bytes of each output are those the engine program writes for the same command file;
    // a run that fails ("Astrolog return code N" with the engine's complaint) gives none.
    core::EngineRun run(std::string_view commandText) override;
    bool takesTrimmedCommands() const override { return true; }
    bool runsConcurrently() const override { return true; }

private:
    std::string m_ephemerisFolder;
};

}  // namespace vantrel::platform
