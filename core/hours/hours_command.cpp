#include "core/hours/hours_command.h"

#include "core/alarm/alarm_list.h"
#include "core/thelemic/calculation.h"

namespace vantrel::core {

PlanetaryHoursReport runPlanetaryHours(Calculator& calculator, AlarmList& alarms, DateTime date,
                                       DateTime time, const RegionalSettings& regional)
{
    calculator.calculate(date, time);
    calculator.readRiseSetTimes(date, time);
    PlanetaryHoursReport report = computePlanetaryHours(calculator.riseSetTimes(), datePart(date),
                                                        calculator.datePattern(), regional);
    alarms.addAll(report.hourEntries);
    return report;
}

}  // namespace vantrel::core
