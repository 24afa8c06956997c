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
    void runHoursCommandHidden(core::DateTime now) override
    {
        m_owner.m_hours.SuppressHoursWindow = true;
        m_owner.m_main.setPickers(now);
        m_owner.HoursButtonClick();
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
    void setStatusText(const std::string& text) override
    {
        m_owner.m_main.setStatusText(QString::fromStdString(text));
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
    void calculateNow() override { m_owner.m_main.NowButtonClick(); }
    void refreshDataWindows() override { m_owner.m_main.AstroButtonClick(); }

private:
    AlarmController& m_owner;
};

AlarmController::AlarmController(AlarmWindow& main, TPhours& hours, core::Sound* sound,
                                 QWidget* dataWindow, QWidget* wheelWindow, QObject* parent)
    : QObject(parent), m_main(main), m_hours(hours), m_dataWindow(dataWindow),
      m_wheelWindow(wheelWindow), m_silence(sound ? nullptr : std::make_unique<Silence>()),
      m_alarm(main.AlarmList(), sound ? *sound : *m_silence, main.services().clock,
              main.services().regional, main.services().workDir, main.services().dataDir),
      m_alarmHost(std::make_unique<AlarmWindowHost>(*this)),
      m_animationHost(std::make_unique<AnimationWindowHost>(*this))
{
    connect(&main.alarmTimer(), &QTimer::timeout, this, &AlarmController::Timer1Timer);
    connect(&main.animationTimer(), &QTimer::timeout, this, &AlarmController::Timer2Timer);
}

AlarmController::~AlarmController() = default;

void AlarmController::connectTo(TVantrelHooks& hooks)
{
    hooks.HoursButtonClick = [this] { HoursButtonClick(); };
    hooks.Alarm1Click = [this] { Alarm1Click(); };
    hooks.Animate1Click = [this] { Animate1Click(); };
}

void AlarmController::HoursButtonClick()
{
    // The flag holds for this one run, even one that fails.
    struct ClearSuppression {
        TPhours& window;
        ~ClearSuppression() { window.SuppressHoursWindow = false; }
    } clearSuppression{m_hours};

    const core::PlanetaryHoursReport report =
        core::runPlanetaryHours(m_main.calculator(), m_main.AlarmList(), m_main.displayedDate(),
                                m_main.displayedTime(), m_main.services().regional);
    QWidget& mainWindow = m_main.widget();
    m_hours.showReport(report, mainWindow.windowTitle());
    if (!m_hours.SuppressHoursWindow) {
        m_hours.show();
        m_hours.raise();
        m_hours.activateWindow();
    }
    m_hours.placeBeside(mainWindow);
    m_main.AstroButtonClick();
}

void AlarmController::Alarm1Click()
{
    m_alarm.toggle(*m_alarmHost);
}

void AlarmController::Timer1Timer()
{
    m_main.guarded([this] { m_alarm.check(*m_alarmHost, m_main.services().settings); });
}

void AlarmController::Animate1Click()
{
    m_animation.toggle(*m_animationHost);
}

void AlarmController::Timer2Timer()
{
    m_main.guarded([this] { m_animation.step(*m_animationHost); });
}

}  // namespace vantrel::ui
