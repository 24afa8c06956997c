#include "platform/icalendar_file.h"

#include <memory>

#include <libical/ical.h>

namespace vantrel::platform {

namespace {

using Component = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

icaltimetype utcTime(core::Instant moment)
{
    // The reading of universal time, cut to the second.
    const core::LocalDateTime reading = core::localTimeAt(moment, 0);
    const core::CivilDate date = reading.date.civil();
    icaltimetype value = icaltime_null_time();
    value.year = date.year;
    value.month = date.month;
    value.day = date.day;
    value.hour = reading.time.hour();
    value.minute = reading.time.minute();
    value.second = reading.time.second();
    value.zone = icaltimezone_get_utc_timezone();
    return value;
}

icaltimetype dateOnly(core::Date day)
{
    const core::CivilDate date = day.civil();
    icaltimetype value = icaltime_null_date();
    value.year = date.year;
    value.month = date.month;
    value.day = date.day;
    return value;
}

const char* categoryName(core::CalendarEvent::Category category)
{
    switch (category) {
    case core::CalendarEvent::Category::Moon:
        return "Moon";
    case core::CalendarEvent::Category::Sun:
        return "Sun";
    case core::CalendarEvent::Category::Feast:
        break;
    }
    return "Feast";
}

icalcomponent* eventComponent(const core::CalendarEvent& event, const std::string& uid,
                              const std::string& description, const icaltimetype& stamp)
{
    icalcomponent* component = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(component, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(component, icalproperty_new_dtstamp(stamp));
    if (event.category == core::CalendarEvent::Category::Feast) {
        icalcomponent_add_property(component, icalproperty_new_dtstart(dateOnly(event.date)));
        icalcomponent_add_property(component,
                                   icalproperty_new_dtend(dateOnly(event.date.plusDays(1))));
    } else {
        icalcomponent_add_property(component, icalproperty_new_dtstart(utcTime(*event.moment)));
    }
    icalcomponent_add_property(component, icalproperty_new_summary(event.name.c_str()));
    icalcomponent_add_property(component,
                               icalproperty_new_categories(categoryName(event.category)));
    if (!description.empty())
        icalcomponent_add_property(component, icalproperty_new_description(description.c_str()));
    // A moment in the sky takes no one's time: it leaves the day free for scheduling.
    icalcomponent_add_property(component, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return component;
}

}  // namespace

std::string iCalendarText(const core::YearCalendar& calendar, const std::string& version,
                          core::Instant stamp)
{
    Component root(icalcomponent_new(ICAL_VCALENDAR_COMPONENT), &icalcomponent_free);
    icalcomponent_add_property(root.get(), icalproperty_new_version("2.0"));
    const std::string productId = "-//Vantrel//Vantrel " + version + "//EN";
    icalcomponent_add_property(root.get(), icalproperty_new_prodid(productId.c_str()));
    icalcomponent_add_property(root.get(), icalproperty_new_calscale("GREGORIAN"));

    const icaltimetype stampTime = utcTime(stamp);
    const std::vector<std::string> uids = core::eventUids(calendar);
    for (std::size_t i = 0; i < calendar.events().size(); ++i) {
        const core::CalendarEvent& event = calendar.events()[i];
        icalcomponent_add_component(
            root.get(), eventComponent(event, uids[i], calendar.dayLine(event.date), stampTime));
    }
    char* text = icalcomponent_as_ical_string_r(root.get());
    std::string result = text ? text : "";
    icalmemory_free_buffer(text);
    return result;
}

}  // namespace vantrel::platform
