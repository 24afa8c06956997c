#include "core/alarm/alarm.h"

#include <array>
#include <utility>

#include "core/chart_engine/live_zone.h"
#include "core/common/ascii_case.h"
#include "core/common/date_format.h"
#include "core/common/date_parse.h"
#include "core/common/text_file.h"
#include "core/common/text_trim.h"
#include "core/hours/planetary_hours.h"
#include "core/hours/rise_set_reading.h"
#include "core/ports/sound.h"

namespace vantrel::core {

namespace {

// Columns `first` to `last` (1-based, inclusive), as far as the text reaches.
std::string_view columns(std::string_view text, std::size_t first, std::size_t last)
{
    if (text.size() < first)
        return {};
    return text.substr(first - 1, last - first + 1);
}

// Without leading and trailing blanks and control characters.
std::string trimmed(std::string_view text)
{
    return std::string(
        trimmedBy(text, [](char c) { return static_cast<unsigned char>(c) <= ' '; }));
}

struct AlarmChoice {
    std::string_view name;
    bool Settings::*riseSet;
    bool Settings::*hour;  // nullptr: the body rules no hour
};

constexpr std::array<AlarmChoice, 10> kChoices = {{
    {"Sun", &Settings::alarmSun, &Settings::hourAlarmSun},
    {"Moon", &Settings::alarmMoon, &Settings::hourAlarmMoon},
    {"Mercury", &Settings::alarmMercury, &Settings::hourAlarmMercury},
    {"Venus", &Settings::alarmVenus, &Settings::hourAlarmVenus},
    {"Mars", &Settings::alarmMars, &Settings::hourAlarmMars},
    {"Jupiter", &Settings::alarmJupiter, &Settings::hourAlarmJupiter},
    {"Saturn", &Settings::alarmSaturn, &Settings::hourAlarmSaturn},
    {"Uranus", &Settings::alarmUranus, nullptr},
    {"Neptune", &Settings::alarmNeptune, nullptr},
    {"Pluto", &Settings::alarmPluto, nullptr},
}};

// The listing's own separators ("/" or "-" in dates, ":" in times) become the locale's, so the
// moment reads in every locale the way the rise-and-set reading reads it in its own.
std::string withLocaleSeparators(std::string_view text, const RegionalSettings& regional,
                                 bool isDate)
{
    std::string out;
    for (char c : text) {
        if (isDate && (c == '/' || c == '-'))
            out += regional.dateSeparator;
        else if (!isDate && c == ':')
            out += regional.timeSeparator;
        else
            out += c;
    }
    return out;
}

}  // namespace

std::optional<AlarmEntryFields> readAlarmEntry(std::string_view entry)
{
    if (entry.size() < 24)
        return std::nullopt;
    return AlarmEntryFields{std::string(columns(entry, 7, 24)), trimmed(columns(entry, 25, 32)),
                            trimmed(columns(entry, 40, 47))};
}

bool alarmChosen(const Settings& settings, std::string_view name, std::string_view kind)
{
    const bool isHour = kind == "Hour";
    for (const AlarmChoice& choice : kChoices) {
        if (choice.name != name)
            continue;
        if (!isHour)
            return settings.*choice.riseSet;
        return choice.hour == nullptr || settings.*choice.hour;
    }
    return true;
}

std::string alarmSoundFile(std::string_view name, std::string_view kind)
{
    return asciiLowerCase(std::string(name) + "_" + std::string(kind)) + ".wav";
}

std::string alarmEntryFromListingLine(const std::string& line, const RegionalSettings& regional)
{
    if (line.size() < 24)
        return line;
    // A blank between date and time, as in the rise-and-set reading: years before 1000.
    const std::string text = withLocaleSeparators(columns(line, 7, 16), regional, true) + " " +
                             withLocaleSeparators(columns(line, 18, 24), regional, false);
    // The engine writes month first unless the user's dates begin with the day.
    const std::optional<LocalDateTime> moment =
        parseLocaleDateTime(text, regional, listingDateOrder(dateOrderSwitchFor(regional)));
    if (!moment)
        return line;
    const std::string written = formatDateTime(kEventTimeFormat, *moment, regional);
    if (written.size() != 18)
        return line;
    return line.substr(0, 6) + written + line.substr(24);
}

Alarm::Alarm(AlarmList& list, Sound& sound, LocalClock clock, const RegionalSettings& regional,
             std::filesystem::path workDir, std::filesystem::path soundDir)
    : m_list(list), m_sound(sound), m_clock(clock), m_regional(regional), m_workDir(workDir),
      m_sounds(std::move(workDir), std::move(soundDir))
{
}

void Alarm::toggle(AlarmHost& host)
{
    host.stopTimer();
    m_armed = !m_armed;
    host.setArmedMark(m_armed);
    if (!m_armed) {
        host.setStatusText({});  // a frozen "Alarm is active" would say the opposite
        return;
    }
    try {
        arm(host);
    } catch (...) {
        // An alarm that could not be set up must not look active.
        m_armed = false;
        host.setArmedMark(false);
        throw;
    }
    host.startTimer();
    host.addDisplayLine(std::string(kAlarmActivated));
    if (!m_sound.canBeHeard()) {
        host.addDisplayAside(std::string(kNoAudioAside));
        host.showNote(std::string(kNoAudioNote));
    }
    host.hideOutputWindows();
}

void Alarm::arm(AlarmHost& host)
{
    m_sound.playAsync(m_sounds.path(kArmingSound).string());
    const LocalDateTime now = m_clock.now();
    host.runHoursCommandHidden(now);
    loadListing(m_workDir / "riseset.txt");
    loadListing(m_workDir / "risesetn.txt");
    m_list.zeroFill();
    m_armedDate = now.date;
}

void Alarm::loadListing(const std::filesystem::path& path)
{
    const auto lines = readLinesFromFile(path);
    if (!lines)
        return;
    for (const std::string& line : *lines)
        m_list.add(alarmEntryFromListingLine(line, m_regional));
}

AlarmTick Alarm::check(AlarmHost& host, const Settings& settings)
{
    AlarmTick tick;
    if (!m_armed)
        return tick;
    LocalDateTime now = m_clock.now();
    host.setStatusText(std::string(kAlarmStatusPrefix) + " " +
                       formatDateTime("ddddd", now, m_regional) + " " +
                       formatDateTime("tt", now, m_regional));

    if (!m_armedDate || now.date != *m_armedDate) {
        toggle(host);
        toggle(host);
        tick.rearmed = true;
        now = m_clock.now();
    }

    const std::string current = formatDateTime(kEventTimeFormat, now, m_regional);
    bool changed = false;
    for (std::size_t i = 0; i < m_list.size(); ++i) {
        const std::string& entry = m_list[i];
        if (entry.size() < 24 || entry.compare(6, 18, current) != 0)
            continue;
        const AlarmEntryFields fields = *readAlarmEntry(entry);
        if (!alarmChosen(settings, fields.name, fields.kind))
            continue;
        soundEntry(host, fields, entry, tick);
        m_list.clearEntry(i);
        changed = true;
    }
    if (changed)
        m_list.sortAfterClearing();
    return tick;
}

void Alarm::soundEntry(AlarmHost& host, const AlarmEntryFields& fields, const std::string& entry,
                       AlarmTick& tick)
{
    std::string file = alarmSoundFile(fields.name, fields.kind);
    const std::string line = entry + " " + file;
    host.addDisplayLine(line);
    tick.displayLines.push_back(line);
    std::optional<std::filesystem::path> found = m_sounds.find(file);
    if (!found) {
        file = asciiLowerCase(fields.name) + ".wav";
        found = m_sounds.find(file);
    }
    if (found && m_sound.playInTurn(found->string()))
        tick.played.push_back(file);
}

}  // namespace vantrel::core
