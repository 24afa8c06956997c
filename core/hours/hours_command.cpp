#include "core/hours/hours_command.h"

#include "core/alarm/alarm_list.h"
#include "core/thelemic/calculation.h"

namespace vantrel::core {

PlanetaryHoursReport runPlanetaryHours(Calculator& calculator, AlarmList& alarms,
                                       const LocalDateTime& shown, const RegionalSettings& regional)
{
    calculator.calculate(shown);
    calculator.readRiseSetTimes(shown);
    PlanetaryHoursReport report = computePlanetaryHours(calculator.riseSetTimes(), shown.date,
                                                        calculator.datePattern(), regional);
    alarms.addAll(report.hourEntries);
    return report;
}

}  // namespace vantrel::core
