#include "ui/alarm_controller.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include "core/hours/hours_command.h"
#include "core/ports/sound.h"
#include "ui/hours_window.h"
#include "ui/main_window_interface.h"

namespace vantrel::ui {

namespace {

// How long a note stands over the alarm's ticking status text.
constexpr int kNoteMs = 10000;

class Silence : public core::Sound {
public:
    void playAsync(const std::string&) override {}
    bool playInTurn(const std::string&) override { return false; }
    bool canBeHeard() const override { return false; }
};

}  // namespace

class AlarmController::AlarmWindowHost : public core::AlarmHost {
public:
    explicit AlarmWindowHost(AlarmController& owner) : m_owner(owner) {}

    void startTimer() override { m_owner.m_main.alarmTimer().start(); }
    void stopTimer() override { m_owner.m_main.alarmTimer().stop(); }
    void setArmedMark(bool armed) override { m_owner.m_main.setAlarmMark(armed); }
    void runHoursCommandHidden(const core::LocalDateTime& now) override
    {
        m_owner.m_hours.suppressNextShow = true;
        m_owner.m_main.setPickers(now);
        m_owner.showPlanetaryHours();
    }
    void hideOutputWindows() override
    {
        if (m_owner.m_wheelWindow)
            m_owner.m_wheelWindow->hide();
        m_owner.m_hours.hide();
        if (m_owner.m_dataWindow)
            m_owner.m_dataWindow->hide();
    }
    void addDisplayLine(const std::string& line) override
    {
        m_owner.m_main.addDisplayLine(QString::fromStdString(line));
    }
    void addDisplayAside(const std::string& text) override
    {
        m_owner.m_main.addDisplayAside(QString::fromStdString(text));
    }
    void setStatusText(const std::string& text) override
    {
        m_owner.m_main.setStatusText(QString::fromStdString(text));
        // Cleared as the alarm goes off: its note goes with it.
        if (text.empty())
            if (auto* window = qobject_cast<QMainWindow*>(&m_owner.m_main.widget()))
                window->statusBar()->clearMessage();
    }
    void showNote(const std::string& text) override
    {
        if (auto* window = qobject_cast<QMainWindow*>(&m_owner.m_main.widget()))
            window->statusBar()->showMessage(QString::fromStdString(text), kNoteMs);
    }

private:
    AlarmController& m_owner;
};

class AlarmController::AnimationWindowHost : public core::AnimationHost {
public:
    explicit AnimationWindowHost(AlarmController& owner) : m_owner(owner) {}

    void startTimer() override { m_owner.m_main.animationTimer().start(); }
    void stopTimer() override { m_owner.m_main.animationTimer().stop(); }
    void setAnimateMark(bool on) override { m_owner.m_main.setAnimateMark(on); }
    void maximizeWheelWindow() override
    {
        if (QWidget* wheel = m_owner.m_wheelWindow)
            wheel->setWindowState(wheel->windowState() | Qt::WindowMaximized);
    }
    void setBusyCursor(bool busy) override
    {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    void calculateNow() override { m_owner.m_main.calculateNow(); }
    void refreshDataWindows() override { m_owner.m_main.showDataWindow(); }

private:
    AlarmController& m_owner;
};

AlarmController::AlarmController(AlarmWindow& main, HoursWindow& hours, core::Sound* sound,
                                 QWidget* dataWindow, QWidget* wheelWindow, QObject* parent)
    : QObject(parent), m_main(main), m_hours(hours), m_dataWindow(dataWindow),
      m_wheelWindow(wheelWindow), m_silence(sound ? nullptr : std::make_unique<Silence>()),
      m_alarm(main.alarmList(), sound ? *sound : *m_silence, main.localClock(),
              main.services().regional, main.services().workDir, main.services().dataDir),
      m_alarmHost(std::make_unique<AlarmWindowHost>(*this)),
      m_animationHost(std::make_unique<AnimationWindowHost>(*this))
{
    connect(&main.alarmTimer(), &QTimer::timeout, this, &AlarmController::checkAlarm);
    connect(&main.animationTimer(), &QTimer::timeout, this, &AlarmController::stepAnimation);
}

AlarmController::~AlarmController() = default;

void AlarmController::connectTo(MainWindowHooks& hooks)
{
    hooks.showPlanetaryHours = [this] { showPlanetaryHours(); };
    hooks.toggleAlarm = [this] { toggleAlarm(); };
    hooks.toggleAnimation = [this] { toggleAnimation(); };
}

void AlarmController::showPlanetaryHours()
{
    // The flag holds for this one run, even one that fails.
    struct ClearSuppression {
        HoursWindow& window;
        ~ClearSuppression() { window.suppressNextShow = false; }
    } clearSuppression{m_hours};

    const core::PlanetaryHoursReport report = core::runPlanetaryHours(
        m_main.calculator(), m_main.alarmList(), {m_main.displayedDate(), m_main.displayedTime()},
        m_main.services().regional);
    QWidget& mainWindow = m_main.widget();
    m_hours.showReport(report, mainWindow.windowTitle());
    if (!m_hours.suppressNextShow) {
        m_hours.show();
        m_hours.raise();
        m_hours.activateWindow();
    }
    m_hours.placeBeside(mainWindow);
    m_main.showDataWindow();
}

void AlarmController::toggleAlarm()
{
    m_alarm.toggle(*m_alarmHost);
}

void AlarmController::checkAlarm()
{
    m_main.guarded([this] { m_alarm.check(*m_alarmHost, m_main.services().settings); });
}

void AlarmController::toggleAnimation()
{
    m_animation.toggle(*m_animationHost);
}

void AlarmController::stepAnimation()
{
    m_main.guarded([this] { m_animation.step(*m_animationHost); });
}

}  // namespace vantrel::ui
