#include "core/thelemic/composition.h"

#include <cmath>

namespace vantrel::core {

namespace {

long long millisecondsOf(DateTime value)
{
    return std::llround(value * 86400000.0);
}

} // namespace

std::string yearPrefix(int basic)
{
    switch (basic) {
    case 0:
        return "An ";
    case 1:
        return "Anno ";
    default:
        return "";
    }
}

std::string latinDayName(int weekday)
{
    static const char* const kNames[] = {"Solis", "Lun\xC3\xA6", "Martis",  "Mercurii",
                                         "Jovis", "Veneris",     "Saturnii"};
    if (weekday < 1 || weekday > 7)
        return "";
    return kNames[weekday - 1];
}

std::string datePatternFor(int dateFormat)
{
    switch (dateFormat) {
    case 0:
        return "ddddd \"e.v. \"";
    case 2:
        return " ";
    default:
        return "dddddd \"e.v. \"";
    }
}

std::string timePatternFor(int timeFormat)
{
    switch (timeFormat) {
    case 1:
        return "tt";
    case 2:
        return " ";
    default:
        return "t";
    }
}

std::vector<std::string> greetingLines(bool quoted)
{
    if (quoted) {
        return {"\"Do what thou wilt shall be the whole of the Law.\" - AL I,40",
                "\"Love is the law, love under will.\" - AL I, 57"};
    }
    return {"Do what thou wilt shall be the whole of the Law.",
            "Love is the law, love under will."};
}

std::string CollapseBlanks(std::string text)
{
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] == ' ' && text[at + 1] == ' ')
            text.erase(at, 1);
    }
    return text;
}

int latinWeekday(DateTime civilMoment, int dayBegins, const RiseSetTimes& times)
{
    const long long now = millisecondsOf(civilMoment);
    if (dayBegins == 1 && times.SunRise != kNotFound && now < millisecondsOf(times.SunRise))
        return dayOfWeek(civilMoment - 1);
    if (dayBegins == 2 && times.SunSet != kNotFound && now >= millisecondsOf(times.SunSet))
        return dayOfWeek(civilMoment + 1);
    return dayOfWeek(civilMoment);
}

std::vector<std::string> layoutLines(int lines, const std::string& thelemicPart,
                                     const std::string& weekdayPart, const std::string& civilPart)
{
    switch (lines) {
    case 0:
        return {thelemicPart + " " + weekdayPart + " " + civilPart};
    case 2:
        return {thelemicPart, weekdayPart, civilPart};
    default:
        return {thelemicPart + " " + weekdayPart, civilPart};
    }
}

} // namespace vantrel::core
