#include "core/alarm/animation.h"

namespace vantrel::core {

namespace {

class BusyCursor {
public:
    explicit BusyCursor(AnimationHost& host) : m_host(host) { m_host.setBusyCursor(true); }
    ~BusyCursor() { m_host.setBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    AnimationHost& m_host;
};

}  // namespace

void Animation::toggle(AnimationHost& host)
{
    if (m_running) {
        host.stopTimer();
        m_running = false;
        host.setAnimateMark(false);
        return;
    }
    host.startTimer();
    m_running = true;
    host.setAnimateMark(true);
    host.maximizeWheelWindow();
    step(host);
}

void Animation::step(AnimationHost& host)
{
    BusyCursor busy(host);
    host.calculateNow();
    host.refreshDataWindows();
}

}  // namespace vantrel::core
