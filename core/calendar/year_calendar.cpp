#include "core/calendar/year_calendar.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <map>

#include "core/calendar/zone_clock.h"
#include "core/chart_engine/ephemeris_range.h"
#include "core/common/date_format.h"
#include "core/common/error.h"
#include "core/ports/sky_event_source.h"
#include "core/thelemic/chart_reading.h"
#include "core/thelemic/composition.h"
#include "core/thelemic/thelemic_date.h"
#include "core/thelemic/year_numbering.h"

namespace vantrel::core {

namespace {

constexpr std::array<const char*, 4> kMoonPhaseNames = {"New Moon", "First Quarter", "Full Moon",
                                                        "Last Quarter"};
// The first day of a year of the calendar (1 to 9999).
Date newYear(int year)
{
    return Date::fromCivil(year, 1, 1).value();
}

// Midnight at the beginning of a day, universal time.
Instant midnightUt(Date day)
{
    return Instant(std::chrono::sys_days(day.days().time_since_epoch()));
}

// The day of a moment, universal time.
Date dateUt(Instant moment)
{
    return Date(
        std::chrono::local_days(std::chrono::floor<std::chrono::days>(moment).time_since_epoch()));
}

// The moments the sky is asked about: universal time from the first day of the range to the
// end of its last.
Instant served(Instant moment)
{
    return std::clamp(moment, midnightUt(Date::fromCivil(kFirstEphemerisDate).value()),
                      midnightUt(Date::fromCivil(kLastEphemerisDate).value().plusDays(1)));
}

int dayOfYear(Date day, int year)
{
    return static_cast<int>((day.days() - newYear(year).days()).count());
}

CalendarEvent skyCalendarEvent(const SkyEvent& event, const ZoneClock& clock)
{
    CalendarEvent entry;
    const bool moon = event.kind == SkyEvent::Kind::MoonPhase;
    entry.category = moon ? CalendarEvent::Category::Moon : CalendarEvent::Category::Sun;
    entry.index = event.index;
    entry.name = moon ? moonPhaseName(event.index) : "Sun enters " + signName(event.index);
    const LocalDateTime local = clock.localTime(event.moment);
    entry.date = local.date;
    entry.localTime = local.time;
    entry.moment = event.moment;
    return entry;
}

// The feasts of the year: those on civil dates that the year has, those on the Sun's entries
// on the day of the entry.
void addFeasts(std::vector<CalendarEvent>& events, const std::vector<Feast>& feasts, int year)
{
    const std::size_t skyEvents = events.size();
    for (std::size_t i = 0; i < feasts.size(); ++i) {
        const Feast& feast = feasts[i];
        CalendarEvent entry;
        entry.index = static_cast<int>(i);
        entry.name = feast.name;
        if (feast.day == Feast::Day::CivilDate) {
            if (feast.dayOfMonth > daysInMonth(year, feast.month))
                continue;
            entry.date = Date::fromCivil(year, feast.month, feast.dayOfMonth).value();
            events.push_back(std::move(entry));
            continue;
        }
        for (std::size_t e = 0; e < skyEvents; ++e) {
            if (events[e].category == CalendarEvent::Category::Sun &&
                events[e].index == feast.sign) {
                entry.date = events[e].date;
                entry.moment = events[e].moment;
                events.push_back(entry);
            }
        }
    }
}

bool comesBefore(const CalendarEvent& a, const CalendarEvent& b)
{
    if (a.date != b.date)
        return a.date < b.date;
    const bool aFeast = a.category == CalendarEvent::Category::Feast;
    const bool bFeast = b.category == CalendarEvent::Category::Feast;
    if (aFeast || bFeast)
        return aFeast && (!bFeast || a.index < b.index);
    return *a.moment < *b.moment;
}

std::vector<std::string> dayLinesOf(int year, const ZoneClock& clock,
                                    const CalendarContext& context)
{
    const Date first = newYear(year);
    const int days = isLeapYear(year) ? 366 : 365;
    const TimeOfDay noon = TimeOfDay::fromClock(12, 0).value();
    std::vector<Instant> noons;
    for (int d = 0; d < days; ++d)
        noons.push_back(served(clock.moment({first.plusDays(d), noon})));
    const std::vector<SunAndMoon> skies = context.sky.sunAndMoon(noons, context.settings.zodiac);
    std::vector<std::string> lines;
    for (int d = 0; d < days && d < static_cast<int>(skies.size()); ++d) {
        lines.push_back(dayDateLine(first.plusDays(d), skies[d].sunLongitudeDeg,
                                    skies[d].moonLongitudeDeg, context.settings, context.regional));
    }
    return lines;
}

std::string localTimeText(const CalendarEvent& event, const RegionalSettings& regional)
{
    return event.localTime ? formatTime("tt", *event.localTime, regional) : "";
}

// "full-moon", "f-c3a9te": the name's letters and digits in lower case, each run of other ASCII
// characters as one "-", bytes beyond ASCII as two hexadecimal digits.
std::string uidKind(const std::string& name)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string kind;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            kind += kHex[byte >> 4];
            kind += kHex[byte & 0xF];
        } else if (std::isalnum(byte)) {
            kind += static_cast<char>(std::tolower(byte));
        } else if (!kind.empty() && kind.back() != '-') {
            kind += '-';
        }
    }
    while (!kind.empty() && kind.back() == '-')
        kind.pop_back();
    return kind;
}

std::string uidDate(const CalendarEvent& event)
{
    const CivilDate date = (event.moment ? dateUt(*event.moment) : event.date).civil();
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}

}  // namespace

YearCalendar::YearCalendar(int year, std::vector<CalendarEvent> events,
                           std::vector<std::string> dayLines)
    : m_year(year), m_events(std::move(events)), m_dayLines(std::move(dayLines))
{
}

std::vector<CalendarEvent> YearCalendar::eventsOn(Date day) const
{
    std::vector<CalendarEvent> found;
    for (const CalendarEvent& event : m_events) {
        if (event.date == day)
            found.push_back(event);
    }
    return found;
}

std::string YearCalendar::dayLine(Date day) const
{
    if (day.year() != m_year)
        return "";
    const int index = dayOfYear(day, m_year);
    return index >= 0 && index < static_cast<int>(m_dayLines.size()) ? m_dayLines[index] : "";
}

std::string moonPhaseName(int phase)
{
    return phase >= 0 && phase < 4 ? kMoonPhaseNames[phase] : "";
}

std::string dayDateLine(Date day, double sunLongitudeDeg, double moonLongitudeDeg,
                        const Settings& settings, const RegionalSettings& regional)
{
    const CivilDate civil = day.civil();
    ThelemicDate record;
    record.yearText = yearText(yearCount(civil.year, civil.month, civil.day), settings.yearFormat);
    std::string thelemicPart = yearPrefix(settings.yearPrefix) + record.yearText;
    addSunAndMoonPieces(sunLongitudeDeg, moonLongitudeDeg, settings.signDisplay, record,
                        thelemicPart);
    const std::string civilPart =
        collapseBlanks(formatDate(datePatternFor(settings.dateFormat), day, regional));
    std::string line = layoutLines(LineCount::One, collapseBlanks(thelemicPart),
                                   "Dies " + latinDayName(day.weekday()), civilPart)
                           .front();
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

YearCalendar yearCalendar(int year, const std::vector<Feast>& feasts,
                          const CalendarContext& context)
{
    if (year < kFirstEphemerisDate.year || year > kLastEphemerisDate.year) {
        throw VantrelError("The year " + std::to_string(year) +
                           " is outside the ephemeris range (" + ephemerisRangeText() + ")");
    }
    const ZoneClock clock(context.settings, context.zone);
    const Instant from = served(clock.moment({newYear(year), TimeOfDay()}));
    const Instant to = served(clock.moment({newYear(year + 1), TimeOfDay()}));

    std::vector<CalendarEvent> events;
    for (const SkyEvent& event : context.sky.events(from, to, context.settings.zodiac))
        events.push_back(skyCalendarEvent(event, clock));
    // A change of offset at the turn of the year may bring a moment of the next year's clock
    // into the interval, or leave one out: the local date decides.
    std::erase_if(events, [year](const CalendarEvent& e) { return e.date.year() != year; });
    addFeasts(events, feasts, year);
    std::stable_sort(events.begin(), events.end(), comesBefore);
    return YearCalendar(year, std::move(events), dayLinesOf(year, clock, context));
}

std::vector<std::string> eventUids(const YearCalendar& calendar)
{
    std::vector<std::string> uids;
    std::map<std::string, int> seen;
    for (const CalendarEvent& event : calendar.events()) {
        const std::string base = uidDate(event) + "-" + uidKind(event.name);
        const int count = ++seen[base];
        uids.push_back(base + (count > 1 ? "-" + std::to_string(count) : "") + "@vantrel");
    }
    return uids;
}

std::vector<YearRow> yearRows(const YearCalendar& calendar, const RegionalSettings& regional)
{
    std::vector<YearRow> rows;
    for (const CalendarEvent& event : calendar.events()) {
        rows.push_back({formatDate("ddddd", event.date, regional), localTimeText(event, regional),
                        event.name, calendar.dayLine(event.date)});
    }
    return rows;
}

std::vector<std::string> yearTextLines(const std::vector<YearRow>& rows)
{
    std::vector<std::string> lines = {"Date\tTime\tEvent\tThelemic date"};
    for (const YearRow& row : rows)
        lines.push_back(row.date + "\t" + row.time + "\t" + row.event + "\t" + row.thelemicDate);
    return lines;
}

std::vector<std::string> dayToolTipLines(const YearCalendar& calendar, Date day,
                                         const RegionalSettings& regional)
{
    std::vector<std::string> lines;
    if (const std::string line = calendar.dayLine(day); !line.empty())
        lines.push_back(line);
    for (const CalendarEvent& event : calendar.eventsOn(day)) {
        const std::string time = localTimeText(event, regional);
        lines.push_back(time.empty() ? event.name : time + " " + event.name);
    }
    return lines;
}

}  // namespace vantrel::core
