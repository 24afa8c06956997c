#pragma once
// The program's date-time pattern language.
//
// Tokens (letters in any case unless noted): d dd (day), ddd dddd (short and long day name),
// ddddd (regional short date), dddddd (regional long date), m mm (month, or minutes right after
// an hour token), mmm mmmm (short and long month name), yy yyyy (year), h hh (hour), n nn
// (minute), s ss (second), z zzz (millisecond), t (regional short time), tt (regional long
// time), am/pm and a/p (twelve-hour clock, designator in the letter case written), ampm (the
// regional AM/PM designator), / (date separator), : (time separator), "..." and '...' (text
// copied), any other character copied.

#include <string>
#include <string_view>

#include "core/common/date_time.h"
#include "core/common/regional_settings.h"

namespace vantrel::core {

std::string formatDateTime(std::string_view pattern, const LocalDateTime& value,
                           const RegionalSettings& regional);
// A date alone, at midnight; a time of day alone, on kDayZero.
std::string formatDate(std::string_view pattern, Date date, const RegionalSettings& regional);
std::string formatTime(std::string_view pattern, TimeOfDay time, const RegionalSettings& regional);

}  // namespace vantrel::core
