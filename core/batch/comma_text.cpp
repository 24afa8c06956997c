#include "core/batch/comma_text.h"

namespace vantrel::core {

namespace {

bool isSeparatingBlank(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

void skipBlanks(std::string_view line, std::size_t& at)
{
    while (at < line.size() && isSeparatingBlank(line[at]))
        ++at;
}

std::string quotedField(std::string_view line, std::size_t& at)
{
    std::string field;
    ++at;  // opening quote
    while (at < line.size()) {
        if (line[at] == '"') {
            if (at + 1 < line.size() && line[at + 1] == '"') {
                field += '"';
                at += 2;
                continue;
            }
            ++at;  // closing quote
            return field;
        }
        field += line[at++];
    }
    return field;
}

std::string plainField(std::string_view line, std::size_t& at)
{
    const std::size_t begin = at;
    while (at < line.size() && line[at] != ',' && !isSeparatingBlank(line[at]))
        ++at;
    return std::string(line.substr(begin, at - begin));
}

}  // namespace

std::vector<std::string> splitCommaText(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t at = 0;
    skipBlanks(line, at);
    while (at < line.size()) {
        fields.push_back(line[at] == '"' ? quotedField(line, at) : plainField(line, at));
        skipBlanks(line, at);
        if (at < line.size() && line[at] == ',') {
            ++at;
            skipBlanks(line, at);
        }
    }
    return fields;
}

std::string commaTextValue(std::string_view value)
{
    if (value.find_first_of(",\"") == std::string_view::npos)
        return std::string(value);
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

}  // namespace vantrel::core
