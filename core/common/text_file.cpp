#include "core/common/text_file.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <system_error>

namespace vantrel::core {

namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined map to the C1 control of the same number, as the system's own conversion does.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        char32_t min = 0;
        char32_t cp = 0;
        if (b0 < 0x80) {
            ++i;
            continue;
        } else if ((b0 & 0xE0) == 0xC0) {
            length = 2, min = 0x80, cp = b0 & 0x1F;
        } else if ((b0 & 0xF0) == 0xE0) {
            length = 3, min = 0x800, cp = b0 & 0x0F;
        } else if ((b0 & 0xF8) == 0xF0) {
            length = 4, min = 0x10000, cp = b0 & 0x07;
        } else {
            return false;
        }
        if (bytes.size() - i < static_cast<std::size_t>(length))
            return false;
        for (int k = 1; k < length; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

std::vector<std::string> linesFromBytes(std::string_view bytes)
{
    std::string text = utf8FromFileBytes(bytes);
    // A byte-order mark written by some editors is not part of the first line.
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    return splitLines(text);
}

}  // namespace

std::string utf8FromFileBytes(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0)
            appendUtf8(out, kWindows1252High[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::string> readLines(std::istream& in)
{
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return linesFromBytes(bytes);
}

std::optional<std::vector<std::string>> readLinesFromFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return readLines(in);
}

void writeLines(std::ostream& out, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        out << line << "\r\n";
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    namespace fs = std::filesystem;
    std::error_code error;
    // Writing through a link replaces the file it points at, not the link.
    fs::path target = path;
    if (fs::is_symlink(path, error)) {
        target = fs::weakly_canonical(path, error);
        if (error)
            return false;
    }
    std::random_device entropy;
    const fs::path temporary = target.parent_path() / ("." + target.filename().string() + "." +
                                                       std::to_string(entropy()) + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            fs::remove(temporary, error);
            return false;
        }
    }
    const auto existing = fs::status(target, error);
    if (!error && fs::exists(existing))
        fs::permissions(temporary, existing.permissions(), error);
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

bool writeLinesAtomically(const std::filesystem::path& path, const std::vector<std::string>& lines)
{
    std::ostringstream out;
    writeLines(out, lines);
    return writeFileAtomically(path, out.str());
}

}  // namespace vantrel::core
