#pragma once
// A main window over fake ports, with the chart listings of Saturday 3 June 2000 answered by
// the fake engine and the clock standing at 8:03:15 PM that day.

#include <memory>

#include <QStringList>

#include "core/common/regional_settings.h"
#include "core/ports/shell.h"
#include "core/ports/tray.h"
#include "core/settings/settings.h"
#include "tests/fakes/fake_ports.h"
#include "ui/main_window.h"

namespace vantrel::testing {

class FakeShell : public core::Shell {
public:
    std::vector<std::string> opened;
    void open(const std::string& addressOrPath) override { opened.push_back(addressOrPath); }
};

struct Balloon {
    std::string title;
    std::string text;
};

class FakeTray : public core::Tray {
public:
    std::vector<Balloon> balloons;
    void showBalloon(const std::string& title, const std::string& text) override
    {
        balloons.push_back({title, text});
    }
};

inline const std::string kDataDir = VANTREL_TEST_DATA_DIR;

inline core::DateTime exampleMoment()
{
    return core::dateTimeFromDate(2000, 6, 3) + core::dateTimeFromTime({20, 3, 15, 0});
}

// Short date 6/3/2000, long date Saturday, June 03, 2000, short time 8:03 PM.
inline core::RegionalSettings exampleRegional()
{
    core::RegionalSettings regional;
    regional.shortDateFormat = "m/d/yyyy";
    return regional;
}

// Connects the commands to the window's menus, as the program does.
template <typename... Commands>
void connectCommands(ui::TVantrel& window, Commands&... commands)
{
    ui::TVantrelHooks hooks;
    (commands.connectTo(hooks), ...);
    window.setHooks(std::move(hooks));
}

struct MainWindowHarness {
    TempDir dir;
    core::Settings settings;
    core::RegionalSettings regional = exampleRegional();
    FakeZoneRules zoneRules;
    FakeClock clock{exampleMoment()};
    FakeProcessRunner runner{dir.path()};
    FakeClipboard clipboard;
    FakeMessages messages;
    FakeShell shell;
    FakeTray tray;
    std::filesystem::path settingsFile = dir.path() / "Vantrel.ini";
    bool hasTray = false;
    std::unique_ptr<ui::TVantrel> window;

    MainWindowHarness()
    {
        // Anno, Roman year, signs without degrees: "Anno IVviii Sol in Gemini, Luna in Leo".
        settings.OBasic = 1;
        settings.OFormat = 0;
        settings.OAspect = 0;
        zoneRules.info = core::ZoneInfo{360, false, 0, 0};
        runner.responder = FakeProcessRunner::cannedListings(
            {{"chart.txt", readWholeFile(kDataDir + "/chart_2000-06-03.txt")},
             {"riseset.txt", readWholeFile(kDataDir + "/riseset_2000-06-03.txt")},
             {"risesetn.txt", readWholeFile(kDataDir + "/risesetn_2000-06-04.txt")}});
    }

    void write(const std::string& name, const std::string& content)
    {
        writeWholeFile(dir.path() / name, content);
    }

    ui::TVantrel& create(QStringList arguments = {})
    {
        window.reset();
        ui::MainWindowServices services{.settings = settings,
                                        .regional = regional,
                                        .zoneRules = zoneRules,
                                        .clock = clock,
                                        .process = runner,
                                        .clipboard = clipboard,
                                        .messages = messages,
                                        .shell = shell,
                                        .settingsFile = settingsFile,
                                        .workDir = dir.path(),
                                        .arguments = std::move(arguments),
                                        .tray = &tray,
                                        .trayAvailable = [this] { return hasTray; }};
        window = std::make_unique<ui::TVantrel>(std::move(services));
        return *window;
    }
};

}  // namespace vantrel::testing
