#include "core/batch/convert_batch.h"

#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "core/batch/batch_date_time.h"
#include "core/batch/comma_text.h"
#include "core/chart_engine/engine_run.h"
#include "core/chart_engine/local_clock.h"
#include "core/common/error.h"
#include "core/common/text_file.h"
#include "core/ports/clock.h"
#include "core/ports/process_runner.h"
#include "core/thelemic/calculation.h"

namespace vantrel::core {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Reads the next line of a stream whose lines end at CR LF, CR or LF. False at the end; a line
// end at the very end of the stream adds no empty line.
bool nextLine(std::streambuf& in, std::string& line)
{
    line.clear();
    int c = in.sbumpc();
    if (c == std::char_traits<char>::eof())
        return false;
    for (; c != std::char_traits<char>::eof(); c = in.sbumpc()) {
        if (c == '\n')
            break;
        if (c == '\r') {
            if (in.sgetc() == '\n')
                in.sbumpc();
            break;
        }
        line += static_cast<char>(c);
    }
    return true;
}

// The input is read twice rather than held in memory: once to count its lines, once to convert
// it.
class InputFile {
public:
    InputFile(const fs::path& path, const std::string& name) : m_path(path), m_name(name)
    {
        auto in = open();
        std::string line;
        while (nextLine(*in.rdbuf(), line))
            ++m_lineCount;
    }

    std::size_t lineCount() const { return m_lineCount; }

    std::ifstream open() const
    {
        std::error_code error;
        std::ifstream in;
        if (!fs::is_directory(m_path, error))
            in.open(m_path, std::ios::binary);
        if (!in.is_open() || !in)
            throw VantrelError(formatMessage("Cannot open file %s", m_name));
        return in;
    }

    // The program's own text of a line as read (decoded on its own, as every text file's lines
    // are), the first line without a byte-order mark.
    static std::string text(std::string_view bytes, bool first)
    {
        if (first && bytes.starts_with(kByteOrderMark))
            bytes.remove_prefix(kByteOrderMark.size());
        return utf8FromFileBytes(bytes);
    }

private:
    fs::path m_path;
    std::string m_name;
    std::size_t m_lineCount = 0;
};

constexpr std::string_view kFolderPrefix = "vantrel-batch-";

// Removes the folders that conversions killed before they could clean up have left in `base`:
// those named for a process that no longer runs ("vantrel-batch-PID-N").
void removeAbandonedFolders(const fs::path& base)
{
    std::error_code error;
    // Without /proc no process could be told to be gone.
    if (!fs::exists("/proc/self", error))
        return;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(kFolderPrefix))
            continue;
        const std::string_view rest = std::string_view(name).substr(kFolderPrefix.size());
        const std::string_view pid = rest.substr(0, rest.find('-'));
        const bool numbered = !pid.empty() && pid.size() < rest.size() &&
                              pid.find_first_not_of("0123456789") == std::string_view::npos;
        std::error_code ignored;
        if (numbered && !fs::exists(fs::path("/proc") / pid, ignored))
            fs::remove_all(it->path(), ignored);
    }
}

// A folder of the conversion's own under the system's temporary folder, readable by the user
// alone, removed with everything in it when the conversion ends. It bears the process's number,
// so that the next conversion can remove it should this process be killed first.
class PrivateFolder {
public:
    PrivateFolder()
    {
        std::error_code error;
        const fs::path base = fs::temp_directory_path(error);
        if (!error)
            removeAbandonedFolders(base);
        std::random_device entropy;
        const std::string prefix = std::string(kFolderPrefix) + std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < 100 && !error; ++attempt) {
            const fs::path candidate = base / (prefix + std::to_string(entropy()));
            if (fs::create_directory(candidate, error)) {
                fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace, error);
                m_path = candidate;
                return;
            }
        }
        throw VantrelError(
            formatMessage("Cannot create file %s", (base / (prefix + "*")).string()));
    }
    ~PrivateFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

// Makes `folder` the current directory until the end of the scope.
class CurrentDirectorySwitch {
public:
    explicit CurrentDirectorySwitch(const fs::path& folder) : m_previous(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~CurrentDirectorySwitch()
    {
        std::error_code ignored;
        fs::current_path(m_previous, ignored);
    }
    CurrentDirectorySwitch(const CurrentDirectorySwitch&) = delete;
    CurrentDirectorySwitch& operator=(const CurrentDirectorySwitch&) = delete;

private:
    fs::path m_previous;
};

// An engine named by a relative path ("./astrolog") must still be found while the calculation
// runs in the private folder: for the conversion, the command names it by its full path.
class EngineCommandPin {
public:
    EngineCommandPin(Settings& settings, const std::string& defaultEngine, const fs::path& base)
        : m_settings(settings), m_previous(settings.engineCommand)
    {
        const bool configured =
            settings.engineCommand.find_first_not_of(" \t") != std::string::npos;
        // The default engine is one path that may hold blanks; the setting is split on blanks.
        if (!configured && defaultEngine.find_first_of(" \t") != std::string::npos)
            return;
        const std::string command = configured ? settings.engineCommand : defaultEngine;
        const std::string anchored = anchoredEngineCommand(command, base);
        if (anchored != command)
            settings.engineCommand = anchored;
    }
    ~EngineCommandPin() { m_settings.engineCommand = m_previous; }
    EngineCommandPin(const EngineCommandPin&) = delete;
    EngineCommandPin& operator=(const EngineCommandPin&) = delete;

private:
    Settings& m_settings;
    std::string m_previous;
};

bool samePath(const fs::path& a, const fs::path& b)
{
    std::error_code error;
    if (fs::equivalent(a, b, error))
        return true;
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

std::optional<std::string> fileContent(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return in.bad() ? std::nullopt : std::optional(content.str());
}

// Leaves the work folder as the last calculation would have left it, had it run there, except
// that the user's input and output files are never replaced or removed. Each listing is written
// whole or removed: a full disk leaves no empty or partial listing behind.
void copyListingsBack(const fs::path& from, const fs::path& to, const fs::path& input,
                      const fs::path& output)
{
    for (const char* name : kEngineOutputs) {
        const fs::path target = to / name;
        if (samePath(target, input) || samePath(target, output))
            continue;
        const auto content = fileContent(from / name);
        if (!content || !writeFileAtomically(target, *content, Flush::Skip)) {
            std::error_code ignored;
            fs::remove(target, ignored);
        }
    }
}

// Copies the listings back (copyListingsBack) when the conversion leaves its folder, however it
// ends, once a line has been calculated.
class ListingsCopyBack {
public:
    ListingsCopyBack(const fs::path& from, const fs::path& to, const fs::path& input,
                     const fs::path& output, const bool& calculated)
        : m_from(from), m_to(to), m_input(input), m_output(output), m_calculated(calculated)
    {
    }
    ~ListingsCopyBack()
    {
        if (m_calculated)
            copyListingsBack(m_from, m_to, m_input, m_output);
    }
    ListingsCopyBack(const ListingsCopyBack&) = delete;
    ListingsCopyBack& operator=(const ListingsCopyBack&) = delete;

private:
    const fs::path& m_from;
    const fs::path& m_to;
    const fs::path& m_input;
    const fs::path& m_output;
    const bool& m_calculated;
};

// Puts the location texts that each line overwrites back as the conversion's outcome asks: a
// completed conversion restores the longitude and latitude and keeps the last line's zone, a
// cancelled one restores all three, a failed one none.
class LocationRestore {
public:
    explicit LocationRestore(Settings& settings)
        : m_settings(settings), m_zone(settings.zone), m_longitude(settings.longitude),
          m_latitude(settings.latitude)
    {
    }
    ~LocationRestore()
    {
        if (!m_outcome)
            return;
        if (*m_outcome == BatchResult::Cancelled)
            m_settings.zone = m_zone;
        m_settings.longitude = m_longitude;
        m_settings.latitude = m_latitude;
    }
    LocationRestore(const LocationRestore&) = delete;
    LocationRestore& operator=(const LocationRestore&) = delete;

    // Records how the conversion ended, and returns it.
    BatchResult ended(BatchResult outcome)
    {
        m_outcome = outcome;
        return outcome;
    }

private:
    Settings& m_settings;
    std::string m_zone;
    std::string m_longitude;
    std::string m_latitude;
    std::optional<BatchResult> m_outcome;
};

// Sets the calculator and the process runner up for a conversion (an engine failure stops it;
// the observer may stop a running engine) and back when it ends.
class ConversionMode {
public:
    ConversionMode(Calculator& calculator, BatchObserver& observer)
        : m_calculator(calculator), m_previousFailures(calculator.engineFailures()),
          m_previousCheck(calculator.context().process.setStopCheck(
              [&observer] { return observer.stopRequested(); }))
    {
        calculator.setEngineFailures(EngineFailures::Throw);
    }
    ~ConversionMode()
    {
        m_calculator.setEngineFailures(m_previousFailures);
        m_calculator.context().process.setStopCheck(std::move(m_previousCheck));
    }
    ConversionMode(const ConversionMode&) = delete;
    ConversionMode& operator=(const ConversionMode&) = delete;

private:
    Calculator& m_calculator;
    EngineFailures m_previousFailures;
    ProcessRunner::StopCheck m_previousCheck;
};

// An engine failure as the batch reports it: the user's file and line first, the engine's own
// text after the summary.
std::string lineFailureMessage(const std::string& inputName, std::size_t line,
                               const EngineFailure& failure)
{
    std::string text =
        visibleText(inputName) + ", line " + std::to_string(line) + ": " + failure.summary;
    if (!failure.engineText.empty())
        text += ": " + engineTextWithoutCommandFile(failure.engineText);
    return text;
}

const std::string& field(const std::vector<std::string>& fields, std::size_t index)
{
    if (index >= fields.size())
        throw VantrelError(formatMessage("List index out of bounds (%d)", std::to_string(index)));
    return fields[index];
}

void appendValue(std::string& out, std::string_view value)
{
    out += commaTextValue(value);
    out += ',';
}

struct Conversion {
    Calculator& calculator;
    BatchObserver& observer;
    const PrivateFolder& folder;
    Date today;
    std::string output;
    bool calculated = false;

    void convertLine(const std::string& line)
    {
        const std::vector<std::string> fields = splitCommaText(line);
        const CalculationContext& context = calculator.context();
        const std::string& dateText = field(fields, 2);
        const auto date = readBatchDate(dateText, context.regional, today);
        if (!date)
            throw VantrelError(formatMessage("'%s' is not a valid date", dateText));
        observer.datePickerSet(*date);
        const std::string& timeText = field(fields, 3);
        const auto time = readBatchTime(timeText, context.regional);
        if (!time)
            throw VantrelError(formatMessage("'%s' is not a valid time", timeText));
        observer.timePickerSet(*time);
        context.settings.zone = field(fields, 4);
        context.settings.longitude = field(fields, 5);
        context.settings.latitude = field(fields, 6);
        {
            const CurrentDirectorySwitch inFolder(folder.path());
            calculated = true;
            calculator.calculate({*date, *time});
        }
        for (std::size_t i = 0; i < 7; ++i)
            appendValue(output, fields[i]);
        const ThelemicDate& result = calculator.thelemicDate();
        for (const std::string* piece :
             {&result.yearText, &result.sunText, &result.moonText, &result.dayName})
            appendValue(output, *piece);
        output += "\r\n";
    }
};

}  // namespace

BatchResult convertBatch(Calculator& calculator, const Clock& clock, const std::string& inputName,
                         const std::string& outputName, BatchObserver& observer,
                         const fs::path& namesFolder)
{
    const CalculationContext& context = calculator.context();
    // The calculation is moved into the private folder by making that the current directory,
    // which only moves a work folder named relative to it.
    if (context.workDir.is_absolute())
        throw std::logic_error("convertBatch: the calculator's work folder must be relative");
    Settings& settings = context.settings;
    const fs::path inputPath = fs::absolute(namesFolder / inputName);
    const fs::path outputPath = fs::absolute(namesFolder / outputName);
    const fs::path workDir = fs::absolute(context.workDir);
    const InputFile input(inputPath, inputName);
    if (samePath(inputPath, outputPath))
        throw VantrelError("The output file " + visibleText(outputName) + " is the input file " +
                           visibleText(inputName) +
                           "; the conversion would replace its own input. Name another output "
                           "file");
    LocationRestore location(settings);

    const PrivateFolder folder;
    const Date today = LocalClock(clock, context.zone.zoneRules, settings).now().date;
    Conversion conversion{calculator, observer, folder, today, {}, false};
    bool cancelled = false;
    std::size_t done = 0;
    {
        const ListingsCopyBack copyBack(folder.path(), workDir, inputPath, outputPath,
                                        conversion.calculated);
        try {
            const EngineCommandPin pinned(settings, context.defaultEngine, fs::current_path());
            const ConversionMode mode(calculator, observer);
            std::ifstream in = input.open();
            std::string bytes;
            cancelled = !observer.progress(0, input.lineCount());
            while (!cancelled && nextLine(*in.rdbuf(), bytes)) {
                conversion.convertLine(input.text(bytes, done == 0));
                cancelled = !observer.progress(++done, input.lineCount());
            }
        } catch (const EngineRunStopped&) {
            cancelled = true;
        } catch (const EngineError& error) {
            throw VantrelError(lineFailureMessage(inputName, done + 1, error.failure()));
        }
    }
    if (cancelled)
        return location.ended(BatchResult::Cancelled);
    if (!writeFileAtomically(outputPath, conversion.output))
        throw VantrelError(formatMessage("Cannot create file %s", outputName));
    return location.ended(BatchResult::Converted);
}

}  // namespace vantrel::core
