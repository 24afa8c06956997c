#pragma once
// Connects the alarm and the live mode to the main window: "Activate alarm" and the
// "Start Alarm" button, the once-a-second check (Timer1), "Animate" and the once-a-minute step
// (Timer2), and the planetary-hours command.

#include <memory>

#include <QObject>
#include <QPointer>

#include "core/alarm/alarm.h"
#include "core/alarm/animation.h"

namespace vantrel::core {
class Sound;
}  // namespace vantrel::core

namespace vantrel::ui {

class AlarmWindow;
class HoursWindow;
struct MainWindowHooks;

class AlarmController : public QObject {
    Q_OBJECT

public:
    // Connects the main window's two timers. dataWindow and wheelWindow may be null. sound may
    // be null: nothing is played.
    AlarmController(AlarmWindow& main, HoursWindow& hours, core::Sound* sound, QWidget* dataWindow,
                    QWidget* wheelWindow, QObject* parent = nullptr);
    ~AlarmController() override;

    // Connects the planetary hours, the alarm and the animation to this controller.
    void connectTo(MainWindowHooks& hooks);

    // The planetary-hours command: calculation, rise-and-set reading, the hours window (shown
    // unless its suppressNextShow is set, placed beside the main window either way), the 24
    // hour entries, then the Astrolog data window. Errors propagate to the caller.
    void showPlanetaryHours();
    void toggleAlarm();
    void checkAlarm();
    void toggleAnimation();
    void stepAnimation();

    const core::Alarm& alarm() const { return m_alarm; }
    const core::Animation& animation() const { return m_animation; }

private:
    class AlarmWindowHost;
    class AnimationWindowHost;

    AlarmWindow& m_main;
    HoursWindow& m_hours;
    QPointer<QWidget> m_dataWindow;
    QPointer<QWidget> m_wheelWindow;
    std::unique_ptr<core::Sound> m_silence;
    core::Alarm m_alarm;
    core::Animation m_animation;
    std::unique_ptr<AlarmWindowHost> m_alarmHost;
    std::unique_ptr<AnimationWindowHost> m_animationHost;
};

}  // namespace vantrel::ui
