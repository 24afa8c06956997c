#include "core/hours/rise_set_reading.h"

#include <optional>

#include "core/common/date_parse.h"

namespace vantrel::core {

namespace {

// 0-based positions of the searched words: " Sun" ends in column 32, so it begins in 29.
constexpr std::size_t kSunNameAt = 28;
constexpr std::size_t kMoonNameAt = 27;

struct BodyFields {
    std::optional<LocalDateTime>* nadir;
    std::optional<LocalDateTime>* rise;
    std::optional<LocalDateTime>* zenith;
    std::optional<LocalDateTime>* set;
};

// Columns first..last (1-based, inclusive) of a line, as far as the line reaches.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last)
{
    if (line.size() < first)
        return {};
    return line.substr(first - 1, last - first + 1);
}

bool contains(std::string_view line, std::string_view word)
{
    return line.find(word) != std::string_view::npos;
}

class ListingReader {
public:
    ListingReader(const std::string& dateOrderSwitch, const RegionalSettings& regional)
        : m_switch(dateOrderSwitch), m_regional(regional), m_listing(regional),
          m_order(listingDateOrder(dateOrderSwitch))
    {
        // Month first, the engine's "/" and ":" stand as they are; a user whose own dates are
        // written year first, or with other separators, reads them all the same.
        if (m_switch.empty()) {
            m_listing.dateSeparator = "/";
            m_listing.timeSeparator = ":";
        }
    }

    // Both the date and the time are localised, in either listing: in day-first mode the engine
    // writes ":" in its times just as it writes "-" in its dates.
    std::optional<LocalDateTime> moment(std::string_view line) const
    {
        // The blank between date and time keeps a year of fewer than four digits ("   1")
        // from running on into the hour.
        const std::string text = localizeSeparators(columns(line, 7, 16), m_switch, m_regional) +
                                 " " +
                                 localizeSeparators(columns(line, 18, 24), m_switch, m_regional);
        return parseLocaleDateTime(text, m_listing, m_order);
    }

private:
    const std::string& m_switch;
    const RegionalSettings& m_regional;
    RegionalSettings m_listing;  // the separators the text holds after localizeSeparators
    DateOrder m_order;
};

// Sets each field whose event word the line holds; with onlyMissing, only fields still empty. False
// when the line's moment cannot be read.
bool applyEvents(std::string_view line, const BodyFields& fields, bool onlyMissing,
                 const ListingReader& reader)
{
    const std::pair<const char*, std::optional<LocalDateTime>*> tests[] = {
        {"nadirs", fields.nadir},
        {"rises", fields.rise},
        {"zeniths", fields.zenith},
        {"sets", fields.set}};
    std::optional<LocalDateTime> value;
    for (const auto& [word, field] : tests) {
        if (!contains(line, word) || (onlyMissing && field->has_value()))
            continue;
        if (!value) {
            value = reader.moment(line);
            if (!value)
                return false;
        }
        *field = *value;
    }
    return true;
}

bool isBodyLine(std::string_view line, std::string_view name, std::size_t at)
{
    return line.find(name) == at;
}

}  // namespace

DateOrder listingDateOrder(const std::string& dateOrderSwitch)
{
    return dateOrderSwitch.empty() ? DateOrder::MonthDayYear : DateOrder::DayMonthYear;
}

std::string localizeSeparators(std::string_view text, const std::string& dateOrderSwitch,
                               const RegionalSettings& regional)
{
    if (dateOrderSwitch.empty())
        return std::string(text);
    std::string result;
    for (const char c : text) {
        if (c == '-')
            result += regional.dateSeparator;
        else if (c == ':')
            result += regional.timeSeparator;
        else
            result += c;
    }
    return result;
}

RiseSetReadResult readRiseSetListings(const std::vector<std::string>& dayLines,
                                      const std::vector<std::string>& nextDayLines,
                                      const std::string& dateOrderSwitch,
                                      const RegionalSettings& regional, RiseSetTimes& times)
{
    times = {};
    const BodyFields sun{&times.sunNadir, &times.sunrise, &times.sunZenith, &times.sunset};
    const BodyFields moon{&times.moonNadir, &times.moonrise, &times.moonZenith, &times.moonset};
    const ListingReader reader(dateOrderSwitch, regional);

    for (const std::string& line : dayLines) {
        if (isBodyLine(line, " Sun", kSunNameAt) && !applyEvents(line, sun, false, reader))
            return RiseSetReadResult::UnreadableDate;
        if (isBodyLine(line, " Moon", kMoonNameAt) && !applyEvents(line, moon, false, reader))
            return RiseSetReadResult::UnreadableDate;
    }
    for (const std::string& line : nextDayLines) {
        if (isBodyLine(line, " Sun", kSunNameAt)) {
            if (contains(line, "rises")) {
                const auto value = reader.moment(line);
                if (!value)
                    return RiseSetReadResult::UnreadableDate;
                times.nextSunrise = *value;
            }
            if (!applyEvents(line, sun, true, reader))
                return RiseSetReadResult::UnreadableDate;
        }
        if (isBodyLine(line, " Moon", kMoonNameAt) && !applyEvents(line, moon, true, reader))
            return RiseSetReadResult::UnreadableDate;
    }
    return RiseSetReadResult::Complete;
}

}  // namespace vantrel::core
