#include "engine/command_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <vector>

namespace vantrel::engine {

namespace {

std::string inQuotes(std::string_view s)
{
    std::string quoted(1, '\'');
    quoted += s;
    quoted += '\'';
    return quoted;
}

std::vector<std::string_view> tokens(std::string_view line)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size() || line[i] == ';')
            break;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        out.push_back(line.substr(start, i - start));
    }
    return out;
}

// A whole unsigned decimal number, nothing else.
std::optional<int> number(std::string_view s)
{
    if (s.empty() || s.size() > 6)
        return std::nullopt;
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s[0] == '-' || s[0] == '+')
        return std::nullopt;
    return v;
}

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

void parseTime(std::string_view field, ChartData& d)
{
    const std::string bad = "time " + inQuotes(field) + " is not H:MM (0:00 to 23:59, optional AM or PM)";
    std::string_view s = field;
    int shift = 0;
    if (s.size() > 2) {
        const std::string suffix = lower(s.substr(s.size() - 2));
        if (suffix == "am" || suffix == "pm") {
            shift = suffix == "pm" ? 12 : -12;
            s.remove_suffix(2);
        }
    }
    const auto colon = s.find(':');
    if (colon == std::string_view::npos || s.size() - colon - 1 != 2 || colon == 0 || colon > 2)
        throw CommandError(0, bad);
    const auto h = number(s.substr(0, colon));
    const auto m = number(s.substr(colon + 1));
    if (!h || !m || *h > 23 || *m > 59)
        throw CommandError(0, bad);
    d.hour = *h;
    if (shift == 12 && d.hour < 12)
        d.hour += 12;
    else if (shift == -12 && d.hour >= 12)
        d.hour -= 12;
    d.minute = *m;
}

void parseDaylight(std::string_view field, ChartData& d)
{
    const std::string f = lower(field);
    if (!f.empty() && std::string("dytsnf").find(f[0]) != std::string::npos && f.size() <= 8 &&
        std::all_of(f.begin(), f.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); })) {
        d.daylight = f[0] == 'd' || f[0] == 'y' || f[0] == 't';
        return;
    }
    throw CommandError(0, "daylight field " + inQuotes(field) + " is not ST or DT");
}

void parseZone(std::string_view field, ChartData& d)
{
    const std::string bad = "zone " + inQuotes(field) + " is not hours west of Greenwich (-24 to 24, H:MM or H.MM)";
    std::string_view s = field;
    int sign = 1;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        sign = s[0] == '-' ? -1 : 1;
        s.remove_prefix(1);
    }
    const auto sep = s.find_first_of(":.");
    std::optional<int> hours = number(s.substr(0, sep));
    int minutes = 0;
    if (sep != std::string_view::npos) {
        const auto m = number(s.substr(sep + 1));
        if (s.size() - sep - 1 != 2 || !m || *m > 59)
            throw CommandError(0, bad);
        minutes = *m;
    }
    if (!hours || s.substr(0, sep).size() > 2)
        throw CommandError(0, bad);
    const int total = *hours * 60 + minutes;
    if (total > 24 * 60)
        throw CommandError(0, bad);
    d.zoneMinutesWest = sign * total;
}

// DDDxMM where x is one of the two hemisphere letters; returns degrees, positive for the first.
double parseAngle(std::string_view field, const char* what, char positive, char negative, int limit)
{
    const std::string bad = std::string(what) + " " + inQuotes(field) + " is not DD" + positive + "MM or DD" +
                            negative + "MM within " + std::to_string(limit) + " degrees";
    const auto at = field.find_first_not_of("0123456789");
    if (at == std::string_view::npos || at == 0 || at > 3 || field.size() != at + 3)
        throw CommandError(0, bad);
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(field[at])));
    if (letter != positive && letter != negative)
        throw CommandError(0, bad);
    const auto deg = number(field.substr(0, at));
    const auto min = number(field.substr(at + 1));
    if (!deg || !min || *min > 59 || *deg * 60 + *min > limit * 60)
        throw CommandError(0, bad);
    const double value = *deg + *min / 60.0;
    return letter == positive ? value : -value;
}

}  // namespace

ChartData parseChartData(std::string_view fields)
{
    static const char* const names[] = {"month", "day", "year", "time", "daylight field",
                                        "zone", "longitude", "latitude"};
    const auto t = tokens(fields);
    if (t.size() < 8)
        throw CommandError(0, std::string("/qb: the ") + names[t.size()] + " is missing (8 fields expected, " +
                                  std::to_string(t.size()) + " given)");
    if (t.size() > 8)
        throw CommandError(0, "/qb: unexpected field " + inQuotes(t[8]) + " after the latitude");
    ChartData d;
    const auto month = number(t[0]);
    if (!month || *month < 1 || *month > 12)
        throw CommandError(0, "/qb: month " + inQuotes(t[0]) + " is not 1 to 12");
    const auto year = number(t[2]);
    if (!year || *year < 1 || *year > 9999)
        throw CommandError(0, "/qb: year " + inQuotes(t[2]) + " is not 1 to 9999");
    const auto day = number(t[1]);
    if (!day || *day < 1 || *day > daysInMonth(*year, *month))
        throw CommandError(0, "/qb: day " + inQuotes(t[1]) + " does not exist in month " +
                                  std::to_string(*month) + " of " + std::to_string(*year));
    d.month = *month;
    d.day = *day;
    d.year = *year;
    try {
        parseTime(t[3], d);
        parseDaylight(t[4], d);
        parseZone(t[5], d);
        d.longitudeEastDeg = -parseAngle(t[6], "longitude", 'W', 'E', 180);
        d.latitudeNorthDeg = parseAngle(t[7], "latitude", 'N', 'S', 90);
    } catch (const CommandError& e) {
        throw CommandError(0, std::string("/qb: ") + e.what());
    }
    d.longitudeText = std::string(t[6]);
    d.latitudeText = std::string(t[7]);
    return d;
}

namespace {

// A file name for /os or /Xo: a plain name in the current folder, not a folder.
std::string outputName(const std::vector<std::string_view>& t, const std::string& sw)
{
    if (t.size() < 2)
        throw CommandError(0, sw + ": the file name is missing");
    if (t.size() > 2)
        throw CommandError(0, sw + ": unexpected " + inQuotes(t[2]) + " after the file name");
    const std::string name(t[1]);
    if (name.find('/') != std::string::npos || name == "." || name == "..")
        throw CommandError(0, sw + ": " + inQuotes(name) + " is not a plain file name in the current folder");
    std::error_code ec;
    if (std::filesystem::is_directory(name, ec))
        throw CommandError(0, sw + ": " + inQuotes(name) + " is a folder");
    return name;
}

void noArguments(const std::vector<std::string_view>& t, const std::string& sw)
{
    if (t.size() > 1)
        throw CommandError(0, sw + ": unexpected argument " + inQuotes(t[1]));
}

// Applies one switch line to the request. mode: '-' or '/' toggle, '=' on, '_' off.
void applySwitch(const std::vector<std::string_view>& t, Request& r)
{
    const char mode = t[0][0];
    const std::string name(t[0].substr(1));
    const std::string sw = std::string(t[0]);
    auto set = [mode](bool& flag) { flag = mode == '=' ? true : mode == '_' ? false : !flag; };
    auto flag = [&](bool& f) {
        noArguments(t, sw);
        set(f);
    };
    if (name == "qb") {
        std::string_view fields;
        if (t.size() > 1)
            fields = std::string_view(t[1].data(), static_cast<std::size_t>(t.back().data() + t.back().size() - t[1].data()));
        r.chart = parseChartData(fields);
    } else if (name == "os") {
        r.textOutput = outputName(t, sw);
    } else if (name == "Xo") {
        r.pictureOutput = outputName(t, sw);
        r.pictureRequested = true;
    } else if (name == "XM0") {
        noArguments(t, sw);
        r.pictureRequested = mode != '_';
    } else if (name == "Yd") {
        flag(r.dayFirst);
    } else if (name == "s") {
        flag(r.sidereal);
    } else if (name == "a0") {
        flag(r.aspectList);
    } else if (name == "g0") {
        flag(r.aspectGrid);
    } else if (name == "j0") {
        flag(r.influence);
    } else if (name == "Z") {
        flag(r.horizon);
    } else if (name == "Zd") {
        flag(r.riseSet);
    } else if (name == "Xr") {
        flag(r.reversedColors);
    } else if (name == "Xm") {
        flag(r.monochrome);
    } else if (name == "c") {
        const auto n = t.size() == 2 ? number(t[1]) : std::nullopt;
        if (!n || *n > 13)
            throw CommandError(0, sw + ": house system " + (t.size() > 1 ? inQuotes(t[1]) : "(missing)") +
                                      " is not 0 to 13");
        r.houseSystem = *n;
    } else if (name == "w") {
        const auto n = t.size() == 2 ? number(t[1]) : std::nullopt;
        if (!n || *n < 1 || *n > 11)
            throw CommandError(0, sw + ": lines per house " + (t.size() > 1 ? inQuotes(t[1]) : "(missing)") +
                                      " is not 1 to 11");
        r.wheelLines = *n;
    } else if (name == "R") {
        if (t.size() < 2)
            throw CommandError(0, sw + ": no object named");
        for (std::size_t i = 1; i < t.size(); ++i) {
            const auto o = objectFromPrefix(t[i]);
            if (!o)
                throw CommandError(0, sw + ": unknown object " + inQuotes(t[i]));
            set(r.restricted[static_cast<int>(*o)]);
        }
    } else {
        throw CommandError(0, "unknown switch " + inQuotes(sw));
    }
}

}  // namespace

Request parseCommandFile(std::string_view text)
{
    if (text.empty() || text[0] != '@')
        throw CommandError(1, "not a command file (the first character must be '@')");
    Request r;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        ++lineNumber;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            pos = end + 2;
        else
            pos = std::min(end + 1, text.size());
        const auto t = tokens(line);
        if (t.empty() || t[0][0] == '@')
            continue;
        const char lead = t[0][0];
        try {
            if ((lead != '-' && lead != '/' && lead != '=' && lead != '_') || t[0].size() < 2)
                throw CommandError(0, "unknown switch " + inQuotes(t[0]));
            applySwitch(t, r);
            if (t[0].substr(1) == "qb")
                r.chartLine = lineNumber;
        } catch (const CommandError& e) {
            throw CommandError(lineNumber, e.what());
        }
    }
    if (!r.chart)
        throw CommandError(lineNumber, "no chart data: the /qb line is missing");
    return r;
}

}  // namespace vantrel::engine
