#include <cmath>

#include <swephexp.h>

#include "engine/command_file.h"
#include "engine/sky_events.h"

namespace vantrel::engine {

namespace {

const std::string kForm = "is not YYYY-MM-DD or YYYY-MM-DDTHH:MM (universal time)";

// The moment of a YYYY-MM-DD or YYYY-MM-DDTHH:MM token, or nothing when it is neither or
// names a day that does not exist.
std::optional<double> moment(std::string_view token)
{
    const auto t = token.find('T');
    const std::string_view day = token.substr(0, t);
    double hours = 0;
    if (t != std::string_view::npos) {
        const std::string_view time = token.substr(t + 1);
        const auto h = number(time.substr(0, 2));
        const auto m = time.size() == 5 && time[2] == ':' ? number(time.substr(3)) : std::nullopt;
        if (!h || !m || *h > 23 || *m > 59)
            return std::nullopt;
        hours = *h + *m / 60.0;
    }
    const auto dash1 = day.find('-');
    const auto dash2 = day.find('-', dash1 + 1);
    if (dash1 == std::string_view::npos || dash2 == std::string_view::npos || dash1 > 4 ||
        dash2 - dash1 != 3 || day.size() - dash2 != 3)
        return std::nullopt;
    const auto y = number(day.substr(0, dash1));
    const auto mo = number(day.substr(dash1 + 1, 2));
    const auto d = number(day.substr(dash2 + 1));
    if (!y || !mo || !d || *mo < 1 || *mo > 12 || *d < 1)
        return std::nullopt;
    // A day that does not exist comes back from the calendar as another one.
    const double jd = Ephemeris::julianDay(*y, *mo, *d, 0.0);
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    double hour = 0;
    swe_revjul(jd, SE_GREG_CAL, &year, &month, &dayOfMonth, &hour);
    if (year != *y || month != *mo || dayOfMonth != *d)
        return std::nullopt;
    return jd + hours / 24.0;
}

}  // namespace

TimeSpan parseEventSpan(std::string_view arguments)
{
    const auto t = tokens(arguments);
    const std::string range = " is outside the ephemeris range (" + dateText(kFirstDate) + " to " +
                              dateText(kLastDate) + ")";
    if (t.size() == 1) {
        const auto year = number(t[0]);
        if (!year || *year < kFirstDate.year || *year > kLastDate.year)
            throw CommandError(0, "/%e: year " + inQuotes(t[0]) + " is not " +
                                      std::to_string(kFirstDate.year) + " to " +
                                      std::to_string(kLastDate.year));
        return {Ephemeris::julianDay(*year, 1, 1, 0.0), Ephemeris::julianDay(*year + 1, 1, 1, 0.0)};
    }
    if (t.size() != 2)
        throw CommandError(0, "/%e: expected a year, or the first and the end moment (" +
                                  std::to_string(t.size()) + " arguments given)");
    TimeSpan span;
    for (int i = 0; i < 2; ++i) {
        const auto jd = moment(t[i]);
        if (!jd)
            throw CommandError(0, "/%e: " + inQuotes(t[i]) + " " + kForm);
        if (*jd < firstServedJdUt() || *jd > endServedJdUt())
            throw CommandError(0, "/%e: " + inQuotes(t[i]) + range);
        (i == 0 ? span.startJdUt : span.endJdUt) = *jd;
    }
    if (!(span.startJdUt < span.endJdUt))
        throw CommandError(0, "/%e: " + inQuotes(t[0]) + " is not before " + inQuotes(t[1]));
    return span;
}

}  // namespace vantrel::engine
