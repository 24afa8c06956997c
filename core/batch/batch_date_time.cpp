#include "core/batch/batch_date_time.h"

#include <string>
#include <vector>

#include "core/common/ascii_case.h"
#include "core/common/text_trim.h"

namespace vantrel::core {

namespace {

// Whole numbers in these fields never need more digits; longer runs are rejected rather than
// allowed to overflow.
constexpr std::size_t kMaxDigits = 5;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

std::string_view trimmed(std::string_view text)
{
    return trimmedBy(text, isBlank);
}

struct Number {
    int value = 0;
    std::size_t digits = 0;
};

// Reads a run of digits at the front of `text` and removes it.
std::optional<Number> takeNumber(std::string_view& text)
{
    Number number;
    while (!text.empty() && isDigit(text.front())) {
        if (++number.digits > kMaxDigits)
            return std::nullopt;
        number.value = number.value * 10 + (text.front() - '0');
        text.remove_prefix(1);
    }
    if (number.digits == 0)
        return std::nullopt;
    return number;
}

bool takeText(std::string_view& text, std::string_view expected)
{
    if (expected.empty() || !text.starts_with(expected))
        return false;
    text.remove_prefix(expected.size());
    return true;
}

bool startsWithWord(std::string_view text, std::string_view word)
{
    return !word.empty() && startsWithNoCase(text, word);
}

int yearInWindow(int twoDigitYear, int currentYear)
{
    const int windowStart = currentYear - 50;
    int year = windowStart - windowStart % 100 + twoDigitYear;
    if (year < windowStart)
        year += 100;
    return year;
}

enum class Designator { None, Am, Pm };

// Removes a designator from the front (atFront) or the back of `text`.
Designator takeDesignator(std::string_view& text, const RegionalSettings& regional, bool atFront)
{
    const std::pair<std::string_view, Designator> candidates[] = {
        {"AM", Designator::Am},
        {"PM", Designator::Pm},
        {regional.amDesignator, Designator::Am},
        {regional.pmDesignator, Designator::Pm},
    };
    for (const auto& [word, kind] : candidates) {
        if (word.empty() || text.size() < word.size())
            continue;
        const std::string_view end =
            atFront ? text.substr(0, word.size()) : text.substr(text.size() - word.size());
        if (!startsWithWord(end, word))
            continue;
        if (atFront)
            text.remove_prefix(word.size());
        else
            text.remove_suffix(word.size());
        text = trimmed(text);
        return kind;
    }
    return Designator::None;
}

}  // namespace

std::optional<Date> readBatchDate(std::string_view text, const RegionalSettings& regional,
                                  Date today)
{
    const std::string separator = regional.dateSeparator.empty() ? "/" : regional.dateSeparator;
    text = trimmed(text);
    std::vector<Number> numbers;
    while (true) {
        const auto number = takeNumber(text);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
        if (text.empty())
            break;
        if (numbers.size() == 3 || !takeText(text, separator))
            return std::nullopt;
    }
    if (numbers.size() < 2)
        return std::nullopt;

    const int currentYear = today.year();
    Number year{currentYear, 4};
    int month = 0;
    int day = 0;
    const bool withYear = numbers.size() == 3;
    switch (shortDateOrder(regional)) {
    case DateOrder::DayMonthYear:
        day = numbers[0].value;
        month = numbers[1].value;
        if (withYear)
            year = numbers[2];
        break;
    case DateOrder::MonthDayYear:
        month = numbers[0].value;
        day = numbers[1].value;
        if (withYear)
            year = numbers[2];
        break;
    case DateOrder::YearMonthDay:
        if (withYear) {
            year = numbers[0];
            month = numbers[1].value;
            day = numbers[2].value;
        } else {
            month = numbers[0].value;
            day = numbers[1].value;
        }
        break;
    }
    const int fullYear = year.digits <= 2 ? yearInWindow(year.value, currentYear) : year.value;
    return Date::fromCivil(fullYear, month, day);
}

std::optional<TimeOfDay> readBatchTime(std::string_view text, const RegionalSettings& regional)
{
    const std::string separator = regional.timeSeparator.empty() ? ":" : regional.timeSeparator;
    const std::string decimal = regional.decimalSeparator.empty() ? "." : regional.decimalSeparator;
    text = trimmed(text);
    Designator designator = takeDesignator(text, regional, true);
    if (designator == Designator::None)
        designator = takeDesignator(text, regional, false);

    int parts[4] = {0, 0, 0, 0};  // hours, minutes, seconds, thousandths
    int count = 0;
    while (true) {
        const auto number = takeNumber(text);
        if (!number || (count == 3 && number->digits > 3))
            return std::nullopt;
        parts[count++] = number->value;
        if (text.empty())
            break;
        if (count < 3 && takeText(text, separator))
            continue;
        if (count == 3 && takeText(text, decimal))
            continue;
        return std::nullopt;
    }

    int hour = parts[0];
    if (designator != Designator::None) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour %= 12;
        if (designator == Designator::Pm)
            hour += 12;
    }
    return TimeOfDay::fromClock(hour, parts[1], parts[2], parts[3]);
}

}  // namespace vantrel::core
