#include "ui/alarm_controller.h"

#include "core/ports/sound.h"
#include "ui/hours_window.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

namespace vantrel::ui {

namespace {

class Silence : public core::Sound {
  public:
    void playAsync(const std::string&) override {}
    bool playUnlessPlaying(const std::string&) override { return false; }
};

} // namespace

class AlarmController::AlarmWindowHost : public core::AlarmHost {
  public:
    explicit AlarmWindowHost(AlarmController& owner) : m_owner(owner) {}

    void startTimer() override { m_owner.m_main.Timer1->start(); }
    void stopTimer() override { m_owner.m_main.Timer1->stop(); }
    void setArmedMark(bool armed) override { m_owner.m_main.Alarm1->setChecked(armed); }
    void runHoursCommandHidden(core::DateTime now) override
    {
        m_owner.m_hours.SuppressHoursWindow = true;
        m_owner.m_main.setPickers(now);
        ui::HoursButtonClick(m_owner.m_hours, m_owner.m_main);
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

  private:
    AlarmController& m_owner;
};

class AlarmController::AnimationWindowHost : public core::AnimationHost {
  public:
    explicit AnimationWindowHost(AlarmController& owner) : m_owner(owner) {}

    void startTimer() override { m_owner.m_main.Timer2->start(); }
    void stopTimer() override { m_owner.m_main.Timer2->stop(); }
    void setAnimateMark(bool on) override { m_owner.m_main.Animate1->setChecked(on); }
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
    void NowButtonClick() override { m_owner.m_main.NowButtonClick(); }
    void AstroButtonClick() override { m_owner.m_main.AstroButtonClick(); }

  private:
    AlarmController& m_owner;
};

AlarmController::AlarmController(TVantrel& main, TPhours& hours, core::Sound* sound,
                                 QWidget* dataWindow, QWidget* wheelWindow, QObject* parent)
    : QObject(parent), m_main(main), m_hours(hours), m_dataWindow(dataWindow),
      m_wheelWindow(wheelWindow), m_silence(sound ? nullptr : std::make_unique<Silence>()),
      m_alarm(main.AlarmList(), sound ? *sound : *m_silence, main.services().clock, main.regional(),
              main.services().workDir),
      m_alarmHost(std::make_unique<AlarmWindowHost>(*this)),
      m_animationHost(std::make_unique<AnimationWindowHost>(*this))
{
}

AlarmController::~AlarmController() = default;

void AlarmController::install()
{
    TVantrelHooks hooks = m_main.hooks();
    hooks.HoursButtonClick = [this] { HoursButtonClick(); };
    hooks.Alarm1Click = [this] { Alarm1Click(); };
    hooks.Animate1Click = [this] { Animate1Click(); };
    m_main.setHooks(std::move(hooks));
    connect(m_main.Timer1, &QTimer::timeout, this, &AlarmController::Timer1Timer);
    connect(m_main.Timer2, &QTimer::timeout, this, &AlarmController::Timer2Timer);
}

void AlarmController::HoursButtonClick()
{
    ui::HoursButtonClick(m_hours, m_main);
}

void AlarmController::Alarm1Click()
{
    m_alarm.Alarm1Click(*m_alarmHost);
}

void AlarmController::Timer1Timer()
{
    m_main.guarded([this] { m_alarm.Timer1Timer(*m_alarmHost, m_main.settings()); });
}

void AlarmController::Animate1Click()
{
    m_animation.Animate1Click(*m_animationHost);
}

void AlarmController::Timer2Timer()
{
    m_main.guarded([this] { m_animation.Timer2Timer(*m_animationHost); });
}

} // namespace vantrel::ui
