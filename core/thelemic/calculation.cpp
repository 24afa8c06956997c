#include "core/thelemic/calculation.h"

#include <algorithm>

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

// Rise-and-set listings kept by a calculator: a day's and the next day's for a few places.
constexpr std::size_t kRiseSetCacheSize = 8;

// A listing of a run as the program reads a text file: missing when the run wrote none.
TextFile listingOf(const EngineRun& run, std::string_view name)
{
    TextFile file;
    const EngineOutput* output = run.output(name);
    if (output == nullptr)
        return file;
    switch (output->state) {
    case EngineOutput::State::TooLarge:
        file.status = TextFileStatus::TooLarge;
        break;
    case EngineOutput::State::Unreadable:
        file.status = TextFileStatus::Unreadable;
        break;
    case EngineOutput::State::Read:
        file.status = TextFileStatus::Read;
        file.lines = linesFromFileBytes(output->bytes);
        break;
    }
    return file;
}

// The command text with the clock time of its chart-data line left out ("/qb 3 14 2001  ST 5
// ..."): the rise-and-set listing covers the chart's whole local day, whatever the time.
std::string withoutClockTime(std::string text)
{
    std::size_t at = text.find("\n/qb ");
    for (int field = 0; at != std::string::npos && field < 4; ++field)
        at = text.find(' ', at + 1);
    if (at != std::string::npos)
        text.erase(at + 1, text.find(' ', at + 1) - at - 1);
    return text;
}

}  // namespace

Calculator::Calculator(CalculationContext context) : m_context(std::move(context)) {}

EngineEnvironment Calculator::engineEnvironment() const
{
    return {m_context.settings, m_context.zone, m_context.engine};
}

template <typename Run> EngineRun Calculator::runEngine(const Run& run)
{
    if (m_engineFailed)
        return {};
    EngineRun result = run(engineEnvironment());
    if (result.failure)
        engineFailed(*result.failure);
    return result;
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
    m_context.view.showStatusText("- Please wait -");
    m_context.engine.discardOutputs();
    m_context.view.setMonthCalendarDate(moment.date);
    const std::string thelemicPart = calculateDate(moment);
    composeDisplay(thelemicPart, "Dies " + m_thelemicDate.dayName, moment);
}

std::string Calculator::calculateDate(const LocalDateTime& moment)
{
    const Settings& settings = m_context.settings;
    m_engineFailed = false;
    // Nothing else reads the listings when the engine takes trimmed commands: the pictures and
    // aspects would be computed for no one.
    const bool trimmed = m_context.engine.takesTrimmedCommands();

    const CivilDate civil = moment.date.civil();
    m_thelemicDate.yearText =
        yearText(yearCount(civil.year, civil.month, civil.day), settings.yearFormat);
    std::string thelemicPart = yearPrefix(settings.yearPrefix) + m_thelemicDate.yearText;

    if (const auto outside = ephemerisRangeProblem(moment.date))
        engineFailed({*outside, "", false});
    const EngineRun chart = runEngine([&](const EngineEnvironment& engine) {
        return runChartCommand(engine, settings.zone, settings.longitude, settings.latitude,
                               moment);
    });
    if (settings.wheelChart && !trimmed)
        (void)runEngine([&](const EngineEnvironment& engine) {
            return runWheelCommand(engine, settings.zone, settings.longitude, settings.latitude,
                                   moment);
        });
    if (settings.aspectCharts && !trimmed)
        (void)runEngine([&](const EngineEnvironment& engine) {
            return runAspectsCommand(engine, settings.zone, settings.longitude, settings.latitude,
                                     moment);
        });

    const TextFile listing = listingOf(chart, kChartListing);
    if (!m_engineFailed) {
        if (const auto problem = chartListingProblem(listing, kChartListing))
            engineFailed({*problem, "", false});
    }
    readChartListing(listing.lines, settings.signDisplay, m_thelemicDate, thelemicPart);

    if (settings.dayStart == DayStart::Sunrise || settings.dayStart == DayStart::Sunset) {
        if (trimmed)
            readDayStart(moment);
        else
            readRiseSetTimes(moment);
    }
    m_thelemicDate.dayName = latinDayName(latinWeekday(moment, settings.dayStart, m_riseSetTimes));
    return thelemicPart;
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
    const EngineRun day = runEngine([&](const EngineEnvironment& engine) {
        return runRiseSetCommand(engine, settings.zone, settings.longitude, settings.latitude,
                                 kRiseSetListing, moment);
    });
    EngineRun next;
    if (inEphemerisRange(nextDay.date))
        next = runEngine([&](const EngineEnvironment& engine) {
            return runRiseSetCommand(engine, settings.zone, settings.longitude, settings.latitude,
                                     kNextRiseSetListing, nextDay);
        });
    const auto result = readRiseSetListings(
        listingOf(day, kRiseSetListing).lines, listingOf(next, kNextRiseSetListing).lines,
        m_context.zone.dateOrderSwitch, m_context.regional, m_riseSetTimes);
    if (result == RiseSetReadResult::UnreadableDate)
        m_context.messages.showMessage(kDateOrderMessage);
}

std::vector<std::string> Calculator::riseSetLines(const LocalDateTime& moment,
                                                  const char* outputFile)
{
    if (m_engineFailed)
        return {};
    const Settings& settings = m_context.settings;
    const std::string text = riseSetCommandText(
        engineEnvironment(), {settings.zone, settings.longitude, settings.latitude}, outputFile,
        moment);
    const std::string key = withoutClockTime(text);
    const auto kept = std::find_if(m_riseSetCache.begin(), m_riseSetCache.end(),
                                   [&](const auto& entry) { return entry.first == key; });
    if (kept != m_riseSetCache.end())
        return kept->second;
    const EngineRun run =
        runEngine([&](const EngineEnvironment& engine) { return engine.engine.run(text); });
    std::vector<std::string> lines = listingOf(run, outputFile).lines;
    if (run.failure)
        return lines;
    if (m_riseSetCache.size() == kRiseSetCacheSize)
        m_riseSetCache.erase(m_riseSetCache.begin());
    m_riseSetCache.emplace_back(key, lines);
    return lines;
}

void Calculator::readDayStart(const LocalDateTime& moment)
{
    const bool atSunrise = m_context.settings.dayStart == DayStart::Sunrise;
    const std::vector<std::string> day = riseSetLines(moment, kRiseSetListing);
    const std::string& order = m_context.zone.dateOrderSwitch;
    auto result = readRiseSetListings(day, {}, order, m_context.regional, m_riseSetTimes);
    const LocalDateTime nextDay{moment.date.plusDays(1), moment.time};
    const bool found =
        atSunrise ? m_riseSetTimes.sunrise.has_value() : m_riseSetTimes.sunset.has_value();
    if (result == RiseSetReadResult::Complete && !found && inEphemerisRange(nextDay.date))
        result = readRiseSetListings(day, riseSetLines(nextDay, kNextRiseSetListing), order,
                                     m_context.regional, m_riseSetTimes);
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
