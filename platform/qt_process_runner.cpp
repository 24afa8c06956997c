#include "platform/qt_process_runner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

namespace vantrel::platform {

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

    const int limitMs = static_cast<int>(timeLimit.count());
    QElapsedTimer elapsed;
    elapsed.start();
    process.start();
    core::ProcessOutcome outcome;
    if (!process.waitForStarted(limitMs)) {
        outcome.errorText = process.errorString().toStdString();
        if (process.state() != QProcess::NotRunning) {
            // Started too slowly to be told apart from a hang: stop it like one.
            process.kill();
            process.waitForFinished(5000);
            outcome.started = true;
            outcome.timedOut = true;
        }
        return outcome;
    }
    outcome.started = true;
    const int remainingMs = std::max<int>(1, limitMs - static_cast<int>(elapsed.elapsed()));
    if (!process.waitForFinished(remainingMs)) {
        process.kill();
        process.waitForFinished(5000);
        outcome.timedOut = true;
        return outcome;
    }
    // A crash has no exit code of its own; it is reported like a failing one.
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.errorOutput = process.readAllStandardError().toStdString();
    return outcome;
}

}  // namespace vantrel::platform
