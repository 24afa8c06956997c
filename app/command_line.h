#pragma once
// The command line as the program reads it: Qt's own options (-style fusion, -platform xcb,
// -reverse, ...) are set aside first, by the rules Qt itself applies when it creates the
// application object, so that they work with every mode and never count as arguments.

#include <string>
#include <vector>

namespace vantrel::app {

struct CommandLine {
    // The arguments after the program's name, without Qt's options and their values.
    std::vector<std::string> arguments;
    // Where in argv the value of a -platform option stands; 0 when there is none.
    int platformValue = 0;
};

CommandLine commandLineWithoutQtOptions(int argc, const char* const* argv);

// The environment variable is set to a value that is not empty.
bool environmentValueSet(const char* name);
// DISPLAY or WAYLAND_DISPLAY is set.
bool displaySet();
// The platform was chosen on the command line (-platform) or in QT_QPA_PLATFORM.
bool platformChosen(const CommandLine& commandLine);

enum class Mode {
    Window,           // no argument, or three and more
    Now,              // "x"
    Help,             // "-h", "--help"
    Version,          // "--version"
    UnknownOption,    // any other single argument that begins with "-"
    EmptyClipboard,   // any other single argument
    Batch,            // two arguments: input and output
    Calendar,         // "--calendar" and two more: the year and the file
    MisusedCalendar,  // "--calendar" with any other number of arguments
};

Mode modeOf(const CommandLine& commandLine);

}  // namespace vantrel::app
