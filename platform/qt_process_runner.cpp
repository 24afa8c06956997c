#include "platform/qt_process_runner.h"

#include <csignal>
#include <cstring>

#include <sys/prctl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QStringList>

namespace vantrel::platform {

namespace {

// How often a waiting run looks at the clock and the stop check.
constexpr int kPollMs = 20;

// Ends the program and everything it started. The group exists as long as any member does;
// the program itself is reaped by QProcess.
void endGroup(QProcess& process)
{
    const qint64 group = process.processId();
    if (group > 0)
        ::kill(static_cast<pid_t>(-group), SIGKILL);
    process.kill();
    process.waitForFinished(5000);
}

}  // namespace

core::ProcessOutcome QtProcessRunner::run(const std::string& program,
                                          const std::vector<std::string>& arguments,
                                          std::chrono::milliseconds timeLimit)
{
    QStringList argumentList;
    for (const auto& argument : arguments)
        argumentList << QString::fromStdString(argument);

    QProcess process;
    process.setProgram(QString::fromStdString(program));
    process.setArguments(argumentList);
    process.setWorkingDirectory(QDir::currentPath());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::SeparateChannels);
    // A group of its own, so that a time-out ends the children too and a Ctrl+C in the
    // terminal reaches this program, which then ends the run itself; and the run dies with
    // this program should it be killed first.
    process.setChildProcessModifier([] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });

    const QDeadlineTimer deadline(timeLimit);
    process.start();
    core::ProcessOutcome outcome;
    if (!process.waitForStarted(static_cast<int>(timeLimit.count()))) {
        outcome.errorText = process.errorString().toStdString();
        if (process.state() != QProcess::NotRunning) {
            // Started too slowly to be told apart from a hang: stop it like one.
            endGroup(process);
            outcome.started = true;
            outcome.timedOut = true;
        }
        return outcome;
    }
    outcome.started = true;
    while (!process.waitForFinished(kPollMs) && process.state() != QProcess::NotRunning) {
        outcome.stopped = stopRequested();
        outcome.timedOut = !outcome.stopped && deadline.hasExpired();
        if (outcome.stopped || outcome.timedOut) {
            endGroup(process);
            return outcome;
        }
    }
    outcome.errorOutput = process.readAllStandardError().toStdString();
    if (process.exitStatus() == QProcess::CrashExit) {
        // For a program that died by a signal, QProcess gives the signal as its exit code.
        outcome.signal = process.exitCode();
        if (const char* name = outcome.signal > 0 ? ::strsignal(outcome.signal) : nullptr)
            outcome.errorText = name;
    } else {
        outcome.exitCode = process.exitCode();
    }
    return outcome;
}

}  // namespace vantrel::platform
