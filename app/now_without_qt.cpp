#include "app/now_without_qt.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>

#include <unistd.h>

#include "app/command_line.h"
#include "app/date_of_now.h"
#include "app/locations.h"
#include "core/chart_engine/engine_run.h"
#include "core/chart_engine/live_zone.h"
#include "core/ports/clipboard.h"
#include "core/settings/settings_file.h"
#include "platform/engine_library.h"
#include "platform/known_locales.h"
#include "platform/system_clock.h"
#include "platform/tz_file_zone_rules.h"

namespace vantrel::app {

std::optional<int> answerNowWithoutQt()
{
    // A preloaded library (a faked clock, say) acts only on a dynamically linked program; and
    // without HOME the home folder comes from the user database, whose name services a
    // statically linked program cannot load.
    if (environmentValueSet("LD_PRELOAD") || !environmentValueSet("HOME"))
        return std::nullopt;
    const std::optional<core::RegionalSettings> regional = platform::tabledSystemRegionalSettings();
    if (!regional)
        return std::nullopt;
    const core::FileLocations locations = programLocations(std::getenv("HOME"));
    core::Settings settings;
    try {
        settings = core::SettingsFile(locations.settingsFile).load();
    } catch (const std::exception&) {
        return std::nullopt;  // the Qt program reports it and goes on with the first-run values
    }
    if (core::engineProgramNamed(settings))
        return std::nullopt;
    const platform::SystemClock clock;
    const platform::TzFileZoneRules zoneRules;
    const core::Instant now = clock.now();
    const bool placeZone =
        settings.timeMode == core::TimeMode::PlaceZone && !settings.zoneName.empty();
    if (!zoneRules.answersAround(now, "") ||
        (placeZone && !zoneRules.answersAround(now, settings.zoneName)))
        return std::nullopt;

    CommandLineMessages messages;
    const core::LiveZone zone = core::liveSystemZone(zoneRules, *regional, messages);
    platform::EngineLibrary engine;
    core::NullMainView view;
    core::NullClipboard clipboard;
    return printDateOfNow({settings, *regional, zone, engine, view, clipboard, messages},
                          core::LocalClock(clock, &zoneRules, settings), view, messages, false);
}

int handOverToQtProgram(char** argv)
{
    const std::filesystem::path program = executableFolder() / kQtProgramName;
    ::execv(program.c_str(), argv);
    const int error = errno;
    std::cerr << "Cannot start " << program.string() << ": " << std::strerror(error) << '.'
              << std::endl;
    return error == ENOENT ? 127 : 126;
}

}  // namespace vantrel::app
