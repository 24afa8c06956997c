#include "ui/hints_switch.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QToolTip>

namespace vantrel::ui {
namespace {

// Swallows tooltip requests while hints are off, so every widget keeps its hint text and the
// hints come back as they were when switched on again.
class HintsFilter : public QObject {
public:
    using QObject::QObject;
    bool enabled = true;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!enabled && event->type() == QEvent::ToolTip)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

QPointer<HintsFilter>& filterInstance()
{
    static QPointer<HintsFilter> instance;
    return instance;
}

}  // namespace

void setHintsEnabled(bool enabled)
{
    auto& filter = filterInstance();
    if (!filter) {
        if (!qApp)
            return;
        filter = new HintsFilter(qApp);
        qApp->installEventFilter(filter);
    }
    filter->enabled = enabled;
    if (!enabled)
        QToolTip::hideText();
}

bool hintsEnabled()
{
    const auto& filter = filterInstance();
    return !filter || filter->enabled;
}

}  // namespace vantrel::ui
