#pragma once
// The user's regional conventions from QLocale, translated into the program's pattern language.

#include <QLocale>
#include <QString>

#include "core/common/regional_settings.h"

namespace vantrel::platform {

// The conventions of `locale`; the C/POSIX locale gets US English conventions.
core::RegionalSettings regionalSettingsFromLocale(const QLocale& locale);
// The system locale's (from LC_ALL, LC_TIME, LANG).
core::RegionalSettings systemRegionalSettings();

// A QLocale date or time format in the program's pattern language: months M become m, minutes
// m become n, hours H become h, AP/ap/A/a become ampm, the zone name t is dropped, quoted and
// stray letters become quoted text; separators are kept as they stand.
std::string patternFromQtFormat(const QString& format);

}  // namespace vantrel::platform
