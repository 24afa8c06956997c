#pragma once
// The ways the program runs, chosen by main() from the command line. Each mode creates its own
// Qt application object from argc and argv and returns the process's exit status. Each mode
// lives in its own file.

namespace vantrel::app {

// "vantrel x": the date for the current moment on standard output and on the clipboard.
int runNowMode(int& argc, char** argv);
// "vantrel -h", "vantrel --help": the modes, the files and where they lie, on standard output.
// Touches neither the clipboard nor any file.
int printUsage();
// "vantrel --version": the version, on standard output.
int printVersion();
// "vantrel WORD" (any other single argument but "x"): the clipboard gets the empty text.
int runEmptyClipboardMode(int& argc, char** argv);
// "vantrel IN OUT": converts the batch file IN into OUT.
int runBatchMode(int& argc, char** argv);
// No argument, or three and more: the main window.
int runWindowMode(int& argc, char** argv);

// Sets Qt's offscreen platform when no display is available (neither DISPLAY nor
// WAYLAND_DISPLAY is set) and no platform was chosen. Call before creating the application
// object. Returns true when the program runs without a display.
bool prepareQtPlatform();

// In the command-line modes standard error carries the program's own messages only: Qt's
// debug output and warnings (about a missing runtime folder, say) are dropped, its critical
// and fatal reports kept.
void quietQtDiagnostics();

}  // namespace vantrel::app
