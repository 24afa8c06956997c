#pragma once
// The year's calendar as an iCalendar file (RFC 5545), written with libical, for phones and
// shared calendars.

#include <string>

#include "core/calendar/year_calendar.h"

namespace vantrel::platform {

// The calendar's text: VERSION 2.0 and a PRODID naming the program and `version`; each phase
// and entry a timed event in universal time, each feast an all-day event on its local day;
// SUMMARY the name, CATEGORIES "Moon", "Sun" or "Feast", DESCRIPTION the Thelemic date of the
// day, UID as core::eventUids gives it, DTSTAMP `stamp`. Lines end with CR LF and are folded at
// 75 octets.
std::string iCalendarText(const core::YearCalendar& calendar, const std::string& version,
                          core::Instant stamp);

}  // namespace vantrel::platform
