#pragma once
// The calculation of the Thelemic date: for a date, a time, the place in the settings and the
// settings themselves, runs the chart engine and composes the date text into the main view.

#include <filesystem>
#include <string>
#include <vector>

#include "core/chart_engine/live_zone.h"
#include "core/common/date_time.h"
#include "core/common/regional_settings.h"
#include "core/hours/rise_set_times.h"
#include "core/settings/settings.h"
#include "core/thelemic/thelemic_date.h"

namespace vantrel::core {

class Clipboard;
class MainView;
class Messages;
class ProcessRunner;
struct EngineEnvironment;
struct EngineFailure;

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
    ProcessRunner& process;
    MainView& view;
    Clipboard& clipboard;
    Messages& messages;
    // Where command files and listings live (the current directory in the program).
    std::filesystem::path workDir = ".";
    // The engine to run when Settings::engineCommand is empty.
    std::string defaultEngine = "vantrel-engine";
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
    void deleteEngineOutputs() const;
    // Runs one writer unless the engine has already failed in this calculation.
    template <typename Run> void runEngine(const Run& run);
    void engineFailed(const EngineFailure& failure);
    void composeDisplay(const std::string& thelemicPart, const std::string& weekdayPart,
                        const LocalDateTime& moment);

    CalculationContext m_context;
    ThelemicDate m_thelemicDate;
    RiseSetTimes m_riseSetTimes;
    std::string m_datePattern;
    EngineFailures m_engineFailures = EngineFailures::Report;
    bool m_engineFailed = false;
};

}  // namespace vantrel::core
