#pragma once
// Dates and times as GoogleTest prints them in a failure: "2000-06-03 20:03:15.000".

#include <cstdio>
#include <ostream>

#include "core/common/date_time.h"

namespace vantrel::core {

inline void PrintTo(const Date& date, std::ostream* out)
{
    const CivilDate civil = date.civil();
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", civil.year, civil.month, civil.day);
    *out << text;
}

inline void PrintTo(const TimeOfDay& time, std::ostream* out)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", time.hour(), time.minute(),
                  time.second(), time.msec());
    *out << text;
}

inline void PrintTo(const LocalDateTime& moment, std::ostream* out)
{
    PrintTo(moment.date, out);
    *out << ' ';
    PrintTo(moment.time, out);
}

}  // namespace vantrel::core
