#include "core/batch/convert_batch.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "core/batch/batch_input.h"
#include "core/batch/batch_pipeline.h"
#include "core/batch/line_conversion.h"
#include "core/batch/private_folder.h"
#include "core/chart_engine/engine_run.h"
#include "core/chart_engine/local_clock.h"
#include "core/common/error.h"
#include "core/common/text_file.h"
#include "core/places/place_texts.h"
#include "core/ports/messages.h"
#include "core/thelemic/calculation.h"

namespace vantrel::core {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

namespace {

// A chunk of lines is what a worker takes at once: enough that handing it over costs nothing
// beside its calculations, few enough that the chunks between reader and writer stay small.
constexpr std::size_t kChunkLines = 256;
constexpr std::size_t kChunkBytes = std::size_t{256} << 10;
// How often the observer hears of the conversion.
constexpr milliseconds kProgressInterval{50};

bool samePath(const fs::path& a, const fs::path& b)
{
    std::error_code error;
    if (fs::equivalent(a, b, error))
        return true;
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

// A failure of a line as the batch reports it: the user's file and line first; for the engine,
// its own text after the summary.
std::string lineFailureMessage(const std::string& inputName, std::size_t line,
                               const std::string& what)
{
    return visibleText(inputName) + ", line " + std::to_string(line) + ": " + what;
}

std::string engineFailureText(const EngineFailure& failure)
{
    std::string text = failure.summary;
    if (!failure.engineText.empty())
        text += ": " + engineTextWithoutCommandFile(failure.engineText);
    return text;
}

// Converts the lines of a chunk until one fails or `goOn` says no more.
ChunkResult convertChunk(LineConversion& conversion, const LineChunk& chunk,
                         const std::string& inputName, const std::function<bool()>& goOn)
{
    ChunkResult result;
    result.output.reserve(chunk.bytes + chunk.lines.size() * 48);
    for (std::size_t i = 0; i < chunk.lines.size(); ++i) {
        const std::size_t number = chunk.firstLine + i;
        try {
            conversion.convert(chunk.lines[i], number == 1, result.output);
        } catch (const EngineError& error) {
            result.failure =
                lineFailureMessage(inputName, number, engineFailureText(error.failure()));
        } catch (const VantrelError& error) {
            result.failure = lineFailureMessage(inputName, number, error.what());
        } catch (const EngineRunStopped&) {
            result.stopped = true;
            return result;
        }
        for (auto& message : conversion.takeMessages())
            result.messages.push_back(std::move(message));
        if (result.failure)
            return result;
        ++result.linesDone;
        result.bytesDone += chunk.lines[i].size() + 1;
        result.lastPlace = conversion.place();
        result.lastMoment = conversion.moment();
        if (!goOn())
            return result;
    }
    // The line ends counted one byte each above; the chunk knows their true length.
    if (result.linesDone == chunk.lines.size())
        result.bytesDone = chunk.bytes;
    return result;
}

// The threads of a conversion, stopped and joined however it ends.
class ConversionThreads {
public:
    explicit ConversionThreads(BatchPipeline& pipeline) : m_pipeline(pipeline) {}
    ~ConversionThreads()
    {
        m_pipeline.stop();
        for (std::thread& thread : m_threads)
            thread.join();
    }
    ConversionThreads(const ConversionThreads&) = delete;
    ConversionThreads& operator=(const ConversionThreads&) = delete;
    template <typename Work> void start(Work work) { m_threads.emplace_back(std::move(work)); }

private:
    BatchPipeline& m_pipeline;
    std::vector<std::thread> m_threads;
};

// Reads the input into the pipeline until it ends, fails or the conversion stops.
void readInput(BatchInput& input, BatchPipeline& pipeline)
{
    const auto stopped = [&pipeline] { return pipeline.stopped(); };
    try {
        for (;;) {
            std::optional<LineChunk> chunk = input.next(kChunkLines, kChunkBytes, stopped);
            if (!chunk)
                return;
            if (chunk->lines.empty()) {
                pipeline.endInput();
                return;
            }
            if (!pipeline.putChunk(std::move(*chunk)))
                return;
        }
    } catch (const std::exception& error) {
        pipeline.endInput(error.what());
    }
}

class Conversion {
public:
    Conversion(const BatchContext& context, const std::string& inputName,
               const std::string& outputName)
        : m_context(context), m_inputName(inputName), m_outputName(outputName),
          m_settings(context.calculator.context().settings)
    {
    }

    BatchResult run();

private:
    bool tick(bool now = false);
    // Takes the next result in order; false when the conversion is over (or cancelled).
    bool takeResult(BatchPipeline& pipeline, FileReplacement& output);
    void convertInline(BatchPipeline& pipeline, LineConversion& conversion);
    void showLastLine(bool calculate);

    const BatchContext& m_context;
    const std::string& m_inputName;
    const std::string& m_outputName;
    Settings& m_settings;
    BatchProgress m_progress;
    steady_clock::time_point m_start = steady_clock::now();
    steady_clock::time_point m_lastTick{};
    bool m_cancelled = false;
    std::size_t m_linesInline = 0;  // converted on this thread, not yet taken as a result
    std::optional<LocalDateTime> m_lastMoment;
    std::optional<LinePlace> m_lastPlace;
};

bool Conversion::tick(bool now)
{
    const auto at = steady_clock::now();
    if (!now && at - m_lastTick < kProgressInterval)
        return !m_cancelled;
    m_lastTick = at;
    BatchProgress progress = m_progress;
    progress.elapsed = at - m_start;
    progress.linesDone += m_linesInline;
    m_cancelled = m_cancelled || !m_context.observer.progress(progress);
    return !m_cancelled;
}

bool Conversion::takeResult(BatchPipeline& pipeline, FileReplacement& output)
{
    ChunkResult result;
    switch (pipeline.nextResult(result, kProgressInterval)) {
    case BatchPipeline::Next::Ended:
        return false;
    case BatchPipeline::Next::Waiting:
        return tick();
    case BatchPipeline::Next::Result:
        break;
    }
    m_linesInline = 0;
    Messages& messages = m_context.calculator.context().messages;
    for (const auto& message : result.messages)
        message.error ? messages.showError(message.text) : messages.showMessage(message.text);
    if (result.lastPlace) {
        m_lastPlace = result.lastPlace;
        m_lastMoment = result.lastMoment;
    }
    if (result.failure)
        throw VantrelError(*result.failure);
    if (result.stopped) {
        m_cancelled = true;
        return false;
    }
    if (!output.write(result.output))
        throw VantrelError(cannotCreateMessage(m_outputName, output.failure()));
    m_progress.linesDone += result.linesDone;
    m_progress.bytesDone += result.bytesDone;
    return tick();
}

// An engine program converts the lines one at a time on this thread, in a private folder, with
// the observer able to stop a running engine.
void Conversion::convertInline(BatchPipeline& pipeline, LineConversion& conversion)
{
    auto chunk = pipeline.takeChunk(kProgressInterval);
    if (!chunk)
        return;
    // Each line runs the engine program at least once: the observer hears of every line.
    const auto goOn = [this] {
        ++m_linesInline;
        return tick(true);
    };
    pipeline.putResult(chunk->first, convertChunk(conversion, chunk->second, m_inputName, goOn));
}

BatchResult Conversion::run()
{
    const fs::path inputPath = fs::absolute(m_context.namesFolder / m_inputName);
    const fs::path outputPath = fs::absolute(m_context.namesFolder / m_outputName);
    BatchInput input(inputPath, m_inputName);
    m_progress.bytesTotal = input.size();
    if (samePath(inputPath, outputPath))
        throw VantrelError("The output file " + visibleText(m_outputName) + " is the input file " +
                           visibleText(m_inputName) +
                           "; the conversion would replace its own input. Name another output "
                           "file");
    FileReplacement output(outputPath);
    if (!output.ok())
        throw VantrelError(cannotCreateMessage(m_outputName, output.failure()));

    Calculator& calculator = m_context.calculator;
    ChartEngine& engine = calculator.context().engine;
    const bool concurrent = engine.runsConcurrently();
    const Date today =
        LocalClock(m_context.clock, calculator.context().zone.zoneRules, m_settings).now().date;
    const std::size_t workers = concurrent ? std::max(1u, std::thread::hardware_concurrency()) : 0;
    BatchPipeline pipeline(2 * workers + 2);
    std::optional<PrivateFolder> folder;
    std::optional<EngineCommandPin> pin;
    if (!concurrent) {
        folder.emplace();
        pin.emplace(m_settings, fs::current_path());
    }
    const ChartEngine::StopCheck previousCheck =
        engine.setStopCheck([this] { return m_context.observer.stopRequested(); });
    struct CheckRestore {
        ChartEngine& engine;
        const ChartEngine::StopCheck& previous;
        ~CheckRestore() { engine.setStopCheck(previous); }
    } restore{engine, previousCheck};

    std::vector<std::unique_ptr<LineConversion>> conversions;
    for (std::size_t i = 0; i < std::max<std::size_t>(workers, 1); ++i)
        conversions.push_back(std::make_unique<LineConversion>(calculator.context(), m_settings,
                                                               today, m_context.places));
    tick(true);
    {
        ConversionThreads threads(pipeline);
        threads.start([&] { readInput(input, pipeline); });
        for (std::size_t i = 0; i < workers; ++i)
            threads.start([&, conversion = conversions[i].get()] {
                while (auto chunk = pipeline.takeChunk())
                    pipeline.putResult(chunk->first,
                                       convertChunk(*conversion, chunk->second, m_inputName,
                                                    [&] { return !pipeline.stopped(); }));
            });
        for (;;) {
            if (folder) {
                const CurrentDirectorySwitch inFolder(folder->path());
                convertInline(pipeline, *conversions.front());
            }
            if (!takeResult(pipeline, output))
                break;
        }
    }
    if (m_cancelled)
        return BatchResult::Cancelled;
    tick(true);
    if (m_cancelled)
        return BatchResult::Cancelled;
    if (!output.commit())
        throw VantrelError(cannotCreateMessage(m_outputName, output.failure()));
    // The last line's calculation writes the window's files: never over the user's own.
    const auto usersFile = [&](const fs::path& file) {
        return samePath(file, inputPath) || samePath(file, outputPath);
    };
    const auto touched = engine.filesTouched();
    if (m_context.observer.showsLastLine() && m_lastMoment)
        showLastLine(std::none_of(touched.begin(), touched.end(), usersFile));
    return BatchResult::Converted;
}

// The window shows the last line's date and time, and (unless it would write over the user's
// file) its calculation as it would have shown it: that line's place, read as the conversion
// read it, put into the settings while the calculation runs.
void Conversion::showLastLine(bool calculate)
{
    BatchObserver& observer = m_context.observer;
    observer.datePickerSet(m_lastMoment->date);
    observer.timePickerSet(m_lastMoment->time);
    if (!calculate)
        return;
    const Settings before = m_settings;
    struct Restore {
        Settings& settings;
        const Settings& before;
        ~Restore()
        {
            settings.zone = before.zone;
            settings.longitude = before.longitude;
            settings.latitude = before.latitude;
            settings.timeMode = before.timeMode;
            settings.zoneName = before.zoneName;
        }
    } restore{m_settings, before};
    m_settings.zone = m_lastPlace->zone;
    m_settings.longitude = m_lastPlace->longitude;
    m_settings.latitude = m_lastPlace->latitude;
    if (m_settings.timeMode == TimeMode::PlaceZone) {
        const PlaceLookup* places = m_context.places;
        LineConversion::useZoneNear(
            m_settings, places ? zoneNameNear(*places, m_settings.longitude, m_settings.latitude)
                               : std::nullopt);
    }
    m_context.calculator.calculate(*m_lastMoment);
}

}  // namespace

BatchResult convertBatch(const BatchContext& context, const std::string& inputName,
                         const std::string& outputName)
{
    return Conversion(context, inputName, outputName).run();
}

}  // namespace vantrel::core
