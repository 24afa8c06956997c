#pragma once
// The alarm: arming and disarming, and the once-a-second check that sounds a wave file when an
// entry of the alarm list names the current minute.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/alarm/alarm_list.h"
#include "core/chart_engine/local_clock.h"
#include "core/common/date_time.h"
#include "core/common/regional_settings.h"
#include "core/settings/file_locations.h"
#include "core/settings/settings.h"

namespace vantrel::core {

class Sound;

// What the alarm needs from the main window and its sister windows.
class AlarmHost {
public:
    virtual ~AlarmHost() = default;
    virtual void startTimer() = 0;
    virtual void stopTimer() = 0;
    // The check mark of "Activate alarm".
    virtual void setArmedMark(bool armed) = 0;
    // Sets the date and time fields to `now` and runs the planetary-hours command without
    // showing its window; the command adds its hour entries to the alarm list and leaves the
    // two rise-and-set listings in the work folder.
    virtual void runHoursCommandHidden(const LocalDateTime& now) = 0;
    virtual void hideOutputWindows() = 0;
    virtual void addDisplayLine(const std::string& line) = 0;
    // A remark at the end of the display's last line: shown, but never copied with the display
    // (by the letter, the clipboard or Copy).
    virtual void addDisplayAside(const std::string& text) = 0;
    // The status bar's text; empty clears it.
    virtual void setStatusText(const std::string& text) = 0;
    // A note in the status bar that stands over the status text for a while.
    virtual void showNote(const std::string& text) = 0;
};

// The entry's fields as the check reads them (1-based columns): moment 7-24, name 25-32 and
// kind 40-47, name and kind without surrounding blanks and control characters.
struct AlarmEntryFields {
    std::string moment;
    std::string name;
    std::string kind;
};
std::optional<AlarmEntryFields> readAlarmEntry(std::string_view entry);

// Whether the settings let an entry of this name and kind sound. Names outside the tables are
// not filtered.
bool alarmChosen(const Settings& settings, std::string_view name, std::string_view kind);

// The first-choice sound file of an entry: name, "_", kind, ".wav", in lower case.
std::string alarmSoundFile(std::string_view name, std::string_view kind);

// A listing line with its moment (columns 7-24) rewritten in kEventTimeFormat, so that it is
// compared with the current minute in the locale's own order and separators. The listing's
// date is read in the locale's date order with any of "/", "-" and the locale's separators
// between its numbers. Lines that hold no readable moment come back unchanged.
std::string alarmEntryFromListingLine(const std::string& line, const RegionalSettings& regional);

// What one tick did: the lines written into the date display and the files played.
struct AlarmTick {
    bool rearmed = false;
    std::vector<std::string> displayLines;
    std::vector<std::string> played;
};

class Alarm {
public:
    // The listings are read from workDir; a sound is played from workDir when it lies there,
    // else from the installed soundDir. The clock is read as the calculations read it.
    Alarm(AlarmList& list, Sound& sound, LocalClock clock, const RegionalSettings& regional,
          std::filesystem::path workDir = ".", std::filesystem::path soundDir = {});

    bool armed() const { return m_armed; }
    // The date the alarm was last armed for; the day-change test compares with it.
    std::optional<Date> armedDate() const { return m_armedDate; }

    // Arms or disarms ("Activate alarm"). Arming plays the arming sound, runs the hours command
    // hidden, loads both listings into the list and starts the timer; where no sound can be
    // heard it says so beside the activation line and in a status-bar note. Disarming clears
    // the status bar's ticking text.
    void toggle(AlarmHost& host);

    // The once-a-second check against the clock's current minute, with the choices in
    // `settings` as they stand now. On a new day it disarms and arms again first.
    AlarmTick check(AlarmHost& host, const Settings& settings);

private:
    void arm(AlarmHost& host);
    void loadListing(const std::filesystem::path& path);
    void soundEntry(AlarmHost& host, const AlarmEntryFields& fields, const std::string& entry,
                    AlarmTick& tick);

    AlarmList& m_list;
    Sound& m_sound;
    LocalClock m_clock;
    const RegionalSettings& m_regional;
    std::filesystem::path m_workDir;
    DataFiles m_sounds;
    bool m_armed = false;
    std::optional<Date> m_armedDate;
};

inline constexpr std::string_view kArmingSound = "sun.wav";
inline constexpr std::string_view kAlarmActivated = "Alarm activated ...";
// Arming where nothing can be heard says so, once, beside the activation line: alarms are still
// written into the display.
inline constexpr std::string_view kNoAudioAside = " (no audio output: alarms are shown, not heard)";
inline constexpr std::string_view kNoAudioNote = "No audio output: alarms are shown, not heard";
inline constexpr std::string_view kAlarmStatusPrefix = "Alarm is active. Current Time/Date:";

}  // namespace vantrel::core
