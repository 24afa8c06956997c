#pragma once
// Composing the date text: the Thelemic part (prefix, year, Sun, Moon), the Latin weekday and
// the civil date "e.v." with its time, laid out on one to three lines.

#include <string>
#include <vector>

#include "core/common/date_time.h"
#include "core/hours/rise_set_times.h"
#include "core/settings/settings.h"

namespace vantrel::core {

// "An ", "Anno " or nothing (Omitted or NotChosen).
std::string yearPrefix(YearPrefix prefix);

// The short Latin day name for weekday 1 (Sunday) to 7: "Solis", "Lunæ" (UTF-8), ...
std::string latinDayName(int weekday);

// The civil-date pattern: the short or long date followed by " e.v. ", or a single blank when
// Omitted. The civil-time pattern: "t", "tt" or a single blank. NotChosen counts as the
// first-run choice (long date, short time).
std::string datePatternFor(DateFormat format);
std::string timePatternFor(TimeFormat format);

// The two greeting lines, quoted with their source or plain.
std::vector<std::string> greetingLines(bool quoted);

// One pass of blank reduction: wherever a blank is followed by another, the first is removed and
// the pass goes on after it, so a run of n blanks becomes ceil(n/2).
std::string collapseBlanks(std::string text);

// The weekday (1 Sunday ... 7 Saturday) the Latin day follows. Midnight (and NotChosen): the
// civil date's. Sunrise: before `times.sunrise` it is still the day before. Sunset: from
// `times.sunset` on it is already the next day. Moments are compared to the millisecond. When
// the reading found no such moment (polar day or night, or a failed run) the Latin
// day stays the civil day.
int latinWeekday(const LocalDateTime& civilMoment, DayStart dayStart, const RiseSetTimes& times);

// The display lines: the three parts on one, two or three lines (NotChosen: two).
std::vector<std::string> layoutLines(LineCount lines, const std::string& thelemicPart,
                                     const std::string& weekdayPart, const std::string& civilPart);

}  // namespace vantrel::core
