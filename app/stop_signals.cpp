#include "app/stop_signals.h"

#include <csignal>
#include <initializer_list>

namespace vantrel::app {

namespace {

volatile std::sig_atomic_t g_stopSignalled = 0;

extern "C" void noteStop(int)
{
    g_stopSignalled = 1;
}

}  // namespace

void catchStopSignals()
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, noteStop);
}

bool stopSignalled()
{
    return g_stopSignalled != 0;
}

}  // namespace vantrel::app
