#pragma once
// The planetary-hours command apart from its window.

#include "core/common/date_time.h"
#include "core/common/regional_settings.h"
#include "core/hours/planetary_hours.h"

namespace vantrel::core {

class AlarmList;
class Calculator;

// Runs the calculation for the shown date and time, then the rise-and-set reading, builds the
// report, and adds its hour entries to the alarm list (the list refuses duplicates).
PlanetaryHoursReport runPlanetaryHours(Calculator& calculator, AlarmList& alarms,
                                       const LocalDateTime& shown,
                                       const RegionalSettings& regional);

}  // namespace vantrel::core
