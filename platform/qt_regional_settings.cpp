#include "platform/qt_regional_settings.h"

namespace vantrel::platform {

namespace {

std::string quoted(const std::string& text)
{
    if (text.find('"') == std::string::npos)
        return "\"" + text + "\"";
    return "'" + text + "'";
}

std::size_t runLength(const QString& format, qsizetype at)
{
    qsizetype end = at;
    while (end < format.size() && format[end] == format[at])
        ++end;
    return static_cast<std::size_t>(end - at);
}

std::string trimmedRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The first character of the format that is neither a letter, a blank nor part of quoted text.
std::string firstSeparator(const QString& format, const std::string& fallback)
{
    bool inQuote = false;
    for (const QChar c : format) {
        if (c == u'\'')
            inQuote = !inQuote;
        else if (!inQuote && !c.isLetter() && !c.isSpace())
            return QString(c).toStdString();
    }
    return fallback;
}

} // namespace

std::string patternFromQtFormat(const QString& format)
{
    std::string pattern;
    qsizetype at = 0;
    while (at < format.size()) {
        const QChar c = format[at];
        if (c == u'\'') {
            // Quoted text; a doubled quote, inside quoted text or alone, is one quote.
            QString text;
            qsizetype next = at + 1;
            if (next < format.size() && format[next] == u'\'') {
                pattern += quoted("'");
                at = next + 1;
                continue;
            }
            while (next < format.size()) {
                if (format[next] == u'\'') {
                    if (next + 1 < format.size() && format[next + 1] == u'\'') {
                        text += u'\'';
                        next += 2;
                        continue;
                    }
                    break;
                }
                text += format[next++];
            }
            pattern += quoted(text.toStdString());
            at = next + 1;
            continue;
        }
        const std::size_t count = runLength(format, at);
        switch (c.unicode()) {
        case u'd':
            pattern += std::string(std::min<std::size_t>(count, 4), 'd');
            break;
        case u'M':
            pattern += std::string(std::min<std::size_t>(count, 4), 'm');
            break;
        case u'y':
            pattern += count <= 2 ? "yy" : "yyyy";
            break;
        case u'h':
        case u'H':
            pattern += count == 1 ? "h" : "hh";
            break;
        case u'm':
            pattern += count == 1 ? "n" : "nn";
            break;
        case u's':
            pattern += count == 1 ? "s" : "ss";
            break;
        case u'z':
            pattern += count == 1 ? "z" : "zzz";
            break;
        case u'A':
        case u'a':
            pattern += "ampm";
            if (at + 1 < format.size() && (format[at + 1] == u'P' || format[at + 1] == u'p'))
                ++at; // AP and ap are one token
            at += 1;
            continue;
        case u't':
            // The zone name has no counterpart; a pair of brackets around it goes with it.
            pattern = trimmedRight(pattern);
            if (!pattern.empty() && pattern.back() == '(' && at + 1 < format.size() &&
                format[at + 1] == u')') {
                pattern.pop_back();
                pattern = trimmedRight(pattern);
                ++at;
            }
            break;
        default:
            if (c.isLetter() || c == u'"')
                pattern +=
                    quoted(QString(format.mid(at, static_cast<qsizetype>(count))).toStdString());
            else
                pattern += QString(format.mid(at, static_cast<qsizetype>(count))).toStdString();
            break;
        }
        at += static_cast<qsizetype>(count);
    }
    return trimmedRight(pattern);
}

core::RegionalSettings regionalSettingsFromLocale(const QLocale& locale)
{
    if (locale.language() == QLocale::C)
        return core::usEnglishRegionalSettings();

    core::RegionalSettings regional;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    regional.shortDateFormat = patternFromQtFormat(shortDate);
    regional.longDateFormat = patternFromQtFormat(locale.dateFormat(QLocale::LongFormat));
    regional.shortTimeFormat = patternFromQtFormat(shortTime);
    regional.longTimeFormat = patternFromQtFormat(locale.timeFormat(QLocale::LongFormat));
    regional.dateSeparator = firstSeparator(shortDate, "/");
    regional.timeSeparator = firstSeparator(shortTime, ":");
    regional.decimalSeparator = locale.decimalPoint().toStdString();
    regional.amDesignator = locale.amText().toStdString();
    regional.pmDesignator = locale.pmText().toStdString();
    for (int day = 1; day <= 7; ++day) {
        const int index = day % 7; // Qt counts from Monday, the program from Sunday
        regional.longDayNames[index] = locale.dayName(day, QLocale::LongFormat).toStdString();
        regional.shortDayNames[index] = locale.dayName(day, QLocale::ShortFormat).toStdString();
    }
    for (int month = 1; month <= 12; ++month) {
        regional.longMonthNames[month - 1] =
            locale.monthName(month, QLocale::LongFormat).toStdString();
        regional.shortMonthNames[month - 1] =
            locale.monthName(month, QLocale::ShortFormat).toStdString();
    }
    return regional;
}

core::RegionalSettings systemRegionalSettings()
{
    return regionalSettingsFromLocale(QLocale::system());
}

} // namespace vantrel::platform
