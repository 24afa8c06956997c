#pragma once
// Test doubles for the core's ports.

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/ports/clipboard.h"
#include "core/ports/clock.h"
#include "core/ports/main_view.h"
#include "core/ports/messages.h"
#include "core/ports/process_runner.h"
#include "core/ports/sound.h"
#include "core/ports/zone_rules.h"
#include "tests/fakes/date_time_printing.h"

namespace vantrel::testing {

// The system's zone of FakeZoneRules, Minnesota's standard time, in which FakeClock is set.
inline constexpr int kFakeSystemMinutesWest = 360;

// A date and time of day that exist.
inline core::LocalDateTime localDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                                         int second = 0, int msec = 0)
{
    return {core::Date::fromCivil(year, month, day).value(),
            core::TimeOfDay::fromClock(hour, minute, second, msec).value()};
}

inline core::Instant instantAt(const core::LocalDateTime& local, int minutesWest)
{
    return core::Instant(local.timePoint().time_since_epoch() + std::chrono::minutes(minutesWest));
}

// Set and read as a local reading in the system's zone of FakeZoneRules.
class FakeClock : public core::Clock {
public:
    FakeClock() = default;
    explicit FakeClock(const core::LocalDateTime& local) { set(local); }
    core::Instant now() const override { return m_now; }
    void set(const core::LocalDateTime& local) { m_now = instantAt(local, kFakeSystemMinutesWest); }
    void setInstant(core::Instant now) { m_now = now; }
    core::LocalDateTime local() const { return core::localTimeAt(m_now, kFakeSystemMinutesWest); }
    void advance(std::chrono::milliseconds length) { m_now += length; }

private:
    core::Instant m_now{};
};

// Zones with one offset each, whatever the moment, unless `answer` is set.
class FakeZoneRules : public core::ZoneRules {
public:
    // By zone name; "" is the system's zone. Others are unknown.
    std::map<std::string, core::ZoneOffset, std::less<>> zones{{"", {kFakeSystemMinutesWest, 0}}};
    // When set, answers every question about a local reading instead of `zones`.
    std::function<std::optional<core::ZoneOffset>(const core::LocalDateTime&, std::string_view)>
        answer;
    // The questions asked about local readings: the reading and the zone name.
    mutable std::vector<std::pair<core::LocalDateTime, std::string>> asked;

    std::optional<core::ZoneOffset> offsetAt(const core::LocalDateTime& localMoment,
                                             std::string_view zoneName) const override
    {
        asked.emplace_back(localMoment, std::string(zoneName));
        if (answer)
            return answer(localMoment, zoneName);
        return fixedOffset(zoneName);
    }
    std::optional<core::LocalDateTime> localTime(core::Instant moment,
                                                 std::string_view zoneName) const override
    {
        const auto offset = fixedOffset(zoneName);
        if (!offset)
            return std::nullopt;
        return core::localTimeAt(moment, offset->minutesWest);
    }

private:
    std::optional<core::ZoneOffset> fixedOffset(std::string_view zoneName) const
    {
        const auto found = zones.find(zoneName);
        if (found == zones.end())
            return std::nullopt;
        return found->second;
    }
};

class FakeMessages : public core::Messages {
public:
    std::vector<std::string> errors;
    std::vector<std::string> messages;
    void showError(const std::string& text) override { errors.push_back(text); }
    void showMessage(const std::string& text) override { messages.push_back(text); }
};

class FakeClipboard : public core::Clipboard {
public:
    std::optional<std::string> text;
    std::optional<std::string> html;
    int writes = 0;
    void setText(const std::string& plainText) override
    {
        text = plainText;
        html.reset();
        ++writes;
    }
    void setRichText(const std::string& richHtml, const std::string& plainText) override
    {
        html = richHtml;
        text = plainText;
        ++writes;
    }
};

class FakeSound : public core::Sound {
public:
    std::vector<std::string> asyncPlayed;
    std::vector<std::string> played;
    bool busy = false;  // pretend the arming sound is still playing
    bool heard = true;  // false: no audio output
    void playAsync(const std::string& waveFile) override { asyncPlayed.push_back(waveFile); }
    bool canBeHeard() const override { return heard; }
    bool playInTurn(const std::string& waveFile) override
    {
        if (busy)
            return false;
        played.push_back(waveFile);
        return true;
    }
};

// A main view that records what it was given.
class RecordingMainView : public core::MainView {
public:
    std::vector<std::string> lines;
    std::vector<std::string> statusTexts;
    std::string caption = "Vantrel";
    std::optional<core::Date> calendarDate;
    bool dataWindowShown = false;
    int dataWindowRefreshes = 0;
    int caretMoves = 0;

    void showStatusText(const std::string& text) override
    {
        statusTexts.push_back(text);
        lines = {text};
    }
    void setDisplayLines(const std::vector<std::string>& newLines) override { lines = newLines; }
    std::vector<std::string> displayLines() const override { return lines; }
    void setMonthCalendarDate(core::Date date) override { calendarDate = date; }
    void setCaption(const std::string& text) override { caption = text; }
    bool isDataWindowShown() const override { return dataWindowShown; }
    void refreshDataWindow() override { ++dataWindowRefreshes; }
    void moveCaretToStart() override { ++caretMoves; }
};

inline std::string readWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeWholeFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

// A chart engine stand-in. Each run records the command file it was given; a responder may
// write listings into the work folder, as the real engine would.
class FakeProcessRunner : public core::ProcessRunner {
public:
    struct Run {
        std::string program;
        std::vector<std::string> arguments;
        std::string commandFile;  // input.txt as it stood when the run started
    };
    using Responder =
        std::function<void(const std::filesystem::path& workDir, const std::string& commandFile)>;

    explicit FakeProcessRunner(std::filesystem::path workDir) : m_workDir(std::move(workDir)) {}

    // A run that started and ended with exit code 0.
    static core::ProcessOutcome startedOutcome()
    {
        core::ProcessOutcome started;
        started.started = true;
        return started;
    }

    std::vector<Run> runs;
    Responder responder;
    core::ProcessOutcome outcome = startedOutcome();
    // A run that takes its time: it asks the stop check this many times, 5 ms apart, as the
    // real runner does while it waits, and ends stopped when the check says so.
    int pollsWhileRunning = 0;

    core::ProcessOutcome run(const std::string& program, const std::vector<std::string>& arguments,
                             std::chrono::milliseconds) override
    {
        const std::string commandFile = readWholeFile(m_workDir / "input.txt");
        runs.push_back({program, arguments, commandFile});
        for (int poll = 0; poll < pollsWhileRunning; ++poll) {
            if (stopRequested()) {
                core::ProcessOutcome stopped = outcome;
                stopped.stopped = true;
                return stopped;
            }
            ::usleep(5000);
        }
        if (outcome.started && responder)
            responder(m_workDir, commandFile);
        return outcome;
    }

    // Responder that writes fixed contents for each output the command file names after "/os".
    static Responder cannedListings(std::map<std::string, std::string> byOutputName)
    {
        return [byOutputName](const std::filesystem::path& dir, const std::string& commandFile) {
            const auto at = commandFile.find("/os ");
            if (at == std::string::npos)
                return;
            const auto end = commandFile.find_first_of("\r\n", at);
            const std::string name = commandFile.substr(at + 4, end - at - 4);
            if (const auto found = byOutputName.find(name); found != byOutputName.end())
                writeWholeFile(dir / name, found->second);
        };
    }

private:
    std::filesystem::path m_workDir;
};

// A fresh temporary folder, removed with its contents at the end of the test.
class TempDir {
public:
    TempDir()
    {
        auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0;; ++attempt) {
            m_path = base / ("vantrel-test-" + std::to_string(::getpid()) + "-" +
                             std::to_string(s_counter++) + "-" + std::to_string(attempt));
            if (std::filesystem::create_directory(m_path))
                break;
        }
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    static inline int s_counter = 0;
};

}  // namespace vantrel::testing
