#pragma once
// The Thelemic year at a glance: for a civil year in the settings' zone, the Moon's phases and
// the Sun's entries into the signs at their local dates and times, the feasts on their days,
// and the Thelemic date of every day.

#include <optional>
#include <string>
#include <vector>

#include "core/calendar/feasts.h"
#include "core/chart_engine/live_zone.h"
#include "core/common/date_time.h"
#include "core/common/regional_settings.h"
#include "core/settings/settings.h"

namespace vantrel::core {

class SkyEventSource;

struct CalendarEvent {
    enum class Category { Feast, Moon, Sun };
    Category category = Category::Feast;
    // Moon: the phase, 0 New Moon .. 3 Last Quarter; Sun: the sign entered, 0 Aries .. 11
    // Pisces; Feast: its place in the list of feasts.
    int index = 0;
    // "Full Moon", "Sun enters Aries", the feast's name.
    std::string name;
    // The local day it falls on.
    Date date;
    // Moon and Sun: the moment and its local time of day; a feast is kept all day and has
    // neither. A feast on the Sun's entry has the entry's moment.
    std::optional<Instant> moment;
    std::optional<TimeOfDay> localTime;
};

class YearCalendar {
public:
    YearCalendar() = default;
    YearCalendar(int year, std::vector<CalendarEvent> events, std::vector<std::string> dayLines);

    int year() const { return m_year; }
    // Day by day; on each day the feasts first, in the order of their list, then the phases and
    // entries by time.
    const std::vector<CalendarEvent>& events() const { return m_events; }
    // The events of one day of this year (none for a day of another year).
    std::vector<CalendarEvent> eventsOn(Date day) const;
    // The Thelemic date of one day of this year, on one line; empty for a day of another year.
    std::string dayLine(Date day) const;

private:
    int m_year = 0;
    std::vector<CalendarEvent> m_events;
    std::vector<std::string> m_dayLines;  // 1 January first
};

struct CalendarContext {
    const Settings& settings;
    const RegionalSettings& regional;
    const LiveZone& zone;
    SkyEventSource& sky;
};

// "New Moon", "First Quarter", "Full Moon", "Last Quarter" for phase 0..3.
std::string moonPhaseName(int phase);

// The Thelemic date of a day on one line, as the date display would show it at local noon
// without the time: the year, the Sun and the Moon where they stand at that moment, the Latin
// weekday and the civil date "e.v." in the settings' formats. At noon the Latin day is the
// civil one whenever the Sun rises and sets, so no rise or set is needed.
std::string dayDateLine(Date day, double sunLongitudeDeg, double moonLongitudeDeg,
                        const Settings& settings, const RegionalSettings& regional);

// The year's calendar, from 1 January 00:00 to 31 December 24:00 on the clock of the settings'
// Time choice (ZoneClock). Throws VantrelError for a year outside the ephemeris range, for the
// zone's failures (ZoneClock) and the sky's.
YearCalendar yearCalendar(int year, const std::vector<Feast>& feasts,
                          const CalendarContext& context);

// Each event's identifier for the calendars that import it, in the order of events(): its date
// and kind, "20250314-full-moon@vantrel", the same in every run, on every machine and in every
// zone. The date is the universal-time date of a phase or an entry (and of the entry a feast
// keeps), a feast's civil date otherwise; the kind is the event's name in lower-case letters and
// digits, other characters as "-" (bytes beyond ASCII in hexadecimal). Events that would share
// one get "-2", "-3" and so on in their order.
std::vector<std::string> eventUids(const YearCalendar& calendar);

// What the Year window lists, and its text: for each event its local date (the short date), its
// local time (the long time; empty for a feast), its name and the Thelemic date of its day.
struct YearRow {
    std::string date;
    std::string time;
    std::string event;
    std::string thelemicDate;
};
std::vector<YearRow> yearRows(const YearCalendar& calendar, const RegionalSettings& regional);
// The rows as a text file's lines, a heading first, the columns separated by tabs.
std::vector<std::string> yearTextLines(const std::vector<YearRow>& rows);

// What hovering a day in the month calendar shows: the day's Thelemic date, then each event,
// a phase or an entry with its local time ("9:01:21 AM Sun enters Aries").
std::vector<std::string> dayToolTipLines(const YearCalendar& calendar, Date day,
                                         const RegionalSettings& regional);

}  // namespace vantrel::core
