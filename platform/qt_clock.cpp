#include "platform/qt_clock.h"

#include <QDateTime>

namespace vantrel::platform {

core::Instant QtClock::now() const
{
    return core::Instant(std::chrono::milliseconds(QDateTime::currentMSecsSinceEpoch()));
}

}  // namespace vantrel::platform
