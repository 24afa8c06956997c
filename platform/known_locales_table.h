#pragma once
// The layout of the table of locales that the build writes from Qt's locale data
// (write_known_locales.cpp) and known_locales.cpp reads. It holds no pointers, so that a
// statically linked position-independent program needs no relocation to use it: every string
// is a stretch of one character array, found through integer offsets.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "core/common/regional_settings.h"

namespace vantrel::platform::locale_table {

// The strings of one RegionalSettings, in the order the table stores them.
inline constexpr std::size_t kFieldCount = 9 + 7 + 7 + 12 + 12;
// Where fieldsOf() puts the decimal separator.
inline constexpr std::size_t kDecimalSeparatorField = 6;

template <typename Settings> auto fieldsOf(Settings& regional)
{
    using Field = std::conditional_t<std::is_const_v<Settings>, const std::string*, std::string*>;
    std::array<Field, kFieldCount> fields{
        &regional.shortDateFormat,  &regional.longDateFormat, &regional.shortTimeFormat,
        &regional.longTimeFormat,   &regional.dateSeparator,  &regional.timeSeparator,
        &regional.decimalSeparator, &regional.amDesignator,   &regional.pmDesignator};
    std::size_t next = 9;
    for (auto& name : regional.longDayNames)
        fields[next++] = &name;
    for (auto& name : regional.shortDayNames)
        fields[next++] = &name;
    for (auto& name : regional.longMonthNames)
        fields[next++] = &name;
    for (auto& name : regional.shortMonthNames)
        fields[next++] = &name;
    return fields;
}

// A locale name as the environment may give it, and the record of the locale Qt makes of it.
struct Key {
    std::uint16_t name;  // a string number
    std::uint16_t record;
};

// String i is kText[kStringAt[i]] up to kText[kStringAt[i + 1]]; strings are not terminated.
extern const char kText[];
extern const std::uint32_t kStringAt[];
// Each record is kFieldCount string numbers, in the order of fieldsOf().
extern const std::uint16_t kRecords[][kFieldCount];
// Sorted by name, bytewise.
extern const Key kKeys[];
extern const std::size_t kKeyCount;
// The record of United States English, what the C and POSIX locales get for dates and times.
extern const std::uint16_t kUnitedStatesRecord;

}  // namespace vantrel::platform::locale_table
