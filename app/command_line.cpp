#include "app/command_line.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace vantrel::app {

namespace {

enum class Value {
    None,        // a switch
    Next,        // takes the next argument, whatever it is; alone at the end it takes nothing
    IfFollowed,  // takes the next argument when there is one; alone at the end it is no option
};

struct QtOption {
    std::string_view name;
    Value value;
};

// What Qt 6 takes out of argv: QCoreApplication, QGuiApplication, QApplication and the X11
// platform. The X11 ones (-display, -geometry, -title, ...) are taken on every platform, so
// that a command means the same on every desktop.
constexpr QtOption kQtOptions[] = {
    {"platform", Value::Next},        {"platformpluginpath", Value::Next},
    {"platformtheme", Value::Next},   {"plugin", Value::Next},
    {"qwindowgeometry", Value::Next}, {"qwindowtitle", Value::Next},
    {"qwindowicon", Value::Next},     {"geometry", Value::Next},
    {"title", Value::Next},           {"icon", Value::Next},
    {"style", Value::IfFollowed},     {"stylesheet", Value::IfFollowed},
    {"session", Value::IfFollowed},   {"qmljsdebugger", Value::IfFollowed},
    {"display", Value::IfFollowed},   {"name", Value::IfFollowed},
    {"visual", Value::IfFollowed},    {"reverse", Value::None},
    {"testability", Value::None},     {"widgetcount", Value::None},
    {"nograb", Value::None},          {"dograb", Value::None},
    {"qdevel", Value::None},          {"qdebug", Value::None},
};

// Options that also carry their value after "=" in the same argument.
constexpr std::string_view kJoinedOptions[] = {"style=", "stylesheet=", "qmljsdebugger="};

// The option's name without its "-" or "--"; nothing for an argument that is no option.
std::optional<std::string_view> optionName(std::string_view argument)
{
    if (argument.starts_with("--"))
        return argument.substr(2);
    if (argument.starts_with('-'))
        return argument.substr(1);
    return std::nullopt;
}

const QtOption* qtOption(std::string_view name)
{
    const auto* found = std::find_if(std::begin(kQtOptions), std::end(kQtOptions),
                                     [&](const QtOption& option) { return option.name == name; });
    return found == std::end(kQtOptions) ? nullptr : found;
}

bool joinedQtOption(std::string_view name)
{
    return std::any_of(std::begin(kJoinedOptions), std::end(kJoinedOptions),
                       [&](std::string_view prefix) { return name.starts_with(prefix); });
}

}  // namespace

CommandLine commandLineWithoutQtOptions(int argc, const char* const* argv)
{
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const std::optional<std::string_view> name = optionName(argument);
        const QtOption* option = name ? qtOption(*name) : nullptr;
        const bool followed = i + 1 < argc;
        if (name && joinedQtOption(*name))
            continue;
        if (!option || (option->value == Value::IfFollowed && !followed)) {
            line.arguments.emplace_back(argument);
            continue;
        }
        if (option->value != Value::None && followed) {
            ++i;
            if (option->name == "platform")
                line.platformValue = i;
        }
    }
    return line;
}

bool environmentValueSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

bool displaySet()
{
    return environmentValueSet("DISPLAY") || environmentValueSet("WAYLAND_DISPLAY");
}

bool platformChosen(const CommandLine& commandLine)
{
    return commandLine.platformValue > 0 || environmentValueSet("QT_QPA_PLATFORM");
}

Mode modeOf(const CommandLine& commandLine)
{
    const std::vector<std::string>& arguments = commandLine.arguments;
    if (!arguments.empty() && arguments.front() == "--calendar")
        return arguments.size() == 3 ? Mode::Calendar : Mode::MisusedCalendar;
    if (arguments.size() == 2)
        return Mode::Batch;
    if (arguments.size() != 1)
        return Mode::Window;
    const std::string& argument = arguments.front();
    if (argument == "x")
        return Mode::Now;
    if (argument == "-h" || argument == "--help")
        return Mode::Help;
    if (argument == "--version")
        return Mode::Version;
    if (argument.starts_with('-'))
        return Mode::UnknownOption;
    return Mode::EmptyClipboard;
}

}  // namespace vantrel::app
