#include "core/thelemic/composition.h"

namespace vantrel::core {

std::string yearPrefix(YearPrefix prefix)
{
    switch (prefix) {
    case YearPrefix::An:
        return "An ";
    case YearPrefix::Anno:
        return "Anno ";
    case YearPrefix::Omitted:
    case YearPrefix::NotChosen:
        break;
    }
    return "";
}

std::string latinDayName(int weekday)
{
    static const char* const kNames[] = {"Solis", "Lun\xC3\xA6", "Martis",  "Mercurii",
                                         "Jovis", "Veneris",     "Saturnii"};
    if (weekday < 1 || weekday > 7)
        return "";
    return kNames[weekday - 1];
}

std::string datePatternFor(DateFormat format)
{
    switch (format) {
    case DateFormat::Short:
        return "ddddd \"e.v. \"";
    case DateFormat::Omitted:
        return " ";
    case DateFormat::Long:
    case DateFormat::NotChosen:
        break;
    }
    return "dddddd \"e.v. \"";
}

std::string timePatternFor(TimeFormat format)
{
    switch (format) {
    case TimeFormat::Long:
        return "tt";
    case TimeFormat::Omitted:
        return " ";
    case TimeFormat::Short:
    case TimeFormat::NotChosen:
        break;
    }
    return "t";
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

std::string collapseBlanks(std::string text)
{
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] == ' ' && text[at + 1] == ' ')
            text.erase(at, 1);
    }
    return text;
}

int latinWeekday(const LocalDateTime& civilMoment, DayStart dayStart, const RiseSetTimes& times)
{
    const Date day = civilMoment.date;
    if (dayStart == DayStart::Sunrise && times.sunrise && civilMoment < *times.sunrise)
        return day.plusDays(-1).weekday();
    if (dayStart == DayStart::Sunset && times.sunset && civilMoment >= *times.sunset)
        return day.plusDays(1).weekday();
    return day.weekday();
}

std::vector<std::string> layoutLines(LineCount lines, const std::string& thelemicPart,
                                     const std::string& weekdayPart, const std::string& civilPart)
{
    switch (lines) {
    case LineCount::One:
        return {thelemicPart + " " + weekdayPart + " " + civilPart};
    case LineCount::Three:
        return {thelemicPart, weekdayPart, civilPart};
    case LineCount::Two:
    case LineCount::NotChosen:
        break;
    }
    return {thelemicPart + " " + weekdayPart, civilPart};
}

}  // namespace vantrel::core
