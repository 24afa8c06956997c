#include "core/alarm/alarm_list.h"

#include <gtest/gtest.h>

namespace vantrel::core {
namespace {

TEST(AlarmList, KeepsTextOrderIgnoringCaseAndRefusesEqualEntries)
{
    AlarmList list;
    EXPECT_TRUE(list.add("beta"));
    EXPECT_TRUE(list.add("Charlie"));
    EXPECT_TRUE(list.add("alpha"));
    EXPECT_FALSE(list.add("ALPHA"));
    EXPECT_FALSE(list.add("Beta"));
    EXPECT_TRUE(list.add("alphabet"));
    const std::vector<std::string> expected = {"alpha", "alphabet", "beta", "Charlie"};
    EXPECT_EQ(list.entries(), expected);
    EXPECT_TRUE(list.contains("CHARLIE"));
    EXPECT_EQ(list.addAll({"delta", "DELTA", "echo", "alpha"}), 2u);
    EXPECT_EQ(list.size(), 6u);
}

TEST(AlarmList, ClearedEntriesStayAsEmptyTextsAndSortFirst)
{
    AlarmList list;
    list.addAll({"a", "b", "c"});
    list.clearEntry(1);
    list.clearEntry(2);
    list.sort();
    const std::vector<std::string> expected = {"", "", "a"};
    EXPECT_EQ(list.entries(), expected);
    // A cleared entry does not block the same text from coming back.
    EXPECT_TRUE(list.add("b"));
    EXPECT_EQ(list.size(), 4u);
}

TEST(AlarmList, QuickReorderAfterClearingMatchesAFullSort)
{
    AlarmList quick;
    quick.addAll({"d", "B", "a", "e", "C", "f"});
    AlarmList full = quick;
    for (AlarmList* list : {&quick, &full}) {
        list->clearEntry(0);
        list->clearEntry(3);
        list->clearEntry(5);
    }
    quick.sortAfterClearing();
    full.sort();
    EXPECT_EQ(quick.entries(), full.entries());
    EXPECT_EQ(quick.entries(), (std::vector<std::string>{"", "", "", "B", "C", "e"}));
}

TEST(AlarmList, ZeroFillPadsMonthDayAndHourOfListingLines)
{
    AlarmList list;
    list.add("(Sun)  6/ 4/2000  5:28am     Sun (Gem) rises   at  57:14'");
    list.add("(Sun) 12/14/2000 10:28pm    Moon (Gem) sets    at 300:01'");
    list.add("short  text");
    list.add("");
    list.zeroFill();
    EXPECT_TRUE(list.contains("(Sun) 06/04/2000 05:28am     Sun (Gem) rises   at  57:14'"));
    EXPECT_TRUE(list.contains("(Sun) 12/14/2000 10:28pm    Moon (Gem) sets    at 300:01'"));
    EXPECT_TRUE(list.contains("short  text"));
    EXPECT_TRUE(list.contains(""));
    EXPECT_EQ(list.size(), 4u);
}

}  // namespace
}  // namespace vantrel::core
