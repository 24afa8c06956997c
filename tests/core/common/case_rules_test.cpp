#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "core/settings/ini_file.h"
#include "core/thelemic/year_numbering.h"

namespace vantrel::core {
namespace {

// The process's locale for the life of the object; the test fails when it does not exist,
// since passing without it would prove nothing (the test set-up generates it).
class ProcessLocale {
public:
    explicit ProcessLocale(const char* name) : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        m_set = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ProcessLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    bool set() const { return m_set; }

private:
    std::string m_previous;
    bool m_set = false;
};

// Under a Turkish locale the C library's tolower('I') is 'I' (its lower case, a dotless i, is no
// single byte); the program's own texts and keys must not follow it.
TEST(CaseRules, AreAsciiUnderATurkishLocale)
{
    const ProcessLocale turkish("tr_TR.UTF-8");
    ASSERT_TRUE(turkish.set()) << "locale tr_TR.UTF-8 is missing: run scripts/setup.sh --tests";

    const int year96 = 4 * kYearsPerCycle + 8;
    EXPECT_EQ(yearText(year96, YearFormat::LowerRomanDigits), "iv8");
    EXPECT_EQ(yearText(year96, YearFormat::UpperRomanLowerRoman), "IVviii");
    EXPECT_EQ(yearText(year96, YearFormat::DigitsLowerRoman), "4viii");

    const IniFile ini({"[VANTREL]", "TIME ZONE=6", "LATITUDE=45N05", "Zone Name=CST"});
    const struct {
        const char* key;
        const char* value;
    } rows[] = {{"Time Zone", "6"}, {"Latitude", "45N05"}, {"ZONE NAME", "CST"}};
    for (const auto& row : rows)
        EXPECT_EQ(ini.readString("Vantrel", row.key).value_or("(missing)"), row.value) << row.key;
}

}  // namespace
}  // namespace vantrel::core
