#include "platform/known_locales.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/known_locales_table.h"

namespace vantrel::platform {

namespace {

using namespace locale_table;

// Stands for the C locale among the table's record numbers.
constexpr int kCLocale = -1;

std::string_view tableString(std::uint16_t number)
{
    return {kText + kStringAt[number], kStringAt[number + 1] - kStringAt[number]};
}

bool isCodeset(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_';
    });
}

// The record of the locale Qt makes of `name`, an environment value; kCLocale for the C locale;
// nothing for a name whose reading we cannot be sure of.
std::optional<int> recordFor(std::string_view name)
{
    const std::size_t dot = name.find('.');
    if (dot != std::string_view::npos && !isCodeset(name.substr(dot + 1)))
        return std::nullopt;
    const std::string_view base = name.substr(0, dot);
    if (base == "C" || base == "POSIX")
        return kCLocale;
    const Key* const end = kKeys + kKeyCount;
    const Key* const found =
        std::lower_bound(kKeys, end, base, [](const Key& key, std::string_view sought) {
            return tableString(key.name) < sought;
        });
    if (found == end || tableString(found->name) != base)
        return std::nullopt;
    return found->record;
}

// The first of the variables that is set and not empty; nullptr when none is.
const char* firstSet(std::initializer_list<const char*> variables)
{
    for (const char* variable : variables) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return nullptr;
}

core::RegionalSettings settingsOfRecord(std::uint16_t record)
{
    core::RegionalSettings regional;
    const auto fields = fieldsOf(regional);
    for (std::size_t i = 0; i < kFieldCount; ++i)
        *fields[i] = tableString(kRecords[record][i]);
    return regional;
}

}  // namespace

std::optional<core::RegionalSettings> tabledSystemRegionalSettings()
{
    // Without a locale, and for C and POSIX, dates take United States English and numbers C.
    const char* timeName = firstSet({"LC_ALL", "LC_TIME", "LANG"});
    const char* numericName = firstSet({"LC_ALL", "LC_NUMERIC", "LANG"});
    const std::optional<int> time = timeName ? recordFor(timeName) : kCLocale;
    const std::optional<int> numeric = numericName ? recordFor(numericName) : kCLocale;
    if (!time || !numeric)
        return std::nullopt;
    core::RegionalSettings regional = settingsOfRecord(
        *time == kCLocale ? kUnitedStatesRecord : static_cast<std::uint16_t>(*time));
    regional.decimalSeparator =
        *numeric == kCLocale ? "." : tableString(kRecords[*numeric][kDecimalSeparatorField]);
    return regional;
}

std::vector<std::string_view> tabledLocaleNames()
{
    std::vector<std::string_view> names;
    names.reserve(kKeyCount);
    for (std::size_t i = 0; i < kKeyCount; ++i)
        names.push_back(tableString(kKeys[i].name));
    return names;
}

}  // namespace vantrel::platform
