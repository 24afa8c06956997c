#include "core/alarm/alarm_list.h"

#include <algorithm>

namespace vantrel::core {

namespace {

unsigned char foldCase(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return compareTextIgnoringCase(a, b) < 0;
}

}  // namespace

int compareTextIgnoringCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = foldCase(a[i]);
        const unsigned char y = foldCase(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool AlarmList::add(std::string entry)
{
    const auto at = std::lower_bound(m_entries.begin(), m_entries.end(), entry, lessIgnoringCase);
    if (at != m_entries.end() && compareTextIgnoringCase(*at, entry) == 0)
        return false;
    m_entries.insert(at, std::move(entry));
    return true;
}

std::size_t AlarmList::addAll(const std::vector<std::string>& lines)
{
    std::size_t taken = 0;
    for (const std::string& line : lines)
        taken += add(line) ? 1 : 0;
    return taken;
}

void AlarmList::zeroFill()
{
    for (std::string& entry : m_entries) {
        if (entry.size() < 18)
            continue;
        for (std::size_t column : {7u, 10u, 18u})
            if (entry[column - 1] == ' ')
                entry[column - 1] = '0';
    }
    sort();
}

void AlarmList::clearEntry(std::size_t index)
{
    if (index < m_entries.size())
        m_entries[index].clear();
}

void AlarmList::sort()
{
    // Stable, so that entries equal but for letter case keep their relative places.
    std::stable_sort(m_entries.begin(), m_entries.end(), lessIgnoringCase);
}

void AlarmList::sortAfterClearing()
{
    // Empty texts sort first and the others keep their order, so moving the cleared entries to
    // the front (walking from the back) restores the order in one linear pass.
    auto write = m_entries.rbegin();
    for (auto read = m_entries.rbegin(); read != m_entries.rend(); ++read)
        if (!read->empty())
            std::swap(*write++, *read);
}

bool AlarmList::contains(std::string_view entry) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [entry](const std::string& e) {
        return compareTextIgnoringCase(e, entry) == 0;
    });
}

std::size_t AlarmList::textBytes() const
{
    std::size_t bytes = 0;
    for (const std::string& entry : m_entries)
        bytes += entry.capacity();
    return bytes;
}

}  // namespace vantrel::core
