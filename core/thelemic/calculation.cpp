#include "core/thelemic/calculation.h"

#include <system_error>

#include "core/astrolog/astrolog_run.h"
#include "core/astrolog/ephemeris_range.h"
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

// Everything the engine may have left from the last calculation.
constexpr const char* kEngineOutputs[] = {"chart.txt", "riseset.txt", "risesetn.txt", "planets.txt",
                                          "wheel.txt", "aspects.txt", "chart.wmf"};

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

AstrologEnvironment Calculator::astrologEnvironment() const
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
    if (const std::optional<EngineFailure> failure = run(astrologEnvironment()))
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

void Calculator::calculate(DateTime date, DateTime time)
{
    const Settings& settings = m_context.settings;
    m_context.view.showStatusText("- Please wait -");
    deleteEngineOutputs();
    m_engineFailed = false;

    const DateTime day = datePart(date);
    const DateTime clock = timePart(time);
    m_context.view.setMonthCalendarDate(day);
    const CivilDate civil = dateFromDateTime(day);

    m_thelemicDate.YearText =
        yearText(YearCount(civil.year, civil.month, civil.day), settings.OFormat);
    std::string thelemicPart = yearPrefix(settings.OBasic) + m_thelemicDate.YearText;

    if (const auto outside = ephemerisRangeProblem(day))
        engineFailed({*outside, "", false});
    runEngine([&](const AstrologEnvironment& engine) {
        return WriteChartInput(engine, settings.Zone, settings.Long, settings.Lat, clock, day);
    });
    if (settings.OWheelChart)
        runEngine([&](const AstrologEnvironment& engine) {
            return WriteWheelInput(engine, settings.Zone, settings.Long, settings.Lat, clock, day);
        });
    if (settings.OAspects)
        runEngine([&](const AstrologEnvironment& engine) {
            return WriteAspectsInput(engine, settings.Zone, settings.Long, settings.Lat, clock,
                                     day);
        });

    const TextFile listing = readTextFile(m_context.workDir / kChartListing);
    if (!m_engineFailed) {
        if (const auto problem = chartListingProblem(listing, kChartListing))
            engineFailed({*problem, "", false});
    }
    readChartListing(listing.lines, settings.OAspect, m_thelemicDate, thelemicPart);

    if (settings.DayBegins == DayStart::Sunrise || settings.DayBegins == DayStart::Sunset)
        ReadRiseSetTimes(day, clock);
    m_thelemicDate.DayName =
        latinDayName(latinWeekday(day + clock, settings.DayBegins, m_riseSetTimes));

    composeDisplay(thelemicPart, "Dies " + m_thelemicDate.DayName, day, clock);
}

void Calculator::composeDisplay(const std::string& thelemicPart, const std::string& weekdayPart,
                                DateTime day, DateTime clock)
{
    const Settings& settings = m_context.settings;
    MainView& view = m_context.view;
    m_datePattern = datePatternFor(settings.ODateFormat);
    const std::string civilPart = CollapseBlanks(
        formatDateTime(m_datePattern, day, m_context.regional) +
        formatDateTime(timePatternFor(settings.OTimeFormat), clock, m_context.regional));

    std::vector<std::string> lines = layoutLines(settings.OLines, CollapseBlanks(thelemicPart),
                                                 CollapseBlanks(weekdayPart), civilPart);
    if (settings.Greetings) {
        for (auto& greeting : greetingLines(settings.Quoted))
            lines.push_back(std::move(greeting));
    }
    view.setDisplayLines(lines);
    view.setCaption(settings.UpdateCaption ? civilPart : "Vantrel");
    if (settings.ReplaceClip)
        copyToClipboard();
    if (view.isDataWindowShown())
        view.refreshDataWindow();
    view.moveCaretToStart();
}

void Calculator::ReadRiseSetTimes(DateTime date, DateTime time)
{
    const Settings& settings = m_context.settings;
    const DateTime day = datePart(date);
    const DateTime clock = timePart(time);
    // A failed run writes nothing, so an older listing must not be left to be read in its place.
    for (const char* name : {kRiseSetListing, kNextRiseSetListing})
        removeFile(m_context.workDir / name);
    runEngine([&](const AstrologEnvironment& engine) {
        return WriteRiseSetInput(engine, settings.Zone, settings.Long, settings.Lat,
                                 kRiseSetListing, clock, day);
    });
    if (inEphemerisRange(day + 1))
        runEngine([&](const AstrologEnvironment& engine) {
            return WriteRiseSetInput(engine, settings.Zone, settings.Long, settings.Lat,
                                     kNextRiseSetListing, clock, day + 1);
        });
    const auto result =
        readRiseSetListings(listingLines(m_context.workDir / kRiseSetListing),
                            listingLines(m_context.workDir / kNextRiseSetListing),
                            m_context.zone.DateOrderSwitch, m_context.regional, m_riseSetTimes);
    if (result == RiseSetReadResult::UnreadableDate)
        m_context.messages.showMessage(DateOrderMessage);
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
