#include "app/stop_signals.h"

#include <cerrno>
#include <csignal>
#include <initializer_list>

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace vantrel::app {

namespace {

volatile std::sig_atomic_t g_stopSignalled = 0;
// The write end of the pipe that carries termination signals to the event loop.
int g_signalPipe = -1;

extern "C" void noteStop(int)
{
    g_stopSignalled = 1;
}

// Only async-signal-safe calls: one byte into the pipe, errno as it was.
extern "C" void passToEventLoop(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe, &byte, 1);
    errno = savedErrno;
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

void onTerminationSignals(QObject& context, std::function<void()> stop)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return;  // the signals keep ending the program at once
    g_signalPipe = ends[1];
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &context);
    QObject::connect(notifier, &QSocketNotifier::activated, &context,
                     [readEnd = ends[0], stop = std::move(stop)] {
                         char byte = 0;
                         if (::read(readEnd, &byte, 1) != 1)
                             return;
                         // A second request, while the first is being served, ends at once.
                         std::signal(SIGTERM, SIG_DFL);
                         std::signal(SIGHUP, SIG_DFL);
                         stop();
                     });
    struct sigaction action = {};
    action.sa_handler = passToEventLoop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

}  // namespace vantrel::app
