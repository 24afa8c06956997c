#pragma once
// The list of alarm entries: fixed-column texts kept in text order without regard to letter
// case. An entry equal to one already present (letter case aside) is refused. Entries are never
// removed; one that has gone off is replaced by an empty text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::core {

// Text order without regard to letter case (ASCII letters fold; other bytes compare as
// unsigned).
int compareTextIgnoringCase(std::string_view a, std::string_view b);

class AlarmList {
public:
    // Inserts in order; false (and nothing changes) when an equal entry is present.
    bool add(std::string entry);
    // Adds each line in turn; returns how many were taken.
    std::size_t addAll(const std::vector<std::string>& lines);

    // Zero fill: in every entry of at least 18 characters, a blank at column 7, 10 or 18
    // (1-based; the padded month, day and hour of a listing line) becomes "0". The list is
    // sorted again afterwards; nothing is removed.
    void zeroFill();

    // Replaces the entry at `index` by an empty text; the order is restored by sort().
    void clearEntry(std::size_t index);
    void sort();
    // The order after clearEntry() alone changed the list: same result as sort(), in linear time.
    void sortAfterClearing();

    std::size_t size() const { return m_entries.size(); }
    const std::string& operator[](std::size_t index) const { return m_entries[index]; }
    const std::vector<std::string>& entries() const { return m_entries; }
    bool contains(std::string_view entry) const;
    // Bytes held by the entries' texts, for measuring growth.
    std::size_t textBytes() const;

private:
    std::vector<std::string> m_entries;
};

}  // namespace vantrel::core
