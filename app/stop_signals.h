#pragma once
// Ctrl+C, a termination request or a hang-up in the command-line modes: instead of ending the
// program where it stands, they set a flag that the engine run and the conversion look at, so
// that a running engine is ended together with what it started and nothing is left half done.

namespace vantrel::app {

// Catches SIGINT, SIGTERM and SIGHUP from now on.
void catchStopSignals();

// True once one of them has arrived.
bool stopSignalled();

}  // namespace vantrel::app
