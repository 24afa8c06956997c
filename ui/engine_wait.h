#pragma once
// While an engine program runs for the window, the windows go on painting and answering instead
// of freezing: the cursor shows the wait, the user's input is held back but for Escape, which
// stops the run, and the timers whose commands would calculate wait their turn.

#include <initializer_list>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QTimer>

namespace vantrel::ui {

class EngineWait : public QObject {
    Q_OBJECT

public:
    // heldTimers: timers whose firing would start a calculation of its own in the middle of one.
    explicit EngineWait(std::initializer_list<QObject*> heldTimers);
    ~EngineWait() override;

    // The process runner's stop check, asked every few hundredths of a second while a run
    // waits: handles the events that came meanwhile; true once Escape has been pressed in this
    // wait. The wait cursor stays until a moment after the last check.
    bool check();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void endWait();

    std::vector<QPointer<QObject>> m_heldTimers;
    QTimer m_end;
    bool m_waiting = false;
    bool m_escape = false;
};

}  // namespace vantrel::ui
