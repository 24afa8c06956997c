#pragma once
// The live mode: once a minute the main window is set to the current moment, recalculated, and
// the output windows are refilled.

namespace vantrel::core {

// What the animation needs from the main window.
class AnimationHost {
  public:
    virtual ~AnimationHost() = default;
    virtual void startTimer() = 0;
    virtual void stopTimer() = 0;
    // The check mark of "Animate".
    virtual void setAnimateMark(bool on) = 0;
    virtual void maximizeWheelWindow() = 0;
    virtual void setBusyCursor(bool busy) = 0;
    virtual void NowButtonClick() = 0;
    virtual void AstroButtonClick() = 0;
};

class Animation {
  public:
    bool running() const { return m_running; }

    // Animate1Click: switches the live mode on (with one step at once) or off. Switching off
    // leaves the windows as they are.
    void Animate1Click(AnimationHost& host);

    // Timer2Timer: one step under the busy cursor; the cursor is restored even when the
    // calculation fails.
    void Timer2Timer(AnimationHost& host);

  private:
    bool m_running = false;
};

} // namespace vantrel::core
