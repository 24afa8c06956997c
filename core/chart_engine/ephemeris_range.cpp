#include "core/chart_engine/ephemeris_range.h"

namespace vantrel::core {

namespace {

std::string dateText(const CivilDate& date)
{
    static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    return std::to_string(date.day) + " " + kMonths[date.month - 1] + " " +
           std::to_string(date.year);
}

}  // namespace

std::string ephemerisRangeText()
{
    return dateText(kFirstEphemerisDate) + " to " + dateText(kLastEphemerisDate);
}

bool inEphemerisRange(DateTime date)
{
    const DateTime day = datePart(date);
    return day >= dateTimeFromDate(kFirstEphemerisDate) &&
           day <= dateTimeFromDate(kLastEphemerisDate);
}

std::optional<std::string> ephemerisRangeProblem(DateTime date)
{
    if (inEphemerisRange(date))
        return std::nullopt;
    return "The date " + dateText(dateFromDateTime(date)) + " is outside the ephemeris range (" +
           ephemerisRangeText() + ")";
}

}  // namespace vantrel::core
