#pragma once
// Connects the alarm and the live mode to the main window: "Activate alarm" and the
// "Start Alarm" button, Timer1 (the once-a-second check), "Animate" and Timer2 (the
// once-a-minute step), and the planetary-hours command.

#include "core/alarm/alarm.h"
#include "core/alarm/animation.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace vantrel::core {
class Sound;
} // namespace vantrel::core

namespace vantrel::ui {

class TPhours;
class TVantrel;

class AlarmController : public QObject {
    Q_OBJECT

  public:
    // dataWindow and wheelWindow may be null. sound may be null: nothing is played.
    AlarmController(TVantrel& main, TPhours& hours, core::Sound* sound, QWidget* dataWindow,
                    QWidget* wheelWindow, QObject* parent = nullptr);
    ~AlarmController() override;

    // Sets the main window's hooks for the planetary hours, the alarm and the animation (the
    // other hooks are kept) and connects its two timers.
    void install();

    void HoursButtonClick();
    void Alarm1Click();
    void Timer1Timer();
    void Animate1Click();
    void Timer2Timer();

    const core::Alarm& alarm() const { return m_alarm; }
    const core::Animation& animation() const { return m_animation; }

  private:
    class AlarmWindowHost;
    class AnimationWindowHost;

    TVantrel& m_main;
    TPhours& m_hours;
    QPointer<QWidget> m_dataWindow;
    QPointer<QWidget> m_wheelWindow;
    std::unique_ptr<core::Sound> m_silence;
    core::Alarm m_alarm;
    core::Animation m_animation;
    std::unique_ptr<AlarmWindowHost> m_alarmHost;
    std::unique_ptr<AnimationWindowHost> m_animationHost;
};

} // namespace vantrel::ui
