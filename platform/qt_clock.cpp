#include "platform/qt_clock.h"

#include <QDateTime>

namespace vantrel::platform {

core::DateTime QtClock::now() const
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return core::dateTimeFromDate(date.year(), date.month(), date.day()) +
           core::dateTimeFromTime({time.hour(), time.minute(), time.second(), time.msec()});
}

}  // namespace vantrel::platform
