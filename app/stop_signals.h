#pragma once
// Ctrl+C, a termination request or a hang-up in the command-line modes: instead of ending the
// program where it stands, they set a flag that the engine run and the conversion look at, so
// that a running engine is ended together with what it started and nothing is left half done.
// In the window a termination request or a hang-up (a logout) ends the program as its Exit
// command does.

#include <functional>

class QObject;

namespace vantrel::app {

// Catches SIGINT, SIGTERM and SIGHUP from now on.
void catchStopSignals();

// True once one of them has arrived.
bool stopSignalled();

// From now on SIGTERM and SIGHUP call `stop` on the event loop of `context`'s thread, while
// `context` lives; a second signal after that ends the program at once.
void onTerminationSignals(QObject& context, std::function<void()> stop);

}  // namespace vantrel::app
