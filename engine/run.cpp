#include "engine/run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <locale.h>

#include "engine/chart.h"
#include "engine/command_file.h"
#include "engine/ephemeris.h"
#include "engine/listings.h"
#include "engine/output_files.h"
#include "engine/rise_set.h"
#include "engine/sky_events.h"
#include "engine/wheel_picture.h"

namespace vantrel::engine {

namespace {

// Longer than any command file: a longer text is refused before it is parsed.
constexpr std::size_t kLongestCommandFile = 1u << 20;

// Reads the file, but no more than one byte beyond the longest command file.
bool readCommandFile(const std::string& path, std::string& text, std::string& reason)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    char buffer[8192];
    std::size_t n = 0;
    while (text.size() <= kLongestCommandFile && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    const int saved = errno;
    std::fclose(f);
    if (failed) {
        reason = std::strerror(saved == 0 ? EIO : saved);
        return false;
    }
    return true;
}

// Whether an output shows the chart's places or houses; the rise and set listing and the
// events alone need no more than the chart's day and place.
bool placesShown(const Request& r)
{
    return r.pictureRequested || r.wheelLines > 0 || r.aspectGrid || r.aspectList || r.horizon ||
           r.influence || (!r.riseSet && !r.events);
}

// How a run finds the library: afresh when it computes a moment near or beyond the ends of the
// ephemeris files, so that no earlier run's open files change what it gives there.
Ephemeris::Opening openingFor(const Request& r)
{
    constexpr double kReachDays = 40;  // the searches look a little past their days
    double first = 1e300, last = -1e300;
    if (r.chart) {
        first = last = Ephemeris::julianDay(r.chart->year, r.chart->month, r.chart->day, 12.0);
    }
    if (r.events) {
        first = std::min(first, r.events->startJdUt);
        last = std::max(last, r.events->endJdUt);
    }
    return Ephemeris::withinFiles(first - kReachDays, last + kReachDays)
               ? Ephemeris::Opening::Kept
               : Ephemeris::Opening::Afresh;
}

// Sun through Pluto, those the request leaves unrestricted.
BodySet horizonBodies(const Request& r)
{
    BodySet bodies;
    for (int i = 0; i < kPlanetCount; ++i)
        bodies[static_cast<std::size_t>(i)] = !r.restricted[i];
    return bodies;
}

// The listings asked for; without chart data (chart null) only the events.
std::string textOutputOf(const Chart* chart, const Request& r, Ephemeris& ephemeris)
{
    std::string out;
    out.reserve(4096);  // a chart listing's or a few rise and set lines' worth
    auto writeEvents = [&] {
        writeSkyEventListing(findSkyEvents(ephemeris, r.events->startJdUt, r.events->endJdUt,
                                           r.sidereal ? Zodiac::Sidereal : Zodiac::Tropical),
                             out);
    };
    if (chart == nullptr) {
        writeEvents();
        return out;
    }
    auto separate = [&out] {
        if (!out.empty()) {
            out += kLineEnd;
            out += kLineEnd;
        }
    };
    const bool aspects = r.aspectGrid || r.aspectList || r.horizon || r.influence;
    if (r.wheelLines > 0)
        writeTextWheel(*chart, r.wheelLines, r.dayFirst, out);
    if (aspects) {
        separate();
        writeAspects(*chart, r, out);
    }
    if (r.riseSet) {
        separate();
        writeRiseSetListing(*chart, ephemeris, r.dayFirst, out, horizonBodies(r));
    }
    if (r.events) {
        separate();
        writeEvents();
    }
    if (r.wheelLines == 0 && !aspects && !r.riseSet && !r.events)
        writeChartListing(*chart, r.dayFirst, out);
    return out;
}

// The calling thread in the C locale while it lives. The program runs in the user's locale,
// whose decimal comma would otherwise turn up in listings and whose letters in parsing.
class InTheCLocale {
public:
    InTheCLocale() : m_previous(::uselocale(cLocale())) {}
    ~InTheCLocale() { ::uselocale(m_previous); }
    InTheCLocale(const InTheCLocale&) = delete;
    InTheCLocale& operator=(const InTheCLocale&) = delete;

private:
    static locale_t cLocale()
    {
        static const locale_t c = ::newlocale(LC_ALL_MASK, "C", nullptr);
        return c;
    }
    locale_t m_previous;
};

RunOutcome runText(std::string_view text, const std::string& ephemerisFolder,
                   const std::string& inputName, bool lookAtFolder)
{
    const InTheCLocale cLocale;
    RunOutcome outcome;
    auto fail = [&outcome, &inputName](int code, int line, const std::string& what) {
        outcome.exitCode = code;
        outcome.error = inputName;
        if (line > 0)
            outcome.error += ':' + std::to_string(line);
        outcome.error += ": " + what;
        return outcome;
    };
    if (text.size() > kLongestCommandFile)
        return fail(1, 0, "cannot read the command file: larger than a command file can be");
    Request request;
    try {
        request = parseCommandFile(text, lookAtFolder);
    } catch (const CommandError& e) {
        return fail(1, e.line(), e.what());
    }

    Ephemeris ephemeris(ephemerisFolder, openingFor(request));
    const ChartOutcome computed =
        request.chart ? computeChart(request, ephemeris, placesShown(request)) : ChartOutcome{};
    bool asteroidsWanted = false;
    for (int i = static_cast<int>(Object::Chiron); i <= static_cast<int>(Object::Vesta); ++i)
        asteroidsWanted = asteroidsWanted || (request.chart && !request.restricted[i]);
    auto collectWarnings = [&] {
        for (const auto& w : ephemeris.warnings())
            if (w.rfind("asteroid", 0) != 0 || asteroidsWanted)
                outcome.warnings.push_back(w);
        outcome.warnings.insert(outcome.warnings.end(), computed.warnings.begin(),
                                computed.warnings.end());
    };
    auto cannotCompute = [&](const std::string& why) {
        collectWarnings();
        return fail(
            1, request.chartLine,
            (request.chart ? "cannot compute this chart: " : "cannot compute the events: ") + why);
    };
    if (request.chart && !computed.chart)
        return cannotCompute(computed.error);
    const Chart* chart = computed.chart ? &*computed.chart : nullptr;

    OutputFiles files;
    try {
        std::string textOutput = textOutputOf(chart, request, ephemeris);
        if (request.textOutput.empty())
            outcome.standardOutput = std::move(textOutput);
        else
            files.add(request.textOutput, std::move(textOutput));
        if (request.pictureRequested) {
            const auto bytes = drawWheelPicture(
                *chart, {request.reversedColors, request.monochrome}, request.dayFirst);
            files.add(pictureFileName(request), std::string(bytes.begin(), bytes.end()));
        }
    } catch (const EphemerisError& e) {
        return cannotCompute(e.what());
    }
    collectWarnings();
    outcome.files = files.take();
    return outcome;
}

}  // namespace

RunOutcome runCommandText(std::string_view text, const std::string& ephemerisFolder,
                          const std::string& inputName)
{
    return runText(text, ephemerisFolder, inputName, false);
}

RunOutcome runCommandFile(const std::string& path, const std::string& ephemerisFolder)
{
    std::string text;
    std::string reason;
    if (!readCommandFile(path, text, reason)) {
        RunOutcome outcome;
        outcome.exitCode = 1;
        outcome.error = path + ": cannot read the command file: " + reason;
        return outcome;
    }
    RunOutcome outcome = runText(text, ephemerisFolder, path, true);
    if (outcome.exitCode != 0)
        return outcome;
    OutputFiles files;
    for (OutputFile& f : outcome.files)
        files.add(std::move(f.name), std::move(f.bytes));
    try {
        files.commit();
    } catch (const OutputError& e) {
        outcome.exitCode = 1;
        outcome.error = path + ": " + e.what();
        outcome.standardOutput.clear();
    }
    outcome.files = files.take();
    if (outcome.exitCode != 0)
        outcome.files.clear();
    return outcome;
}

std::string standardErrorText(const RunOutcome& outcome)
{
    std::string text;
    for (const auto& w : outcome.warnings)
        text += "vantrel-engine: warning: " + w + "\n";
    if (outcome.exitCode != 0)
        text += "vantrel-engine: " + outcome.error + "\n";
    return text;
}

}  // namespace vantrel::engine
