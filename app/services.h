#pragma once
// The composition root: the real adapters of the core's ports, the user's regional settings,
// the settings file, the live zone rules and the engine beside the executable.

#include <filesystem>
#include <memory>
#include <string>

#include "app/command_line_messages.h"
#include "core/chart_engine/configured_engine.h"
#include "core/chart_engine/engine_program.h"
#include "core/chart_engine/live_zone.h"
#include "core/common/regional_settings.h"
#include "core/ports/clipboard.h"
#include "core/ports/messages.h"
#include "core/settings/file_locations.h"
#include "core/settings/settings.h"
#include "core/thelemic/calculation.h"
#include "platform/engine_library.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_clock.h"
#include "platform/qt_process_runner.h"
#include "platform/qt_zone_rules.h"

namespace vantrel::app {

// Everything a calculation needs apart from its view and messages. Create after the Qt
// application object.
struct Services {
    platform::QtClock clock;
    platform::QtZoneRules zoneRules;
    platform::QtProcessRunner process;
    platform::QtClipboard clipboard;
    core::RegionalSettings regional;
    std::filesystem::path settingsPath;
    core::Settings settings;
    core::LiveZone zone;
    std::string enginePath;
    // Without a display the clipboard would live only as long as this process; it is left alone.
    core::NullClipboard noClipboard;
    // The engine built into the program; the engine program the settings name, run in the
    // current directory; and the one of the two the settings choose, keeping its outputs in
    // memory.
    platform::EngineLibrary builtInEngine;
    core::EngineProgram engineProgram;
    core::ConfiguredEngine engine;

    // Takes the live zone rules and reads the settings file of `locations`; problems are reported
    // through `messages` and leave the first-run values in place.
    Services(core::Messages& messages, const core::FileLocations& locations);

    // The command-line modes run an engine program in a private folder: one that the settings
    // name by a relative path is taken relative to the working folder, as the window takes it.
    void anchorEngineTo(const std::filesystem::path& workDir);
    // The settings name an engine program, which then runs instead of the built-in engine.
    bool engineProgramNamed() const;

    // The clipboard a command-line mode writes: the system's, or none without a display.
    core::Clipboard& commandLineClipboard(bool headless)
    {
        return headless ? static_cast<core::Clipboard&>(noClipboard) : clipboard;
    }

    // A calculation context over these services: the built-in engine, or an engine program in
    // the current directory.
    core::CalculationContext calculationContext(core::MainView& view, core::Clipboard& clipboard,
                                                core::Messages& messages);
};

}  // namespace vantrel::app
