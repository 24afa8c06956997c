#pragma once
// An INI text held as its lines, so that whatever the program does not know (other sections,
// other keys, comments, blank lines) is written back as it was read. The lines are the file's
// bytes, undecoded: another program's Windows-1252 section keeps its bytes. A value read is
// decoded on its own (UTF-8, or Windows-1252 when it is not valid UTF-8); values written are
// UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::core {

class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::vector<std::string> lines) : m_lines(std::move(lines)) {}

    // The value of a key with the blanks around it removed; nullopt when the section or the
    // key is missing. Section and key names are matched without regard to case; the first
    // section of the name and its first line for the key count.
    std::optional<std::string> readString(std::string_view section, std::string_view key) const;
    // The value converted by readIniInteger; the default when missing or not a number.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Read as an integer with the default standing in as 1 or 0; non-zero is true.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Replaces the key's line, or adds it at the end of its section, or adds the section at
    // the end of the text. Line breaks in the value become blanks, so that a value can never
    // end one line and make up another.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value);

    const std::vector<std::string>& lines() const { return m_lines; }

private:
    struct Span {
        std::size_t header;  // line of the section header
        std::size_t end;     // one past its last line
    };
    std::optional<Span> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Span& span, std::string_view key) const;

    std::vector<std::string> m_lines;
};

// A settings integer: signed decimal, or hexadecimal after "0x"/"0X" (when the text is longer
// than two characters) or after "$". nullopt for anything else, or outside the int range.
std::optional<int> readIniInteger(std::string_view text);

}  // namespace vantrel::core
