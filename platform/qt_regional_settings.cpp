#include "platform/qt_regional_settings.h"

#include <optional>
#include <utility>

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

// The first character of the format that is neither a letter, a blank, an invisible format mark
// (the right-to-left mark that Arabic formats put before each "/") nor part of quoted text.
std::string firstSeparator(const QString& format, const std::string& fallback)
{
    bool inQuote = false;
    for (const QChar c : format) {
        if (c == u'\'')
            inQuote = !inQuote;
        else if (!inQuote && !c.isLetter() && !c.isSpace() && c.category() != QChar::Other_Format)
            return QString(c).toStdString();
    }
    return fallback;
}

// Quoted text from the quote at `at`, and the index after its closing quote. A doubled quote,
// inside quoted text or alone, is one quote.
std::pair<std::string, qsizetype> quotedTextAt(const QString& format, qsizetype at)
{
    qsizetype next = at + 1;
    if (next < format.size() && format[next] == u'\'')
        return {quoted("'"), next + 1};
    QString text;
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
    return {quoted(text.toStdString()), next + 1};
}

// The pattern for a run of `count` copies of a date or time field letter; nothing for a
// character that is not one.
std::optional<std::string> fieldPattern(QChar letter, std::size_t count)
{
    switch (letter.unicode()) {
    case u'd':
        return std::string(std::min<std::size_t>(count, 4), 'd');
    case u'M':
        return std::string(std::min<std::size_t>(count, 4), 'm');
    case u'y':
        return count <= 2 ? "yy" : "yyyy";
    case u'h':
    case u'H':
        return count == 1 ? "h" : "hh";
    case u'm':
        return count == 1 ? "n" : "nn";
    case u's':
        return count == 1 ? "s" : "ss";
    case u'z':
        return count == 1 ? "z" : "zzz";
    default:
        return std::nullopt;
    }
}

// A run of other characters: stray letters and double quotes as quoted text, separators as
// they stand.
std::string literalPattern(const QString& run)
{
    const std::string text = run.toStdString();
    return run[0].isLetter() || run[0] == u'"' ? quoted(text) : text;
}

// The zone name t at `at` has no counterpart: it is dropped with the blanks before it and, when
// it stands in brackets, with them. Returns the index after the bracket it dropped, if any.
qsizetype dropZoneName(std::string& pattern, const QString& format, qsizetype at)
{
    pattern = trimmedRight(pattern);
    if (!pattern.empty() && pattern.back() == '(' && at + 1 < format.size() &&
        format[at + 1] == u')') {
        pattern.pop_back();
        pattern = trimmedRight(pattern);
        return at + 1;
    }
    return at;
}

}  // namespace

std::string patternFromQtFormat(const QString& format)
{
    std::string pattern;
    qsizetype at = 0;
    while (at < format.size()) {
        const QChar c = format[at];
        if (c == u'\'') {
            auto [text, next] = quotedTextAt(format, at);
            pattern += text;
            at = next;
            continue;
        }
        if (c == u'A' || c == u'a') {
            pattern += "ampm";
            const bool pair =
                at + 1 < format.size() && (format[at + 1] == u'P' || format[at + 1] == u'p');
            at += pair ? 2 : 1;  // AP and ap are one token
            continue;
        }
        const std::size_t count = runLength(format, at);
        if (c == u't')
            at = dropZoneName(pattern, format, at);
        else if (const auto field = fieldPattern(c, count))
            pattern += *field;
        else
            pattern += literalPattern(format.mid(at, static_cast<qsizetype>(count)));
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
        const int index = day % 7;  // Qt counts from Monday, the program from Sunday
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

QLocale timeLocale()
{
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        if (name.isEmpty())
            continue;
        const QLocale locale(name);
        if (locale.language() == QLocale::C)
            break;
        return locale;
    }
    return {QLocale::English, QLocale::UnitedStates};
}

core::RegionalSettings systemRegionalSettings()
{
    core::RegionalSettings regional = regionalSettingsFromLocale(timeLocale());
    // Numbers follow LC_NUMERIC, as Qt's system locale reads it.
    regional.decimalSeparator = QLocale::system().decimalPoint().toStdString();
    return regional;
}

}  // namespace vantrel::platform
