#pragma once
// The user's regional conventions from QLocale, translated into the program's pattern language.

#include <QLocale>
#include <QString>

#include "core/common/regional_settings.h"

namespace vantrel::platform {

// The conventions of `locale`; the C/POSIX locale gets US English conventions.
core::RegionalSettings regionalSettingsFromLocale(const QLocale& locale);
// The locale of dates and times, chosen as the C library chooses it: LC_ALL, else LC_TIME,
// else LANG. LANGUAGE, which orders the languages of messages, plays no part. The C and POSIX
// locales, and a name Qt does not know, get United States English.
QLocale timeLocale();
// The user's conventions: dates and times from timeLocale(), the decimal separator from
// LC_NUMERIC.
core::RegionalSettings systemRegionalSettings();

// A QLocale date or time format in the program's pattern language: months M become m, minutes
// m become n, hours H become h, AP/ap/A/a become ampm, the zone name t is dropped, quoted and
// stray letters become quoted text; separators are kept as they stand.
std::string patternFromQtFormat(const QString& format);

}  // namespace vantrel::platform
