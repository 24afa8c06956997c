// "vantrel --calendar YEAR FILE": the year's phases, entries and feasts as an iCalendar file.

#include <charconv>
#include <iostream>
#include <memory>

#include <QCoreApplication>

#include "app/locations.h"
#include "app/modes.h"
#include "app/services.h"
#include "core/calendar/year_calendar.h"
#include "core/common/error.h"
#include "core/common/text_file.h"
#include "platform/engine_sky_event_source.h"
#include "platform/icalendar_file.h"
#include "ui/about_box.h"

namespace vantrel::app {

namespace {

// The year as typed: digits, with a sign at most; the range is the calendar's to judge.
int yearFromText(const std::string& text)
{
    int year = 0;
    const char* end = text.data() + text.size();
    const char* digits = text.data() + (text.starts_with('+') ? 1 : 0);
    const auto [stop, failure] = std::from_chars(digits, end, year);
    if (text.empty() || failure != std::errc() || stop != end)
        throw core::VantrelError("The year \"" + core::visibleText(text) + "\" is not a number");
    return year;
}

}  // namespace

int runCalendarMode(int& argc, char** argv, const CommandLine& commandLine)
{
    quietQtDiagnostics();
    const std::unique_ptr<QCoreApplication> application =
        commandLineApplication(argc, argv, commandLine);
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    const std::string& yearText = commandLine.arguments.at(1);
    const std::string& fileName = commandLine.arguments.at(2);
    CommandLineMessages messages;
    try {
        const int year = yearFromText(yearText);
        const core::FileLocations locations = programLocations(homeFolder());
        Services services(messages, locations);
        const core::FeastList feasts = core::readFeastsFile(
            core::DataFiles(locations.workDir, locations.dataDir).path(core::kFeastsFileName));
        for (const std::string& problem : feasts.problems)
            messages.showError(problem);
        platform::EngineSkyEventSource sky;
        const core::YearCalendar calendar = core::yearCalendar(
            year, feasts.feasts, {services.settings, services.regional, services.zone, sky});
        const std::string text =
            platform::iCalendarText(calendar, ui::kVersionText, services.clock.now());
        if (fileName == "-") {
            // A full disk or a closed pipe behind standard output is a file not written.
            if (!(std::cout << text << std::flush))
                throw core::VantrelError("Cannot write to standard output");
        } else if (!core::writeFileAtomically(fileName, text)) {
            throw core::VantrelError(core::formatMessage("Cannot create file %s", fileName));
        }
    } catch (const core::VantrelError& error) {
        std::cerr << core::withFinalStop(error.what()) << std::endl;
        return 1;
    }
    return messages.errorShown ? 1 : 0;
}

}  // namespace vantrel::app
