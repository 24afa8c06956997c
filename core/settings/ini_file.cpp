#include "core/settings/ini_file.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "core/common/ascii_case.h"
#include "core/common/text_file.h"
#include "core/common/text_trim.h"

namespace vantrel::core {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    return trimmedBy(text, isBlank);
}

// The name of a section header line, or nullopt for any other line.
std::optional<std::string_view> headerName(std::string_view line)
{
    line = trimmed(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    const std::string_view name =
        close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
    return trimmed(name);
}

std::string oneLine(std::string_view value)
{
    std::string text(value);
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

}  // namespace

std::optional<int> readIniInteger(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    } else if (!text.empty() && text[0] == '$') {
        text.remove_prefix(1);
        base = 16;
    } else if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-')
            return std::nullopt;
    }
    if (text.empty() || (base == 16 && text[0] == '-'))
        return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() ||
        value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<IniFile::Span> IniFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = headerName(m_lines[i]);
        if (!name || !equalNoCase(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < m_lines.size() && !headerName(m_lines[end]))
            ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(const Span& span, std::string_view key) const
{
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const std::string_view line = m_lines[i];
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && equalNoCase(trimmed(line.substr(0, equals)), key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::readString(std::string_view section, std::string_view key) const
{
    const auto span = findSection(section);
    if (!span)
        return std::nullopt;
    const auto at = findKey(*span, key);
    if (!at)
        return std::nullopt;
    const std::string_view line = m_lines[*at];
    return utf8FromFileBytes(trimmed(line.substr(line.find('=') + 1)));
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const auto text = readString(section, key);
    if (!text)
        return defaultValue;
    return readIniInteger(*text).value_or(defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + "=" + oneLine(value);
    const auto span = findSection(section);
    if (!span) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::move(line));
        return;
    }
    if (const auto at = findKey(*span, key)) {
        m_lines[*at] = std::move(line);
        return;
    }
    // After the section's last non-empty line, so that a blank line before the next section
    // stays where it is.
    std::size_t insertAt = span->end;
    while (insertAt > span->header + 1 && trimmed(m_lines[insertAt - 1]).empty())
        --insertAt;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

}  // namespace vantrel::core
