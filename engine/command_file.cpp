#include "engine/command_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <functional>
#include <tuple>
#include <vector>

#include "engine/ephemeris.h"

namespace vantrel::engine {

// The text in quotes, control characters spelled out ("\x00") so that none cuts the message.
std::string inQuotes(std::string_view s)
{
    std::string quoted(1, '\'');
    for (const char c : s) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F) {
            static const char kHex[] = "0123456789ABCDEF";
            quoted += "\\x";
            quoted += kHex[code >> 4];
            quoted += kHex[code & 0x0F];
        } else {
            quoted += c;
        }
    }
    quoted += '\'';
    return quoted;
}

std::string dateText(const CalendarDate& date)
{
    static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    return std::to_string(date.day) + " " + kMonths[date.month - 1] + " " +
           std::to_string(date.year);
}

bool before(const CalendarDate& a, const CalendarDate& b)
{
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

std::vector<std::string_view> tokens(std::string_view line)
{
    std::vector<std::string_view> out;
    tokens(line, out);
    return out;
}

void tokens(std::string_view line, std::vector<std::string_view>& out)
{
    out.clear();
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

namespace {

bool isLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

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
    const auto bad = [field] {
        return CommandError(0, "time " + inQuotes(field) +
                                   " is not H:MM (0:00 to 23:59, optional AM or PM)");
    };
    std::string_view s = field;
    int shift = 0;
    if (s.size() > 2) {
        const char first =
            static_cast<char>(std::tolower(static_cast<unsigned char>(s[s.size() - 2])));
        if ((first == 'a' || first == 'p') &&
            std::tolower(static_cast<unsigned char>(s.back())) == 'm') {
            shift = first == 'p' ? 12 : -12;
            s.remove_suffix(2);
        }
    }
    const auto colon = s.find(':');
    if (colon == std::string_view::npos || s.size() - colon - 1 != 2 || colon == 0 || colon > 2)
        throw bad();
    const auto h = number(s.substr(0, colon));
    const auto m = number(s.substr(colon + 1));
    if (!h || !m || *h > 23 || *m > 59)
        throw bad();
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
        std::all_of(f.begin(), f.end(),
                    [](char c) { return std::isalpha(static_cast<unsigned char>(c)); })) {
        d.daylight = f[0] == 'd' || f[0] == 'y' || f[0] == 't';
        return;
    }
    throw CommandError(0, "daylight field " + inQuotes(field) + " is not ST or DT");
}

void parseZone(std::string_view field, ChartData& d)
{
    const auto bad = [field] {
        return CommandError(0, "zone " + inQuotes(field) +
                                   " is not hours west of Greenwich (-24 to 24, H:MM or H.MM)");
    };
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
            throw bad();
        minutes = *m;
    }
    if (!hours || s.substr(0, sep).size() > 2)
        throw bad();
    const int total = *hours * 60 + minutes;
    if (total > 24 * 60)
        throw bad();
    d.zoneMinutesWest = sign * total;
}

// DDDxMM where x is one of the two hemisphere letters; returns degrees, positive for the first.
double parseAngle(std::string_view field, const char* what, char positive, char negative, int limit)
{
    const auto bad = [=] {
        return CommandError(0, std::string(what) + " " + inQuotes(field) + " is not DD" + positive +
                                   "MM or DD" + negative + "MM within " + std::to_string(limit) +
                                   " degrees");
    };
    const auto at = field.find_first_not_of("0123456789");
    if (at == std::string_view::npos || at == 0 || at > 3 || field.size() != at + 3)
        throw bad();
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(field[at])));
    if (letter != positive && letter != negative)
        throw bad();
    const auto deg = number(field.substr(0, at));
    const auto min = number(field.substr(at + 1));
    if (!deg || !min || *min > 59 || *deg * 60 + *min > limit * 60)
        throw bad();
    const double value = *deg + *min / 60.0;
    return letter == positive ? value : -value;
}

}  // namespace

ChartData parseChartData(std::string_view fields)
{
    static const char* const names[] = {"month",          "day",  "year",      "time",
                                        "daylight field", "zone", "longitude", "latitude"};
    std::vector<std::string_view> t;
    tokens(fields, t);
    if (t.size() < 8)
        throw CommandError(0, std::string("/qb: the ") + names[t.size()] +
                                  " is missing (8 fields expected, " + std::to_string(t.size()) +
                                  " given)");
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
    const CalendarDate date{*year, *month, *day};
    if (before(date, kFirstDate) || before(kLastDate, date))
        throw CommandError(0, "/qb: " + dateText(date) + " is outside the ephemeris range (" +
                                  dateText(kFirstDate) + " to " + dateText(kLastDate) + ")");
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

// One switch line: the switch as written ("=Yd") and its arguments.
class SwitchLine {
public:
    SwitchLine(const std::vector<std::string_view>& tokens, bool lookAtFolder)
        : m_tokens(tokens), m_switch(tokens[0]), m_lookAtFolder(lookAtFolder)
    {
    }

    std::string_view name() const { return m_tokens[0].substr(1); }

    // The rest of the line, from the first argument on.
    std::string_view arguments() const
    {
        if (m_tokens.size() < 2)
            return {};
        const char* end = m_tokens.back().data() + m_tokens.back().size();
        return std::string_view(m_tokens[1].data(),
                                static_cast<std::size_t>(end - m_tokens[1].data()));
    }

    // '-' and '/' toggle, '=' sets, '_' clears.
    void setByMode(bool& flag) const
    {
        const char mode = m_tokens[0][0];
        flag = mode == '=' ? true : mode == '_' ? false : !flag;
    }
    bool clears() const { return m_tokens[0][0] == '_'; }

    void noArguments() const
    {
        if (m_tokens.size() > 1)
            throw error(": unexpected argument " + inQuotes(m_tokens[1]));
    }

    // A file name for /os or /Xo: a plain name in the current folder, not a folder.
    std::string outputName() const
    {
        if (m_tokens.size() < 2)
            throw error(": the file name is missing");
        if (m_tokens.size() > 2)
            throw error(": unexpected " + inQuotes(m_tokens[2]) + " after the file name");
        const std::string name(m_tokens[1]);
        if (name.find_first_of(std::string_view("/\0", 2)) != std::string::npos || name == "." ||
            name == "..")
            throw error(": " + inQuotes(name) + " is not a plain file name in the current folder");
        std::error_code ec;
        if (m_lookAtFolder && std::filesystem::is_directory(name, ec))
            throw error(": " + inQuotes(name) + " is a folder");
        return name;
    }

    // The one argument, a whole number from low to high; what names it in the message.
    int numberIn(int low, int high, const char* what) const
    {
        const auto n = m_tokens.size() == 2 ? number(m_tokens[1]) : std::nullopt;
        if (!n || *n < low || *n > high)
            throw error(std::string(": ") + what + " " +
                        (m_tokens.size() > 1 ? inQuotes(m_tokens[1]) : "(missing)") + " is not " +
                        std::to_string(low) + " to " + std::to_string(high));
        return *n;
    }

    // The objects named after the switch, at least one.
    std::vector<Object> objects() const
    {
        if (m_tokens.size() < 2)
            throw error(": no object named");
        std::vector<Object> out;
        for (std::size_t i = 1; i < m_tokens.size(); ++i) {
            const auto o = objectFromPrefix(m_tokens[i]);
            if (!o)
                throw error(": unknown object " + inQuotes(m_tokens[i]));
            out.push_back(*o);
        }
        return out;
    }

    CommandError error(const std::string& what) const { return CommandError(0, m_switch + what); }

private:
    const std::vector<std::string_view>& m_tokens;
    std::string m_switch;
    bool m_lookAtFolder;
};

using SwitchAction = std::function<void(const SwitchLine&, Request&)>;

SwitchAction setsFlag(bool Request::*field)
{
    return [field](const SwitchLine& s, Request& r) {
        s.noArguments();
        s.setByMode(r.*field);
    };
}

SwitchAction setsNumber(int Request::*field, int low, int high, const char* what)
{
    return [=](const SwitchLine& s, Request& r) { r.*field = s.numberIn(low, high, what); };
}

struct Switch {
    std::string_view name;
    SwitchAction action;
};

// Every switch the engine knows, by its name after the mode character.
const std::vector<Switch>& switches()
{
    static const std::vector<Switch> table = {
        {"qb", [](const SwitchLine& s, Request& r) { r.chart = parseChartData(s.arguments()); }},
        {"os", [](const SwitchLine& s, Request& r) { r.textOutput = s.outputName(); }},
        {"Xo",
         [](const SwitchLine& s, Request& r) {
             r.pictureOutput = s.outputName();
             r.pictureRequested = true;
         }},
        {"XM0",
         [](const SwitchLine& s, Request& r) {
             s.noArguments();
             r.pictureRequested = !s.clears();
         }},
        {"Yd", setsFlag(&Request::dayFirst)},
        {"s", setsFlag(&Request::sidereal)},
        {"a0", setsFlag(&Request::aspectList)},
        {"g0", setsFlag(&Request::aspectGrid)},
        {"j0", setsFlag(&Request::influence)},
        {"Z", setsFlag(&Request::horizon)},
        {"Zd", setsFlag(&Request::riseSet)},
        {"Xr", setsFlag(&Request::reversedColors)},
        {"Xm", setsFlag(&Request::monochrome)},
        {"c", setsNumber(&Request::houseSystem, 0, 13, "house system")},
        {"w", setsNumber(&Request::wheelLines, 1, 11, "lines per house")},
        {"%e",
         [](const SwitchLine& s, Request& r) {
             r.events = std::nullopt;
             if (!s.clears())
                 r.events = parseEventSpan(s.arguments());
         }},
        {"R",
         [](const SwitchLine& s, Request& r) {
             for (const Object o : s.objects())
                 s.setByMode(r.restricted[static_cast<int>(o)]);
         }},
    };
    return table;
}

void applySwitch(const std::vector<std::string_view>& t, Request& r, bool lookAtFolder)
{
    const SwitchLine line(t, lookAtFolder);
    const auto& table = switches();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const Switch& s) { return s.name == line.name(); });
    if (found == table.end())
        throw CommandError(0, "unknown switch " + inQuotes(t[0]));
    found->action(line, r);
}

}  // namespace

Request parseCommandFile(std::string_view text, bool lookAtFolder)
{
    if (text.empty() || text[0] != '@')
        throw CommandError(1, "not a command file (the first character must be '@')");
    Request r;
    std::vector<std::string_view> t;
    int lineNumber = 0;
    int outputsLine = 0;  // the last line that names an output
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
        tokens(line, t);
        if (t.empty() || t[0][0] == '@')
            continue;
        const char lead = t[0][0];
        try {
            if ((lead != '-' && lead != '/' && lead != '=' && lead != '_') || t[0].size() < 2)
                throw CommandError(0, "unknown switch " + inQuotes(t[0]));
            applySwitch(t, r, lookAtFolder);
            const std::string_view name = t[0].substr(1);
            if (name == "qb")
                r.chartLine = lineNumber;
            if (name == "os" || name == "Xo" || name == "XM0")
                outputsLine = lineNumber;
        } catch (const CommandError& e) {
            throw CommandError(lineNumber, e.what());
        }
    }
    const bool chartShown = r.pictureRequested || r.aspectList || r.aspectGrid || r.influence ||
                            r.horizon || r.riseSet || r.wheelLines > 0 || !r.events;
    if (!r.chart && chartShown)
        throw CommandError(lineNumber, "no chart data: the /qb line is missing");
    // One file cannot hold both; the later write would silently drop the listing.
    if (r.pictureRequested && !r.textOutput.empty() && r.textOutput == pictureFileName(r))
        throw CommandError(outputsLine, "/os and /Xo both name " + inQuotes(r.textOutput) +
                                            ": the listing and the picture need a file each");
    return r;
}

}  // namespace vantrel::engine
