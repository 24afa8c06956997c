// Entry: picks the mode from the command line, Qt's own options set aside.

#include <iostream>

#include "app/command_line.h"
#include "app/modes.h"

int main(int argc, char** argv)
{
    using namespace vantrel::app;
    const CommandLine commandLine = commandLineWithoutQtOptions(argc, argv);
    switch (modeOf(commandLine)) {
    case Mode::Now:
        return runNowMode(argc, argv, commandLine);
    case Mode::Help:
        return printUsage(std::cout);
    case Mode::Version:
        return printVersion();
    case Mode::UnknownOption:
        return reportUnknownOption(commandLine.arguments.front());
    case Mode::EmptyClipboard:
        return runEmptyClipboardMode(argc, argv, commandLine);
    case Mode::Batch:
        return runBatchMode(argc, argv, commandLine);
    case Mode::Calendar:
        return runCalendarMode(argc, argv, commandLine);
    case Mode::MisusedCalendar:
        return reportMisusedOption("--calendar", "a year and a file (or - for standard output)");
    case Mode::Window:
        break;
    }
    return runWindowMode(argc, argv, commandLine);
}
