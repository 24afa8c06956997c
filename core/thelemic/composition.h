#pragma once
// Composing the date text: the Thelemic part (prefix, year, Sun, Moon), the Latin weekday and
// the civil date "e.v." with its time, laid out on one to three lines.

#include "core/common/date_time.h"
#include "core/hours/rise_set_times.h"

#include <string>
#include <vector>

namespace vantrel::core {

// "An ", "Anno " or nothing, by the "Basic" choice 0, 1 or 2 (anything else: nothing).
std::string yearPrefix(int basic);

// The short Latin day name for weekday 1 (Sunday) to 7: "Solis", "Lunæ" (UTF-8), ...
std::string latinDayName(int weekday);

// The civil-date pattern by "Date Format": 0 short date, 1 long date, each followed by " e.v. ";
// 2 a single blank. The civil-time pattern by "Time Format": "t", "tt" or a single blank. Any
// other index counts as the first-run choice (long date, short time).
std::string datePatternFor(int dateFormat);
std::string timePatternFor(int timeFormat);

// The two greeting lines, quoted with their source or plain.
std::vector<std::string> greetingLines(bool quoted);

// One pass of blank reduction: wherever a blank is followed by another, the first is removed and
// the pass goes on after it, so a run of n blanks becomes ceil(n/2).
std::string CollapseBlanks(std::string text);

// The weekday (1 Sunday ... 7 Saturday) the Latin day follows. dayBegins 0 "12:00 (Common
// Time)": the civil date's. 1 "Sun Rise": before `times.SunRise` it is still the day before.
// 2 "Sun Set": from `times.SunSet` on it is already the next day. Moments are compared to the
// millisecond. When the reading found no such moment (kNotFound: polar day or night, or a failed
// run) the Latin day stays the civil day.
int latinWeekday(DateTime civilMoment, int dayBegins, const RiseSetTimes& times);

// The display lines by "Lines": 0 one line, 1 two lines, 2 three lines (anything else: two).
std::vector<std::string> layoutLines(int lines, const std::string& thelemicPart,
                                     const std::string& weekdayPart, const std::string& civilPart);

} // namespace vantrel::core
