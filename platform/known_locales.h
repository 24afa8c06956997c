#pragma once
// The user's regional conventions without loading Qt: read from the environment and from a table
// of Qt's locale data written when the program was built (known_locales_table.h).

#include <optional>
#include <string_view>
#include <vector>

#include "core/common/regional_settings.h"

namespace vantrel::platform {

// The user's conventions as systemRegionalSettings() gives them: dates and times from LC_ALL,
// else LC_TIME, else LANG; the decimal separator from LC_ALL, else LC_NUMERIC, else LANG (an
// empty variable counts as unset). Nothing when a variable names a locale that the table cannot
// answer for exactly as Qt would: only a name the table holds, or C or POSIX, each with or
// without a codeset (de_DE.UTF-8), is answered; a modifier (sr_RS@latin) or any other form is
// not.
std::optional<core::RegionalSettings> tabledSystemRegionalSettings();

// The locale names the table holds, in its order.
std::vector<std::string_view> tabledLocaleNames();

}  // namespace vantrel::platform
