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

// How often a waiting run looks at the clock and the stop check, and takes what the program
// wrote on its standard error.
constexpr int kPollMs = 20;
// What is kept of the program's standard error: its start and its end, so that a program that
// writes without end cannot fill the memory.
constexpr qsizetype kKeptErrorBytes = 4096;

// The first and the last kKeptErrorBytes of a stream, with a note of what was left out between.
class ErrorOutput {
public:
    void add(const QByteArray& bytes)
    {
        if (m_head.size() < kKeptErrorBytes) {
            const qsizetype room = kKeptErrorBytes - m_head.size();
            m_head += bytes.left(room);
            addToTail(bytes.mid(room));
            return;
        }
        addToTail(bytes);
    }
    std::string text() const
    {
        std::string text = m_head.toStdString();
        if (m_skipped > 0)
            text += "\n[" + std::to_string(m_skipped) + " bytes left out]\n";
        return text + m_tail.toStdString();
    }

private:
    void addToTail(const QByteArray& bytes)
    {
        m_tail += bytes;
        if (m_tail.size() > kKeptErrorBytes) {
            m_skipped += m_tail.size() - kKeptErrorBytes;
            m_tail.remove(0, m_tail.size() - kKeptErrorBytes);
        }
    }

    QByteArray m_head, m_tail;
    long long m_skipped = 0;
};

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

// Ends what a program that has ended left running in its group: nothing it started outlives
// the run.
void endLeftovers(qint64 group)
{
    if (group > 0)
        ::kill(static_cast<pid_t>(-group), SIGKILL);
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
    const qint64 group = process.processId();
    ErrorOutput errorOutput;
    while (!process.waitForFinished(kPollMs) && process.state() != QProcess::NotRunning) {
        errorOutput.add(process.readAllStandardError());
        outcome.stopped = stopRequested();
        outcome.timedOut = !outcome.stopped && deadline.hasExpired();
        if (outcome.stopped || outcome.timedOut) {
            endGroup(process);
            return outcome;
        }
    }
    endLeftovers(group);
    errorOutput.add(process.readAllStandardError());
    outcome.errorOutput = errorOutput.text();
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
