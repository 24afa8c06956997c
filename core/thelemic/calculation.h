#pragma once
// The calculation of the Thelemic date: for a date, a time, the place in the settings and the
// settings themselves, runs the chart engine and composes the date text into the main view.

#include <string>
#include <utility>
#include <vector>

#include "core/chart_engine/live_zone.h"
#include "core/common/date_time.h"
#include "core/common/regional_settings.h"
#include "core/hours/rise_set_times.h"
#include "core/settings/settings.h"
#include "core/thelemic/thelemic_date.h"

namespace vantrel::core {

class ChartEngine;
class Clipboard;
class MainView;
class Messages;
struct EngineEnvironment;
struct EngineFailure;
struct EngineRun;

// What a calculation does when the engine fails, or its chart listing cannot be read, or the
// date lies outside the ephemeris range: report it once and compose the date all the same
// (the window, "vantrel x"), or stop with an EngineError (a batch line).
enum class EngineFailures { Report, Throw };

// Everything a calculation reads and writes beyond its arguments. The references must outlive
// the Calculator.
struct CalculationContext {
    Settings& settings;
    const RegionalSettings& regional;
    const LiveZone& zone;
    ChartEngine& engine;
    MainView& view;
    Clipboard& clipboard;
    Messages& messages;
};

class Calculator {
public:
    explicit Calculator(CalculationContext context);

    // The whole calculation for the date and time of day of `moment`.
    // Throws VantrelError when the command file cannot be created, EngineRunStopped when a run
    // was stopped, and EngineError for an engine failure when failures throw. Once the engine
    // has failed, the calculation's further runs are left out: the first failure is the one
    // reported.
    void calculate(const LocalDateTime& moment);

    // What calculate() asks of the engine and reads, without the view: sets thelemicDate() (and
    // riseSetTimes() when the day begins at sunrise or sunset) and returns the display's first
    // piece, the year with the Sol and Luna pieces ("Anno IVviii Sol in Gemini, Luna in Leo").
    // Fails as calculate().
    std::string calculateDate(const LocalDateTime& moment);

    // The two rise-and-set runs for the date of `moment` and the day after at its time of day,
    // filling riseSetTimes(); the second is left out when the day after lies beyond the
    // ephemeris range. Fails as calculate().
    void readRiseSetTimes(const LocalDateTime& moment);

    void setEngineFailures(EngineFailures failures) { m_engineFailures = failures; }
    EngineFailures engineFailures() const { return m_engineFailures; }

    // Copies the display's whole text to the clipboard as plain text.
    void copyToClipboard();

    const ThelemicDate& thelemicDate() const { return m_thelemicDate; }
    const RiseSetTimes& riseSetTimes() const { return m_riseSetTimes; }
    // The civil-date pattern chosen by the last calculation.
    const std::string& datePattern() const { return m_datePattern; }
    const CalculationContext& context() const { return m_context; }

private:
    EngineEnvironment engineEnvironment() const;
    // Runs one writer unless the engine has already failed in this calculation (nothing is then
    // run and the result is empty).
    template <typename Run> EngineRun runEngine(const Run& run);
    // The rise-and-set listing's lines for the day of `moment`, as an engine that takes trimmed
    // commands gives them: a listing asked for once is kept for the next calculations of that
    // day, place and zone.
    std::vector<std::string> riseSetLines(const LocalDateTime& moment, const char* outputFile);
    // Sunrise or sunset alone, as the day's start asks: the day after is asked only when the
    // day's own listing lacks the event.
    void readDayStart(const LocalDateTime& moment);
    void engineFailed(const EngineFailure& failure);
    void composeDisplay(const std::string& thelemicPart, const std::string& weekdayPart,
                        const LocalDateTime& moment);

    CalculationContext m_context;
    ThelemicDate m_thelemicDate;
    RiseSetTimes m_riseSetTimes;
    std::string m_datePattern;
    EngineFailures m_engineFailures = EngineFailures::Report;
    bool m_engineFailed = false;
    // Command text without its clock time, and the listing's lines; the latest last.
    std::vector<std::pair<std::string, std::vector<std::string>>> m_riseSetCache;
};

}  // namespace vantrel::core
