#include "core/thelemic/calculation.h"

#include <system_error>

#include "core/chart_engine/engine_run.h"
#include "core/chart_engine/ephemeris_range.h"
#include "core/common/date_format.h"
#include "core/common/text_file.h"
#include "core/hours/rise_set_reading.h"
#include "core/ports/clipboard.h"
#include "core/ports/main_view.h"
#include "core/ports/messages.h"
#include "core/thelemic/chart_reading.h"
#include "core/thelemic/composition.h"
#include "core/thelemic/year_numbering.h"

namespace vantrel::core {

namespace {

std::vector<std::string> listingLines(const std::filesystem::path& path)
{
    return readLinesFromFile(path).value_or(std::vector<std::string>{});
}

void removeFile(const std::filesystem::path& path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

}  // namespace

Calculator::Calculator(CalculationContext context) : m_context(std::move(context)) {}

EngineEnvironment Calculator::engineEnvironment() const
{
    return {m_context.settings, m_context.zone, m_context.process, m_context.workDir,
            m_context.defaultEngine};
}

void Calculator::deleteEngineOutputs() const
{
    for (const char* name : kEngineOutputs)
        removeFile(m_context.workDir / name);
}

template <typename Run> void Calculator::runEngine(const Run& run)
{
    if (m_engineFailed)
        return;
    if (const std::optional<EngineFailure> failure = run(engineEnvironment()))
        engineFailed(*failure);
}

void Calculator::engineFailed(const EngineFailure& failure)
{
    if (m_engineFailures == EngineFailures::Throw)
        throw EngineError(failure);
    m_engineFailed = true;
    if (failure.plainMessage)
        m_context.messages.showMessage(failure.message());
    else
        m_context.messages.showError(failure.message());
}

void Calculator::calculate(const LocalDateTime& moment)
{
    const Settings& settings = m_context.settings;
    m_context.view.showStatusText("- Please wait -");
    deleteEngineOutputs();
    m_engineFailed = false;

    const Date day = moment.date;
    m_context.view.setMonthCalendarDate(day);
    const CivilDate civil = day.civil();

    m_thelemicDate.yearText =
        yearText(yearCount(civil.year, civil.month, civil.day), settings.yearFormat);
    std::string thelemicPart = yearPrefix(settings.yearPrefix) + m_thelemicDate.yearText;

    if (const auto outside = ephemerisRangeProblem(day))
        engineFailed({*outside, "", false});
    runEngine([&](const EngineEnvironment& engine) {
        return runChartCommand(engine, settings.zone, settings.longitude, settings.latitude,
                               moment);
    });
    if (settings.wheelChart)
        runEngine([&](const EngineEnvironment& engine) {
            return runWheelCommand(engine, settings.zone, settings.longitude, settings.latitude,
                                   moment);
        });
    if (settings.aspectCharts)
        runEngine([&](const EngineEnvironment& engine) {
            return runAspectsCommand(engine, settings.zone, settings.longitude, settings.latitude,
                                     moment);
        });

    const TextFile listing = readTextFile(m_context.workDir / kChartListing);
    if (!m_engineFailed) {
        if (const auto problem = chartListingProblem(listing, kChartListing))
            engineFailed({*problem, "", false});
    }
    readChartListing(listing.lines, settings.signDisplay, m_thelemicDate, thelemicPart);

    if (settings.dayStart == DayStart::Sunrise || settings.dayStart == DayStart::Sunset)
        readRiseSetTimes(moment);
    m_thelemicDate.dayName = latinDayName(latinWeekday(moment, settings.dayStart, m_riseSetTimes));

    composeDisplay(thelemicPart, "Dies " + m_thelemicDate.dayName, moment);
}

void Calculator::composeDisplay(const std::string& thelemicPart, const std::string& weekdayPart,
                                const LocalDateTime& moment)
{
    const Settings& settings = m_context.settings;
    MainView& view = m_context.view;
    m_datePattern = datePatternFor(settings.dateFormat);
    const std::string civilPart = collapseBlanks(
        formatDate(m_datePattern, moment.date, m_context.regional) +
        formatTime(timePatternFor(settings.timeFormat), moment.time, m_context.regional));

    std::vector<std::string> lines = layoutLines(settings.lineCount, collapseBlanks(thelemicPart),
                                                 collapseBlanks(weekdayPart), civilPart);
    if (settings.greetings) {
        for (auto& greeting : greetingLines(settings.quotedGreetings))
            lines.push_back(std::move(greeting));
    }
    view.setDisplayLines(lines);
    view.setCaption(settings.dateInCaption ? civilPart : "Vantrel");
    if (settings.copyEveryDate)
        copyToClipboard();
    if (view.isDataWindowShown())
        view.refreshDataWindow();
    view.moveCaretToStart();
}

void Calculator::readRiseSetTimes(const LocalDateTime& moment)
{
    const Settings& settings = m_context.settings;
    const LocalDateTime nextDay{moment.date.plusDays(1), moment.time};
    // A failed run writes nothing, so an older listing must not be left to be read in its place.
    for (const char* name : {kRiseSetListing, kNextRiseSetListing})
        removeFile(m_context.workDir / name);
    runEngine([&](const EngineEnvironment& engine) {
        return runRiseSetCommand(engine, settings.zone, settings.longitude, settings.latitude,
                                 kRiseSetListing, moment);
    });
    if (inEphemerisRange(nextDay.date))
        runEngine([&](const EngineEnvironment& engine) {
            return runRiseSetCommand(engine, settings.zone, settings.longitude, settings.latitude,
                                     kNextRiseSetListing, nextDay);
        });
    const auto result =
        readRiseSetListings(listingLines(m_context.workDir / kRiseSetListing),
                            listingLines(m_context.workDir / kNextRiseSetListing),
                            m_context.zone.dateOrderSwitch, m_context.regional, m_riseSetTimes);
    if (result == RiseSetReadResult::UnreadableDate)
        m_context.messages.showMessage(kDateOrderMessage);
}

void Calculator::copyToClipboard()
{
    std::string text;
    const auto lines = m_context.view.displayLines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "\n") + lines[i];
    m_context.clipboard.setText(text);
}

}  // namespace vantrel::core
