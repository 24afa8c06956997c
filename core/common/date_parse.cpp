#include "core/common/date_parse.h"

#include <cctype>

#include "core/common/ascii_case.h"

namespace vantrel::core {

namespace {

class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    void skipBlanks()
    {
        while (m_at < m_text.size() && m_text[m_at] == ' ')
            ++m_at;
    }

    // Digits after optional blanks. The number ends after the digit that brings it to 1000 or
    // more, so a four-digit year may run straight into the hour that follows it.
    std::optional<int> number()
    {
        skipBlanks();
        int value = 0;
        const std::size_t start = m_at;
        while (m_at < m_text.size() && value < 1000 &&
               std::isdigit(static_cast<unsigned char>(m_text[m_at]))) {
            value = value * 10 + (m_text[m_at] - '0');
            ++m_at;
        }
        if (m_at == start)
            return std::nullopt;
        return value;
    }

    // A separator or word after optional blanks, letters compared without regard to case.
    bool accept(std::string_view word)
    {
        skipBlanks();
        if (word.empty() || !startsWithNoCase(m_text.substr(m_at), word))
            return false;
        m_at += word.size();
        return true;
    }

    bool atEnd()
    {
        skipBlanks();
        return m_at == m_text.size();
    }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

std::optional<Date> scanDate(Scanner& in, const RegionalSettings& regional, DateOrder order)
{
    const auto n1 = in.number();
    if (!n1 || !in.accept(regional.dateSeparator))
        return std::nullopt;
    const auto n2 = in.number();
    if (!n2 || !in.accept(regional.dateSeparator))
        return std::nullopt;
    const auto n3 = in.number();
    if (!n3)
        return std::nullopt;
    switch (order) {
    case DateOrder::DayMonthYear:
        return Date::fromCivil(*n3, *n2, *n1);
    case DateOrder::YearMonthDay:
        return Date::fromCivil(*n1, *n2, *n3);
    case DateOrder::MonthDayYear:
        break;
    }
    return Date::fromCivil(*n3, *n1, *n2);
}

// 0 for "am", 12 for "pm", -1 when neither follows.
int scanDesignator(Scanner& in, const RegionalSettings& regional)
{
    if (in.accept("am") || in.accept(regional.amDesignator))
        return 0;
    if (in.accept("pm") || in.accept(regional.pmDesignator))
        return 12;
    return -1;
}

std::optional<TimeOfDay> scanTime(Scanner& in, const RegionalSettings& regional)
{
    auto hour = in.number();
    if (!hour || !in.accept(regional.timeSeparator))
        return std::nullopt;
    const auto minute = in.number();
    if (!minute)
        return std::nullopt;
    std::optional<int> second = 0;
    if (in.accept(regional.timeSeparator)) {
        second = in.number();
        if (!second)
            return std::nullopt;
    }
    const int baseHour = scanDesignator(in, regional);
    if (baseHour >= 0) {
        if (*hour == 0 || *hour > 12)
            return std::nullopt;
        *hour = *hour % 12 + baseHour;
    }
    return TimeOfDay::fromClock(*hour, *minute, *second);
}

}  // namespace

std::optional<LocalDateTime> parseLocaleDateTime(std::string_view text,
                                                 const RegionalSettings& regional)
{
    return parseLocaleDateTime(text, regional, shortDateOrder(regional));
}

std::optional<LocalDateTime> parseLocaleDateTime(std::string_view text,
                                                 const RegionalSettings& regional, DateOrder order)
{
    Scanner in(text);
    const auto date = scanDate(in, regional, order);
    if (!date)
        return std::nullopt;
    const auto time = scanTime(in, regional);
    if (!time || !in.atEnd())
        return std::nullopt;
    return LocalDateTime{*date, *time};
}

}  // namespace vantrel::core
