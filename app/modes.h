#pragma once
// The ways the program runs, chosen by main() from the command line once Qt's own options are
// set aside. Each mode creates its own Qt application object from argc and argv, which still
// hold Qt's options, and returns the process's exit status. Each mode lives in its own file.

#include <iosfwd>
#include <memory>
#include <string>

#include <QCoreApplication>

#include "app/command_line.h"

namespace vantrel::app {

// "vantrel x": the date for the current moment on standard output and on the clipboard.
int runNowMode(int& argc, char** argv, const CommandLine& commandLine);
// "vantrel -h", "vantrel --help": the modes, the files and where they lie, on `out`. Touches
// neither the clipboard nor any file.
int printUsage(std::ostream& out);
// "vantrel --version": the version, on standard output.
int printVersion();
// "vantrel -WORD" that is no option of the program's nor Qt's: says so and prints the usage on
// standard error; status 2. The clipboard is left alone.
int reportUnknownOption(const std::string& argument);
// "vantrel WORD" (any other single argument but "x"): the clipboard gets the empty text.
int runEmptyClipboardMode(int& argc, char** argv, const CommandLine& commandLine);
// "vantrel IN OUT": converts the batch file IN into OUT.
int runBatchMode(int& argc, char** argv, const CommandLine& commandLine);
// "vantrel --calendar YEAR FILE": the civil year's phases, entries and feasts as an iCalendar
// file, or on standard output for FILE "-".
int runCalendarMode(int& argc, char** argv, const CommandLine& commandLine);
// An option of the program's with the wrong arguments: says what it takes and prints the usage
// on standard error; status 2.
int reportMisusedOption(const std::string& option, const std::string& takes);
// No argument, or three and more: the main window.
int runWindowMode(int& argc, char** argv, const CommandLine& commandLine);

// The application object of a command-line mode. With neither a display nor a chosen platform
// it is a QCoreApplication, which loads no platform plugin and has no clipboard. Otherwise it is
// a QGuiApplication, whose clipboard the mode uses: the chosen platform, or else those of the
// displays that are set, are tried in turn and Qt's offscreen one last, so that a platform whose
// plugin is missing or whose server does not answer leaves the mode without a clipboard, as no
// display does, instead of ending it.
std::unique_ptr<QCoreApplication> commandLineApplication(int& argc, char** argv,
                                                         const CommandLine& commandLine);
// The application object reaches a clipboard.
bool hasClipboard(const QCoreApplication& application);

// In the command-line modes standard error carries the program's own messages only: Qt's
// debug output and warnings (about a missing runtime folder, say) are dropped, its critical
// and fatal reports kept.
void quietQtDiagnostics();

}  // namespace vantrel::app
