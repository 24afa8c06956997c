#include "ui/engine_wait.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>

namespace vantrel::ui {

namespace {

// Longer than the runner's polling interval, so that the cursor stays through one run and those
// that follow it in the same calculation.
constexpr int kWaitEndsAfterMs = 150;

}  // namespace

EngineWait::EngineWait(std::initializer_list<QObject*> heldTimers)
{
    for (QObject* timer : heldTimers)
        m_heldTimers.emplace_back(timer);
    m_end.setSingleShot(true);
    m_end.setInterval(kWaitEndsAfterMs);
    connect(&m_end, &QTimer::timeout, this, &EngineWait::endWait);
}

EngineWait::~EngineWait()
{
    endWait();
}

bool EngineWait::check()
{
    if (!m_waiting) {
        m_waiting = true;
        m_escape = false;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    m_end.start();
    qApp->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->removeEventFilter(this);
    return m_escape;
}

void EngineWait::endWait()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    m_end.stop();
    QApplication::restoreOverrideCursor();
}

bool EngineWait::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_escape = true;
        return true;
    }
    if (event->type() == QEvent::Timer &&
        std::find(m_heldTimers.begin(), m_heldTimers.end(), watched) != m_heldTimers.end())
        return true;
    return event->isInputEvent() || event->type() == QEvent::ShortcutOverride ||
           QObject::eventFilter(watched, event);
}

}  // namespace vantrel::ui
