#include "ui/batch_command.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimeEdit>
#include <QTimer>

#include "core/batch/convert_batch.h"
#include "ui/main_window_interface.h"

namespace vantrel::ui {

namespace {

const QString kTextFiles = QStringLiteral("Text files (*.txt);;All files (*)");

// Drives the progress dialog, which shows itself only once the conversion has run for a moment,
// and shows the last line's date and time in the pickers at the end.
class WindowObserver : public core::BatchObserver {
public:
    explicit WindowObserver(CalculationWindow& window)
        : m_window(window), m_progress(QStringLiteral("Converting dates..."),
                                       QStringLiteral("Cancel"), 0, 0, &window.widget())
    {
        m_progress.setWindowTitle(QStringLiteral("Vantrel"));
        m_progress.setWindowModality(Qt::ApplicationModal);
        m_progress.setMinimumDuration(BatchCommand::kProgressDelayMs);
        m_progress.setAutoClose(false);
        m_progress.setAutoReset(false);
    }

    void datePickerSet(core::Date date) override
    {
        m_window.setPickers({date, m_window.displayedTime()});
    }
    void timePickerSet(core::TimeOfDay time) override
    {
        m_window.setPickers({m_window.displayedDate(), time});
    }
    bool showsLastLine() const override { return true; }

    // Lines done, lines per second and the time left; the bar by the part of the input read,
    // when its size is known.
    bool progress(const core::BatchProgress& progress) override
    {
        m_progress.setLabelText(QStringLiteral("Converting dates...\n") +
                                QString::fromStdString(progress.text()));
        if (progress.bytesTotal && *progress.bytesTotal > 0) {
            constexpr int kSteps = 1000;
            m_progress.setMaximum(kSteps);
            m_progress.setValue(static_cast<int>(std::min<std::uint64_t>(
                kSteps - 1, progress.bytesDone * kSteps / *progress.bytesTotal)));
        }
        if (!m_progress.isVisible() &&
            progress.elapsed >= std::chrono::milliseconds(BatchCommand::kProgressDelayMs))
            m_progress.show();
        return !stopRequested();
    }
    // While the conversion runs the dialog keeps answering: its Cancel ends it, and a running
    // engine program, at once. Until it shows (and, modal, keeps the other windows from the
    // user) no input is let through.
    bool stopRequested() override
    {
        QCoreApplication::processEvents(
            m_progress.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        return m_progress.wasCanceled();
    }

private:
    CalculationWindow& m_window;
    QProgressDialog m_progress;
};

// The progress dialog lets events through between lines; the alarm check and the animation step
// must not run a calculation of their own in the middle of the conversion, so they wait.
class TimerPause {
public:
    explicit TimerPause(std::initializer_list<QTimer*> timers)
    {
        for (QTimer* timer : timers) {
            if (timer && timer->isActive()) {
                timer->stop();
                m_paused.push_back(timer);
            }
        }
    }
    ~TimerPause()
    {
        for (QTimer* timer : m_paused)
            timer->start();
    }
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    std::vector<QTimer*> m_paused;
};

}  // namespace

BatchCommand::ChooseFile BatchCommand::desktopChoosers(QWidget* parent)
{
    return [parent](Chooser chooser, const QString& caption, const QString& preset) {
        // The static choosers: the desktop's own where the platform offers one. The save
        // chooser asks before it replaces a file.
        const QString name =
            chooser == Chooser::Open
                ? QFileDialog::getOpenFileName(parent, caption, preset, kTextFiles)
                : QFileDialog::getSaveFileName(parent, caption, preset, kTextFiles);
        return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
    };
}

BatchCommand::BatchCommand(CalculationWindow& window, ChooseFile choose)
    : m_window(window), m_choose(choose ? std::move(choose) : desktopChoosers(&window.widget()))
{
}

void BatchCommand::connectTo(MainWindowHooks& hooks)
{
    hooks.askAndConvertBatch = [this] { askAndConvertBatch(); };
    hooks.convertBatch = [this](const QString& input, const QString& output) {
        convertBatch(input, output);
    };
}

void BatchCommand::askAndConvertBatch()
{
    const QString folder = m_inputFolder.isEmpty() ? QDir::homePath() : m_inputFolder;
    const auto input = m_choose(Chooser::Open, QStringLiteral("Input File"), folder);
    if (!input)
        return;
    const QFileInfo inputFile(*input);
    m_inputFolder = inputFile.absolutePath();
    // Beside the input; the input itself is never offered as the output.
    QString preset = QDir(m_inputFolder).filePath(QStringLiteral("output.txt"));
    if (QFileInfo(preset) == inputFile)
        preset = m_inputFolder;
    const auto output = m_choose(Chooser::Save, QStringLiteral("Output File"), preset);
    if (!output)
        return;
    convertBatch(*input, *output);
}

void BatchCommand::convertBatch(const QString& inputFile, const QString& outputFile)
{
    const TimerPause pause{&m_window.alarmTimer(), &m_window.animationTimer()};
    WindowObserver observer(m_window);
    core::convertBatch({m_window.calculator(), m_window.services().clock, observer,
                        m_window.services().placeLookup},
                       inputFile.toStdString(), outputFile.toStdString());
}

}  // namespace vantrel::ui
