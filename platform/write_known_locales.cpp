// Writes the table of locales (known_locales_table.h) as C++ source: for every locale Qt knows,
// the conventions regionalSettingsFromLocale() gives it, under each name by which it may be
// named in the environment. Each name's record is that of the locale Qt itself makes of the
// name, which is not always the locale it was formed from ("sr_RS" is Serbian in Cyrillic
// even when formed from Serbian in Latin).
//
// Usage: vantrel_write_known_locales OUTPUT.cpp

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <QLocale>
#include <QString>

#include "platform/known_locales_table.h"
#include "platform/qt_regional_settings.h"

namespace {

using namespace vantrel;

// The names under which `locale` may be found: its own name, its language alone, and its
// language with its territory, its script, or both.
std::set<QString> candidateNames(const QLocale& locale)
{
    const QString language = QLocale::languageToCode(locale.language());
    const QString script = QLocale::scriptToCode(locale.script());
    const QString territory = QLocale::territoryToCode(locale.territory());
    QString bcp47 = locale.bcp47Name();
    bcp47.replace(u'-', u'_');
    return {locale.name(),
            language,
            language + u'_' + territory,
            language + u'_' + script,
            language + u'_' + script + u'_' + territory,
            bcp47};
}

// Only names of letters and underscores go in: others are beyond what the reader accepts.
bool plainName(const QString& name)
{
    for (const QChar c : name)
        if (!(c.isLetter() && c.unicode() < 128) && c != u'_')
            return false;
    return !name.isEmpty();
}

class TableWriter {
public:
    std::uint16_t record(const core::RegionalSettings& regional)
    {
        std::vector<std::uint16_t> fields;
        for (const std::string* field : platform::locale_table::fieldsOf(regional))
            fields.push_back(string(*field));
        const auto [at, added] = m_records.try_emplace(fields, m_recordOrder.size());
        if (added)
            m_recordOrder.push_back(fields);
        return static_cast<std::uint16_t>(at->second);
    }

    void key(const std::string& name, std::uint16_t record)
    {
        m_keys[name] = {string(name), record};
    }

    std::size_t keyCount() const { return m_keys.size(); }
    std::size_t recordCount() const { return m_recordOrder.size(); }
    // Whether every string, record and key has a 16-bit number.
    bool fits() const
    {
        return std::max({m_stringAt.size(), m_recordOrder.size(), m_keys.size()}) <= 0x10000;
    }

    void write(std::ostream& out, std::uint16_t unitedStates)
    {
        out << "// Written by vantrel_write_known_locales from Qt " << qVersion()
            << "'s locale data.\n\n#include \"platform/known_locales_table.h\"\n\n"
               "namespace vantrel::platform::locale_table {\n\n";
        writeText(out);
        out << "extern const std::uint32_t kStringAt[] = {";
        for (std::size_t i = 0; i < m_stringAt.size(); ++i)
            out << (i % 12 == 0 ? "\n    " : " ") << m_stringAt[i] << ',';
        out << "\n};\n\nextern const std::uint16_t kRecords[][kFieldCount] = {\n";
        for (const auto& fields : m_recordOrder) {
            out << "    {";
            for (const std::uint16_t field : fields)
                out << field << ',';
            out << "},\n";
        }
        out << "};\n\nextern const Key kKeys[] = {\n";
        for (const auto& [name, key] : m_keys)
            out << "    {" << key.first << ", " << key.second << "},\n";
        out << "};\n\nextern const std::size_t kKeyCount = " << m_keys.size()
            << ";\nextern const std::uint16_t kUnitedStatesRecord = " << unitedStates
            << ";\n\n}  // namespace vantrel::platform::locale_table\n";
    }

private:
    std::uint16_t string(const std::string& text)
    {
        const auto [at, added] = m_strings.try_emplace(text, m_stringAt.size());
        if (added) {
            m_stringAt.push_back(static_cast<std::uint32_t>(m_text.size()));
            m_text += text;
        }
        return static_cast<std::uint16_t>(at->second);
    }

    // The text as string literals of plain characters and octal escapes, which no following
    // character can extend.
    void writeText(std::ostream& out)
    {
        m_stringAt.push_back(static_cast<std::uint32_t>(m_text.size()));
        out << "extern const char kText[] =";
        for (std::size_t i = 0; i < m_text.size(); ++i) {
            if (i % 64 == 0)
                out << (i == 0 ? "\n    \"" : "\"\n    \"");
            const auto c = static_cast<unsigned char>(m_text[i]);
            if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\' && c != '?') {
                out << m_text[i];
            } else {
                char escape[5];
                std::snprintf(escape, sizeof escape, "\\%03o", c);
                out << escape;
            }
        }
        out << "\";\n\n";
    }

    std::string m_text;
    std::vector<std::uint32_t> m_stringAt;
    std::map<std::string, std::size_t> m_strings;
    std::map<std::vector<std::uint16_t>, std::size_t> m_records;
    std::vector<std::vector<std::uint16_t>> m_recordOrder;
    // Bytewise order, as the reader searches them.
    std::map<std::string, std::pair<std::uint16_t, std::uint16_t>> m_keys;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp\n", argv[0]);
        return 2;
    }
    TableWriter table;
    const std::uint16_t unitedStates = table.record(
        platform::regionalSettingsFromLocale(QLocale(QLocale::English, QLocale::UnitedStates)));
    for (const QLocale& known : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                         QLocale::AnyTerritory)) {
        for (const QString& name : candidateNames(known)) {
            const QLocale named(name);
            // A name Qt reads as the C locale is left to Qt: dates take it as United States
            // English, numbers as C.
            if (!plainName(name) || named.language() == QLocale::C)
                continue;
            table.key(name.toStdString(),
                      table.record(platform::regionalSettingsFromLocale(named)));
        }
    }
    if (!table.fits()) {
        std::fprintf(stderr, "%s: more locales than the table's 16-bit numbers hold\n", argv[0]);
        return 1;
    }
    std::ostringstream text;
    table.write(text, unitedStates);
    std::ofstream out(argv[1], std::ios::binary);
    out << text.str();
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    std::fprintf(stderr, "%zu names of %zu distinct conventions\n", table.keyCount(),
                 table.recordCount());
    return 0;
}
