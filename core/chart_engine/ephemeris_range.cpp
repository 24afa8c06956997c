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

bool inEphemerisRange(Date date)
{
    return date >= *Date::fromCivil(kFirstEphemerisDate) &&
           date <= *Date::fromCivil(kLastEphemerisDate);
}

std::optional<std::string> ephemerisRangeProblem(Date date)
{
    if (inEphemerisRange(date))
        return std::nullopt;
    return "The date " + dateText(date.civil()) + " is outside the ephemeris range (" +
           ephemerisRangeText() + ")";
}

}  // namespace vantrel::core
