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
    // Sets the date and time fields to the current moment and runs the calculation.
    virtual void calculateNow() = 0;
    // Refills the data window from the new listings and shows it, with the wheel chart when a
    // picture was drawn.
    virtual void refreshDataWindows() = 0;
};

class Animation {
public:
    bool running() const { return m_running; }

    // Switches the live mode ("Animate") on, with one step at once, or off. Switching off
    // leaves the windows as they are.
    void toggle(AnimationHost& host);

    // One step, run once a minute: the current moment calculated and the data windows
    // refreshed, under the busy cursor; the cursor is restored even when the calculation fails.
    void step(AnimationHost& host);

private:
    bool m_running = false;
};

}  // namespace vantrel::core
