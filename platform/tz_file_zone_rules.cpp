#include "platform/tz_file_zone_rules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <sys/stat.h>

#include "core/common/text_file.h"
#include "core/common/text_trim.h"

namespace vantrel::platform {

// One zone's file, digested: the offset in force from each transition on, each split into
// standard time and daylight saving as Qt splits it.
struct TzFileZoneRules::Zone {
    struct Rule {
        int offsetSeconds = 0;    // east of Greenwich
        int standardSeconds = 0;  // the part that is standard time
    };
    std::vector<std::int64_t> transitionSeconds;  // since 1970, ascending
    std::vector<Rule> rules;                      // in force from the transition of that index
    Rule beforeFirst;
    // The file's closing rule, which holds after the last transition: absent, a fixed offset
    // (closingFixed), or one with daylight saving, which these rules do not follow.
    bool hasClosingRule = false;
    std::optional<Rule> closingFixed;
};

namespace {

using Zone = TzFileZoneRules::Zone;

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::string_view kZoneFolder = "/usr/share/zoneinfo/";
constexpr std::string_view kZoneInfoPart = "/zoneinfo/";

// A zone file holds at most Qt's limits of transitions and types: far less than this.
constexpr std::size_t kMaxZoneFileBytes = 1 << 20;

// The bytes of the regular file at `path`, of bounded size; nothing for anything else (a pipe,
// a device), which is neither waited for nor read without end.
std::optional<std::string> fileBytes(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    core::FileBytes file = core::readFileBytes(path, kMaxZoneFileBytes);
    if (file.status != core::TextFileStatus::Read)
        return std::nullopt;
    return std::move(file.bytes);
}

// The text without blanks at either end.
std::string trimmed(std::string_view text)
{
    return std::string(core::trimmedBy(
        text, [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }));
}

// Big-endian fields of a TZif file, read in order; any read past the end fails the reader.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}
    bool ok() const { return m_ok; }
    std::string_view take(std::size_t count)
    {
        if (!m_ok || count > m_bytes.size() - m_at) {
            m_ok = false;
            return {};
        }
        const std::string_view part = m_bytes.substr(m_at, count);
        m_at += count;
        return part;
    }
    std::int64_t number(std::size_t size)
    {
        std::uint64_t value = 0;
        for (const char byte : take(size))
            value = value << 8 | static_cast<unsigned char>(byte);
        if (size == 4)
            return static_cast<std::int32_t>(value);
        return static_cast<std::int64_t>(value);
    }
    std::string_view rest() const { return m_bytes.substr(m_at); }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

struct Header {
    char version = 0;
    std::int64_t utcFlagCount = 0, standardFlagCount = 0, leapCount = 0, transitionCount = 0,
                 typeCount = 0, characterCount = 0;
};

// The header, within the limits Qt reads files to (it refuses a file beyond them).
std::optional<Header> headerFrom(ByteReader& reader)
{
    if (reader.take(4) != "TZif")
        return std::nullopt;
    Header header;
    const std::string_view version = reader.take(1);
    header.version = version.empty() ? '\0' : version[0];
    reader.take(15);
    for (std::int64_t* count : {&header.utcFlagCount, &header.standardFlagCount, &header.leapCount,
                                &header.transitionCount, &header.typeCount, &header.characterCount})
        *count = reader.number(4);
    const bool withinLimits =
        header.transitionCount >= 0 && header.transitionCount <= 1200 && header.typeCount >= 0 &&
        header.typeCount <= 256 && header.characterCount >= 0 && header.characterCount <= 50 &&
        header.leapCount >= 0 && header.leapCount <= 50 && header.utcFlagCount >= 0 &&
        header.utcFlagCount <= header.typeCount && header.standardFlagCount >= 0 &&
        header.standardFlagCount <= header.typeCount;
    if (!reader.ok() || !withinLimits)
        return std::nullopt;
    return header;
}

// The offset of a closing rule without daylight saving ("<+0330>-3:30", "UTC0", "EST5"): a
// name, then hours west of Greenwich with optional minutes and seconds. nullopt for any other
// rule.
std::optional<int> fixedOffsetSecondsOf(std::string_view rule)
{
    std::size_t at = 0;
    if (!rule.empty() && rule[0] == '<') {
        at = rule.find('>');
        if (at == std::string_view::npos)
            return std::nullopt;
        ++at;
    } else {
        while (at < rule.size() && std::isalpha(static_cast<unsigned char>(rule[at])))
            ++at;
    }
    if (at == 0 || at == rule.size())
        return std::nullopt;
    int sign = 1;
    if (rule[at] == '+' || rule[at] == '-')
        sign = rule[at++] == '-' ? -1 : 1;
    int seconds = 0;
    for (int field = 0, scale = 3600; field < 3 && scale > 0; ++field, scale /= 60) {
        if (field > 0 && (at == rule.size() || rule[at++] != ':'))
            return std::nullopt;
        int value = 0, digits = 0;
        while (at < rule.size() && std::isdigit(static_cast<unsigned char>(rule[at])) &&
               digits < 3) {
            value = value * 10 + (rule[at++] - '0');
            ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        seconds += value * scale;
        if (at == rule.size())
            return -sign * seconds;
    }
    return std::nullopt;
}

// No clock was ever a day or more off Greenwich's; a file that says so is damaged.
bool withinADay(int offsetSeconds)
{
    return std::abs(offsetSeconds) < kSecondsPerDay;
}

struct LocalTimeType {
    int offsetSeconds = 0;
    bool daylight = false;
};

// Splits each transition's offset into standard time and daylight saving the way Qt does: the
// standard offset is that of the latest type without daylight saving, except where daylight
// saving starts together with a change of standard time, when the end of that daylight saving
// may tell the new standard offset instead (London's double summer time keeps two hours of
// daylight saving over Greenwich time).
void splitOffsets(Zone& zone, const std::vector<LocalTimeType>& types,
                  const std::vector<std::uint8_t>& typeIndexes)
{
    zone.beforeFirst = {types[0].offsetSeconds, types[0].offsetSeconds};
    int standard = zone.beforeFirst.standardSeconds;
    for (const auto index : typeIndexes) {
        if (!types[index].daylight) {
            standard = types[index].offsetSeconds;
            break;
        }
    }
    int lastDaylight = 3600;
    for (std::size_t i = 0; i < typeIndexes.size(); ++i) {
        const LocalTimeType& type = types[typeIndexes[i]];
        const int offset = type.offsetSeconds;
        if (!type.daylight) {
            standard = offset;
        } else if (offset != standard + lastDaylight) {
            const int inferred = offset - lastDaylight;
            for (std::size_t j = i + 1; j < typeIndexes.size(); ++j) {
                const LocalTimeType& next = types[typeIndexes[j]];
                if (next.daylight)
                    continue;
                const int nextStandard = next.offsetSeconds;
                const bool nextCloser =
                    std::abs(nextStandard - inferred) < std::abs(standard - inferred);
                if (nextStandard == standard) {
                    // the end tells nothing new
                } else if (nextStandard == inferred) {
                    standard = nextStandard;
                } else if (offset - 3600 == standard) {
                    // an hour over the old standard time
                } else if (offset - 3600 == nextStandard) {
                    standard = nextStandard;
                } else if (nextStandard < offset ? (standard >= offset || nextCloser)
                                                 : (standard >= offset && nextCloser)) {
                    standard = nextStandard;
                }
                break;
            }
            lastDaylight = offset - standard;
        }
        zone.rules.push_back({offset, standard});
    }
}

// The zone of a TZif file of version 2 or 3 (the 64-bit block and its closing rule; version 1
// data is skipped); nullopt for anything else or a file cut short.
std::optional<Zone> zoneFromTzFile(std::string_view bytes)
{
    ByteReader reader(bytes);
    const auto legacy = headerFrom(reader);
    if (!legacy || (legacy->version != '2' && legacy->version != '3'))
        return std::nullopt;
    reader.take(legacy->transitionCount * 5 + legacy->typeCount * 6 + legacy->characterCount +
                legacy->leapCount * 8 + legacy->standardFlagCount + legacy->utcFlagCount);
    const auto header = headerFrom(reader);
    if (!header || header->typeCount == 0)
        return std::nullopt;

    Zone zone;
    for (std::int64_t i = 0; i < header->transitionCount; ++i)
        zone.transitionSeconds.push_back(reader.number(8));
    std::vector<std::uint8_t> typeIndexes;
    for (const char index : reader.take(header->transitionCount)) {
        typeIndexes.push_back(static_cast<std::uint8_t>(index));
        if (typeIndexes.back() >= header->typeCount)
            return std::nullopt;
    }
    std::vector<LocalTimeType> types;
    for (std::int64_t i = 0; i < header->typeCount; ++i) {
        const auto offset = static_cast<int>(reader.number(4));
        const bool daylight = reader.number(1) != 0;
        reader.take(1);  // the abbreviation's index
        if (!withinADay(offset))
            return std::nullopt;
        types.push_back({offset, daylight});
    }
    reader.take(header->characterCount + header->leapCount * 12 + header->standardFlagCount +
                header->utcFlagCount);
    if (!reader.ok() ||
        !std::is_sorted(zone.transitionSeconds.begin(), zone.transitionSeconds.end()))
        return std::nullopt;

    // The closing rule between two line feeds; Qt refuses a file that ends before them.
    const std::string_view footer = reader.rest();
    if (footer.empty())
        return std::nullopt;
    if (footer[0] == '\n') {
        const auto end = footer.find('\n', 1);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view rule = footer.substr(1, end - 1);
        zone.hasClosingRule = !rule.empty();
        if (const auto offset = fixedOffsetSecondsOf(rule)) {
            if (!withinADay(*offset))
                return std::nullopt;
            zone.closingFixed = Zone::Rule{*offset, *offset};
        }
    }
    if (zone.transitionSeconds.empty() && !zone.hasClosingRule)
        return std::nullopt;
    splitOffsets(zone, types, typeIndexes);
    return zone;
}

// The rule in force at `utcSeconds`: the transitions' up to the last, then the closing rule's;
// nullopt where that rule has daylight saving.
std::optional<Zone::Rule> ruleAt(const Zone& zone, std::int64_t utcSeconds)
{
    const auto& times = zone.transitionSeconds;
    if (zone.hasClosingRule && (times.empty() || times.back() < utcSeconds))
        return zone.closingFixed;
    const auto next = std::upper_bound(times.begin(), times.end(), utcSeconds);
    if (next == times.begin())
        return zone.beforeFirst;
    return zone.rules[static_cast<std::size_t>(next - times.begin() - 1)];
}

int minutesFromSeconds(int seconds)
{
    return static_cast<int>(std::lround(seconds / 60.0));
}

core::ZoneOffset zoneOffsetFrom(const Zone::Rule& rule)
{
    return {-minutesFromSeconds(rule.offsetSeconds),
            minutesFromSeconds(rule.offsetSeconds - rule.standardSeconds)};
}

// The system's zone name as Qt takes it when TZ names none: the part below "zoneinfo/" of the
// file /etc/localtime links to, else the name in /etc/TZ or /etc/timezone; empty when none
// says, and /etc/localtime is then read as it is.
std::string systemZoneNameFromFiles()
{
    std::filesystem::path path = "/etc/localtime";
    for (int link = 0; link < 40; ++link) {
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error || target.empty())
            break;
        path = (target.is_absolute() ? target : path.parent_path() / target).lexically_normal();
        const std::string text = path.string();
        if (const auto at = text.find(kZoneInfoPart); at != std::string::npos)
            return text.substr(at + kZoneInfoPart.size());
    }
    for (const char* file : {"/etc/TZ", "/etc/timezone"}) {
        if (const auto text = fileBytes(file); text && !trimmed(*text).empty())
            return trimmed(*text);
    }
    return {};
}

// A zone's name as a path below the zone folder, refused when it could leave that folder.
std::optional<std::string> zoneFilePath(std::string_view zoneName)
{
    if (zoneName.empty() || zoneName.front() == '/')
        return std::nullopt;
    for (std::size_t at = 0; at <= zoneName.size();) {
        const auto end = std::min(zoneName.find('/', at), zoneName.size());
        if (zoneName.substr(at, end - at) == "..")
            return std::nullopt;
        at = end + 1;
    }
    return std::string(kZoneFolder) + std::string(zoneName);
}

std::chrono::sys_seconds secondsOf(core::Instant moment)
{
    return std::chrono::floor<std::chrono::seconds>(moment);
}

}  // namespace

TzFileZoneRules::TzFileZoneRules() = default;
TzFileZoneRules::~TzFileZoneRules() = default;

const TzFileZoneRules::Zone* TzFileZoneRules::zoneFromFile(const std::string& path) const
{
    if (const auto known = m_zonesByPath.find(path); known != m_zonesByPath.end())
        return known->second.get();
    std::unique_ptr<Zone> zone;
    if (const auto bytes = fileBytes(path)) {
        if (auto parsed = zoneFromTzFile(*bytes))
            zone = std::make_unique<Zone>(std::move(*parsed));
    }
    return m_zonesByPath.emplace(path, std::move(zone)).first->second.get();
}

// The system's zone follows TZ as Qt reads it (a zone name, optionally after a colon), read
// afresh at every call; a zone file's path in TZ is taken as the zone named by its part below
// "zoneinfo/", as the Qt zone rules take it.
const TzFileZoneRules::Zone* TzFileZoneRules::zoneNamed(std::string_view zoneName) const
{
    if (!zoneName.empty()) {
        const auto path = zoneFilePath(zoneName);
        return path ? zoneFromFile(*path) : nullptr;
    }
    const char* variable = std::getenv("TZ");
    std::string_view named = variable ? variable : "";
    if (named == ":/etc/localtime")
        named = {};
    if (named.starts_with(':'))
        named.remove_prefix(1);
    const std::string name = named.empty() ? systemZoneNameFromFiles() : std::string(named);
    const Zone* zone = nullptr;
    if (name.empty())
        zone = zoneFromFile("/etc/localtime");
    else if (const auto path = zoneFilePath(name))
        zone = zoneFromFile(*path);
    const auto at = named.rfind(kZoneInfoPart);
    if (!zone && named.starts_with('/') && at != std::string_view::npos) {
        if (const auto path = zoneFilePath(named.substr(at + kZoneInfoPart.size())))
            zone = zoneFromFile(*path);
    }
    return zone;
}

std::optional<core::ZoneOffset> TzFileZoneRules::offsetAt(const core::LocalDateTime& localMoment,
                                                          std::string_view zoneName) const
{
    const Zone* zone = zoneNamed(zoneName);
    if (!zone)
        return std::nullopt;
    // As the Qt zone rules do: the offsets a day either side bracket any change near the
    // reading; the earlier that maps the reading back onto itself wins, and a reading neither
    // does (the skipped hour) takes the offset of the day before.
    const std::int64_t naive = std::chrono::floor<std::chrono::seconds>(localMoment.timePoint())
                                   .time_since_epoch()
                                   .count();
    const auto before = ruleAt(*zone, naive - kSecondsPerDay);
    const auto after = ruleAt(*zone, naive + kSecondsPerDay);
    if (!before || !after)
        return std::nullopt;
    for (const auto& candidate : {*before, *after}) {
        const auto rule = ruleAt(*zone, naive - candidate.offsetSeconds);
        if (rule && rule->offsetSeconds == candidate.offsetSeconds)
            return zoneOffsetFrom(*rule);
    }
    return zoneOffsetFrom(*before);
}

std::optional<core::LocalDateTime> TzFileZoneRules::localTime(core::Instant moment,
                                                              std::string_view zoneName) const
{
    const Zone* zone = zoneNamed(zoneName);
    if (!zone)
        return std::nullopt;
    const auto rule = ruleAt(*zone, secondsOf(moment).time_since_epoch().count());
    if (!rule)
        return std::nullopt;
    return core::LocalDateTime::fromTimePoint(core::LocalTimePoint(
        moment.time_since_epoch() + std::chrono::seconds(rule->offsetSeconds)));
}

std::string TzFileZoneRules::unknownSystemZone() const
{
    if (zoneNamed({}))
        return {};
    const char* named = std::getenv("TZ");
    return named && *named ? std::string(named) : std::string("/etc/localtime");
}

bool TzFileZoneRules::answersAround(core::Instant moment, std::string_view zoneName) const
{
    const Zone* zone = zoneNamed(zoneName);
    if (!zone)
        return false;
    const std::int64_t from = secondsOf(moment).time_since_epoch().count();
    return ruleAt(*zone, from) && ruleAt(*zone, from + 2 * kSecondsPerDay);
}

}  // namespace vantrel::platform
