// The iCalendar text libical writes for a year: its lines as RFC 5545 wants them. Its contents
// are read back by an independent reader in the command-line tests.

#include "platform/icalendar_file.h"

#include <gtest/gtest.h>

#include "core/calendar/year_calendar.h"
#include "tests/fakes/fake_ports.h"

namespace vantrel::platform {
namespace {

using Category = core::CalendarEvent::Category;

TEST(ICalendarFile, LinesEndWithCrLfAndFoldAt75Octets)
{
    // A day line long enough to fold, with two-octet letters where the folds fall.
    std::string line = "An Vxi Sol 0\xC2\xB0 Aries";
    for (int i = 0; i < 40; ++i)
        line += " Lun\xC3\xA6";
    const core::Date day = core::Date::fromCivil(2025, 1, 1).value();
    const core::TimeOfDay sixOClock = core::TimeOfDay::fromClock(6, 0).value();
    const core::YearCalendar calendar(
        2025,
        {{Category::Moon, 2, "Full Moon", day, testing::instantAt({day, sixOClock}, 0), sixOClock},
         {Category::Feast, 0, "Feast; of, the \\ Times", day, std::nullopt, std::nullopt}},
        {line});
    const std::string text =
        iCalendarText(calendar, "2.9", testing::instantAt(testing::localDateTime(2025, 6, 1), 0));

    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    std::string unfolded;
    for (const std::string& l : lines) {
        EXPECT_LE(l.size(), 75u) << l;
        EXPECT_EQ(l.find('\n'), std::string::npos) << l;
        EXPECT_FALSE(l.size() > 1 && l[0] == ' ' &&
                     (static_cast<unsigned char>(l[1]) & 0xC0) == 0x80)
            << "a fold splits a letter: " << l;
        unfolded += l.starts_with(' ') ? l.substr(1) : "\n" + l;
    }
    for (const char* expected :
         {"\nBEGIN:VCALENDAR\n", "\nVERSION:2.0\n", "\nPRODID:-//Vantrel//Vantrel 2.9//EN\n",
          "\nDTSTART:20250101T060000Z\n", "\nUID:20250101-full-moon@vantrel\n",
          "\nCATEGORIES:Moon\n", "\nDTSTART;VALUE=DATE:20250101\n", "\nDTEND;VALUE=DATE:20250102\n",
          "\nSUMMARY:Feast\\; of\\, the \\\\ Times\n", "\nDTSTAMP:20250601T000000Z\n"})
        EXPECT_NE(unfolded.find(expected), std::string::npos) << expected << " in " << unfolded;
    EXPECT_NE(unfolded.find("\nDESCRIPTION:" + std::string(line.substr(0, 20))), std::string::npos);
}

}  // namespace
}  // namespace vantrel::platform
