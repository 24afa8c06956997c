#include "core/calendar/feasts.h"

#include <cctype>
#include <fstream>
#include <iterator>

#include "core/common/date_time.h"
#include "core/common/error.h"
#include "core/common/text_file.h"
#include "core/common/text_trim.h"
#include "core/thelemic/chart_reading.h"

namespace vantrel::core {

namespace {

constexpr std::string_view kSunEnters = "sun enters";
// 29 February is a day of the calendar; a feast on it is kept in leap years.
constexpr int kLeapYear = 2000;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string quoted(std::string_view text)
{
    return "\"" + visibleText(text) + "\"";
}

// One or two digits at the start of `text`, taken off it.
std::optional<int> takeNumber(std::string_view& text)
{
    std::size_t length = 0;
    while (length < text.size() && length < 3 && isDigit(text[length]))
        ++length;
    if (length == 0 || length > 2)
        return std::nullopt;
    const int value = length == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
    text.remove_prefix(length);
    return value;
}

// The word at the start of `text` (up to a blank or a colon), taken off it.
std::string_view takeWord(std::string_view& text)
{
    std::size_t length = 0;
    while (length < text.size() && !isBlank(text[length]) && text[length] != ':')
        ++length;
    const std::string_view word = text.substr(0, length);
    text.remove_prefix(length);
    return word;
}

// The name after the day: an optional colon, then the rest of the line.
FeastLine withName(Feast feast, std::string_view rest, std::string_view day)
{
    rest = trimmedBy(rest, isBlank);
    if (rest.starts_with(':'))
        rest = trimmedBy(rest.substr(1), isBlank);
    if (rest.empty())
        return {std::nullopt, "the feast on " + quoted(day) + " has no name"};
    feast.name = std::string(rest);
    return {std::move(feast), ""};
}

FeastLine civilDateFeast(std::string_view text)
{
    const std::string_view dayText = text.substr(0, text.find_first_of(" \t:"));
    const std::string shape = quoted(dayText) + " is not a month and day (MM-DD)";
    std::string_view rest = text;
    const std::optional<int> month = takeNumber(rest);
    if (!month || !rest.starts_with('-'))
        return {std::nullopt, shape};
    rest.remove_prefix(1);
    const std::optional<int> day = takeNumber(rest);
    if (!day || (!rest.empty() && !isBlank(rest.front()) && rest.front() != ':'))
        return {std::nullopt, shape};
    if (*month < 1 || *month > 12)
        return {std::nullopt, quoted(dayText) + ": there is no month " + std::to_string(*month)};
    if (*day < 1 || *day > daysInMonth(kLeapYear, *month))
        return {std::nullopt, quoted(dayText) + ": month " + std::to_string(*month) +
                                  " has no day " + std::to_string(*day)};
    Feast feast;
    feast.day = Feast::Day::CivilDate;
    feast.month = *month;
    feast.dayOfMonth = *day;
    return withName(std::move(feast), rest, dayText);
}

FeastLine sunEntryFeast(std::string_view text)
{
    std::string_view rest = trimmedBy(text.substr(kSunEnters.size()), isBlank);
    const std::string_view signText = takeWord(rest);
    const std::string lowerSign = lowerCase(signText);
    for (int sign = 0; sign < 12; ++sign) {
        if (lowerSign != lowerCase(signName(sign)))
            continue;
        Feast feast;
        feast.day = Feast::Day::SunEntersSign;
        feast.sign = sign;
        return withName(std::move(feast), rest, "Sun enters " + signName(sign));
    }
    if (signText.empty())
        return {std::nullopt, "\"Sun enters\" is not followed by a sign"};
    return {std::nullopt, quoted(signText) + " is not a sign (Aries to Pisces)"};
}

bool startsWithSunEnters(std::string_view text)
{
    return lowerCase(text.substr(0, kSunEnters.size())) == kSunEnters &&
           (text.size() == kSunEnters.size() || isBlank(text[kSunEnters.size()]));
}

}  // namespace

FeastLine readFeastLine(std::string_view line)
{
    const std::string_view text = trimmedBy(line.substr(0, line.find('#')), isBlank);
    if (text.empty())
        return {};
    if (isDigit(text.front()))
        return civilDateFeast(text);
    if (startsWithSunEnters(text))
        return sunEntryFeast(text);
    return {std::nullopt,
            "expected a month and day (MM-DD) or \"Sun enters\" and a sign, then the feast's "
            "name"};
}

FeastList readFeasts(const std::vector<std::string>& lines, std::string_view fileName)
{
    FeastList list;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FeastLine read = readFeastLine(lines[i]);
        if (read.feast)
            list.feasts.push_back(std::move(*read.feast));
        else if (!read.problem.empty())
            list.problems.push_back(visibleText(fileName) + ", line " + std::to_string(i + 1) +
                                    ": " + read.problem);
    }
    return list;
}

FeastList readFeastsFile(const std::filesystem::path& path)
{
    const TextFile file = readTextFile(path);
    switch (file.status) {
    case TextFileStatus::Read:
        return readFeasts(file.lines, path.string());
    case TextFileStatus::Missing:
        return {};
    case TextFileStatus::Unreadable:
    case TextFileStatus::TooLarge:
        break;
    }
    return {{}, {formatMessage("Cannot open file %s", path.string())}};
}

std::filesystem::path userFeastsFile(const std::filesystem::path& workDir,
                                     const std::filesystem::path& dataDir)
{
    const std::filesystem::path own = workDir / kFeastsFileName;
    std::error_code error;
    if (std::filesystem::exists(own, error))
        return own;
    std::string content =
        "# One feast a line: \"03-20 Feast of the Supreme Ritual\" or \"Sun enters Aries: "
        "Equinox of the Gods\".\r\n";
    const std::filesystem::path installed = dataDir / kFeastsFileName;
    if (!dataDir.empty() && std::filesystem::is_regular_file(installed, error)) {
        std::ifstream in(installed, std::ios::binary);
        if (!in.is_open())
            throw VantrelError(formatMessage("Cannot open file %s", installed.string()));
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!writeFileAtomically(own, content))
        throw VantrelError(formatMessage("Cannot create file %s", own.string()));
    return own;
}

}  // namespace vantrel::core
