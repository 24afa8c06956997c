#include "core/common/date_format.h"

#include <algorithm>
#include <string>

#include "core/common/ascii_case.h"

namespace vantrel::core {

namespace {

constexpr char upper(char c)
{
    return asciiUpper(c);
}

bool startsWithNoCaseAt(std::string_view text, std::size_t at, std::string_view word)
{
    return startsWithNoCase(text.substr(at), word);
}

std::string number(int value, int minDigits)
{
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    return digits;
}

class Formatter {
public:
    Formatter(const LocalDateTime& value, const RegionalSettings& regional)
        : m_regional(regional), m_date(value.date.civil()), m_time(value.time),
          m_weekday(value.date.weekday())
    {
    }

    std::string run(std::string_view pattern)
    {
        append(pattern, 0);
        return m_out;
    }

private:
    // The regional patterns may themselves hold ddddd or t; two levels of expansion are enough
    // for any sensible pattern and stop a pattern that names itself.
    static constexpr int kMaxDepth = 2;

    void append(std::string_view pattern, int depth);
    std::size_t appendToken(std::string_view pattern, std::size_t at, char& lastToken, int depth);
    void appendHour(std::string_view pattern, std::size_t after, int count);
    std::size_t appendDesignator(std::string_view pattern, std::size_t at);

    const RegionalSettings& m_regional;
    CivilDate m_date;
    TimeOfDay m_time;
    int m_weekday;
    bool m_twelveHourClock = false;
    std::string m_out;
};

void Formatter::append(std::string_view pattern, int depth)
{
    char lastToken = 0;
    std::size_t at = 0;
    while (at < pattern.size())
        at = appendToken(pattern, at, lastToken, depth);
}

// Writes the token that starts at `at` and returns the position after it.
std::size_t Formatter::appendToken(std::string_view pattern, std::size_t at, char& lastToken,
                                   int depth)
{
    const char starter = pattern[at];
    char token = upper(starter);
    std::size_t end = at + 1;
    while (end < pattern.size() && upper(pattern[end]) == token && token >= 'A' && token <= 'Z')
        ++end;
    int count = static_cast<int>(end - at);
    if (token == 'M' && lastToken == 'H' && count <= 2)
        token = 'N';
    if (token >= 'A' && token <= 'Z')
        lastToken = token;

    switch (token) {
    case 'Y':
        m_out += count <= 2 ? number(m_date.year % 100, 2) : number(m_date.year, 4);
        return end;
    case 'M':
        if (count <= 2)
            m_out += number(m_date.month, count);
        else if (count == 3)
            m_out += m_regional.shortMonthNames[m_date.month - 1];
        else
            m_out += m_regional.longMonthNames[m_date.month - 1];
        return end;
    case 'D':
        if (count <= 2)
            m_out += number(m_date.day, count);
        else if (count == 3)
            m_out += m_regional.shortDayNames[m_weekday - 1];
        else if (count == 4)
            m_out += m_regional.longDayNames[m_weekday - 1];
        else if (depth < kMaxDepth)
            append(count == 5 ? m_regional.shortDateFormat : m_regional.longDateFormat, depth + 1);
        return end;
    case 'H':
        appendHour(pattern, end, count);
        return end;
    case 'N':
        m_out += number(m_time.minute(), std::min(count, 2));
        return end;
    case 'S':
        m_out += number(m_time.second(), std::min(count, 2));
        return end;
    case 'Z':
        m_out += number(m_time.msec(), std::min(count, 3));
        return end;
    case 'T':
        if (depth < kMaxDepth)
            append(count == 1 ? m_regional.shortTimeFormat : m_regional.longTimeFormat, depth + 1);
        return end;
    case 'A':
        return appendDesignator(pattern, at);
    case '/':
        m_out += m_regional.dateSeparator;
        return at + 1;
    case ':':
        m_out += m_regional.timeSeparator;
        return at + 1;
    case '"':
    case '\'': {
        const std::size_t close = pattern.find(starter, at + 1);
        const std::size_t stop = close == std::string_view::npos ? pattern.size() : close;
        m_out.append(pattern.substr(at + 1, stop - at - 1));
        return close == std::string_view::npos ? pattern.size() : close + 1;
    }
    default:
        m_out.append(pattern.substr(at, end - at));
        return end;
    }
}

// The hour is on the twelve-hour clock when a designator has been written already or follows
// before the next hour token (text in quotes does not count).
void Formatter::appendHour(std::string_view pattern, std::size_t after, int count)
{
    char quote = 0;
    for (std::size_t i = after; i < pattern.size() && !m_twelveHourClock; ++i) {
        const char c = pattern[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (upper(c) == 'H') {
            break;
        } else if (upper(c) == 'A') {
            m_twelveHourClock = startsWithNoCaseAt(pattern, i, "am/pm") ||
                                startsWithNoCaseAt(pattern, i, "a/p") ||
                                startsWithNoCaseAt(pattern, i, "ampm");
            break;
        }
    }
    int hour = m_time.hour();
    if (m_twelveHourClock) {
        if (hour == 0)
            hour = 12;
        else if (hour > 12)
            hour -= 12;
    }
    m_out += number(hour, std::min(count, 2));
}

std::size_t Formatter::appendDesignator(std::string_view pattern, std::size_t at)
{
    const bool afternoon = m_time.hour() >= 12;
    if (startsWithNoCaseAt(pattern, at, "am/pm")) {
        m_out.append(pattern.substr(at + (afternoon ? 3 : 0), 2));
        m_twelveHourClock = true;
        return at + 5;
    }
    if (startsWithNoCaseAt(pattern, at, "a/p")) {
        m_out.append(pattern.substr(at + (afternoon ? 2 : 0), 1));
        m_twelveHourClock = true;
        return at + 3;
    }
    if (startsWithNoCaseAt(pattern, at, "ampm")) {
        m_out += afternoon ? m_regional.pmDesignator : m_regional.amDesignator;
        m_twelveHourClock = true;
        return at + 4;
    }
    m_out += pattern[at];
    return at + 1;
}

}  // namespace

std::string formatDateTime(std::string_view pattern, const LocalDateTime& value,
                           const RegionalSettings& regional)
{
    return Formatter(value, regional).run(pattern);
}

std::string formatDate(std::string_view pattern, Date date, const RegionalSettings& regional)
{
    return formatDateTime(pattern, {date, TimeOfDay()}, regional);
}

std::string formatTime(std::string_view pattern, TimeOfDay time, const RegionalSettings& regional)
{
    return formatDateTime(pattern, {kDayZero, time}, regional);
}

}  // namespace vantrel::core
