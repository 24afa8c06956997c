#include "core/thelemic/chart_reading.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "core/common/error.h"

namespace vantrel::core {

namespace {

constexpr std::pair<std::string_view, const char*> kSigns[] = {
    {"Ari", "Aries"},       {"Tau", "Taurus"},    {"Gem", "Gemini"},   {"Can", "Cancer"},
    {"Leo", "Leo"},         {"Vir", "Virgo"},     {"Lib", "Libra"},    {"Sco", "Scorpio"},
    {"Sag", "Sagittarius"}, {"Cap", "Capricorn"}, {"Aqu", "Aquarius"}, {"Pis", "Pisces"},
};

// Columns first..last (1-based) of a line, shorter where the line ends early.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last)
{
    if (line.size() < first)
        return {};
    return line.substr(first - 1, last - first + 1);
}

bool isDegree(std::string_view text)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.size() != 2 || !digit(text[1]) || (text[0] != ' ' && !digit(text[0])))
        return false;
    return (text[0] == ' ' ? 0 : text[0] - '0') * 10 + (text[1] - '0') < 30;
}

// The start of a line as a message may quote it.
std::string quotedLine(std::string_view line)
{
    constexpr std::size_t kShown = 60;
    const bool cut = line.size() > kShown;
    return "\"" + visibleText(line.substr(0, kShown)) + (cut ? "...\"" : "\"");
}

// Sets SunText or MoonText and appends the Sol or Luna piece: the degree as written (" 3",
// "13") and the sign's name.
void addBodyPiece(bool sun, const std::string& degree, const std::string& name, SignDisplay display,
                  ThelemicDate& record, std::string& thelemicPart)
{
    const char* body = sun ? " Sol " : ", Luna ";
    std::string text;
    if (display == SignDisplay::SignOnly) {
        text = name;
        thelemicPart += body + std::string("in ") + name;
    } else {
        text = degree + kDegreeSign + " " + name;
        thelemicPart += body + text;
    }
    (sun ? record.sunText : record.moonText) = text;
}

}  // namespace

std::string signName(std::string_view abbreviation)
{
    for (const auto& [shortName, name] : kSigns) {
        if (abbreviation == shortName)
            return name;
    }
    return "";
}

std::string signName(int sign)
{
    if (sign < 0 || sign >= static_cast<int>(std::size(kSigns)))
        return "";
    return kSigns[sign].second;
}

void readChartListing(const std::vector<std::string>& lines, SignDisplay display,
                      ThelemicDate& record, std::string& thelemicPart)
{
    for (const std::string& line : lines) {
        const std::string_view view = line;
        const bool sun = view.starts_with("Sun");
        if (!sun && !view.starts_with("Moon"))
            continue;
        addBodyPiece(sun, std::string(columns(view, 7, 8)), signName(columns(view, 9, 11)), display,
                     record, thelemicPart);
    }
}

void addSunAndMoonPieces(double sunLongitudeDeg, double moonLongitudeDeg, SignDisplay display,
                         ThelemicDate& record, std::string& thelemicPart)
{
    for (const bool sun : {true, false}) {
        const double degrees = sun ? sunLongitudeDeg : moonLongitudeDeg;
        // Whole minutes of arc, cut as the listing cuts them.
        constexpr long kCircle = 360 * 60;
        const long minutes =
            (static_cast<long>(std::floor(degrees * 60.0 + 1e-7)) % kCircle + kCircle) % kCircle;
        char degree[4];
        std::snprintf(degree, sizeof degree, "%2ld", minutes % (30 * 60) / 60);
        addBodyPiece(sun, degree, signName(static_cast<int>(minutes / (30 * 60))), display, record,
                     thelemicPart);
    }
}

std::optional<std::string> chartListingProblem(const TextFile& listing, std::string_view fileName)
{
    const std::string name = visibleText(fileName);
    const std::string expected =
        "expected the chart listing, with a row for the Sun and one for the Moon";
    switch (listing.status) {
    case TextFileStatus::Missing:
        return "The chart engine wrote no chart listing: " + name + " is missing; " + expected;
    case TextFileStatus::Unreadable:
        return name + " cannot be read; " + expected;
    case TextFileStatus::TooLarge:
        return name + " is larger than " + std::to_string(kMaxTextFileBytes >> 20) + " MiB; " +
               expected;
    case TextFileStatus::Read:
        break;
    }
    bool sunFound = false;
    bool moonFound = false;
    for (std::size_t i = 0; i < listing.lines.size(); ++i) {
        const std::string_view line = listing.lines[i];
        const bool sun = line.starts_with("Sun");
        if (!sun && !line.starts_with("Moon"))
            continue;
        (sun ? sunFound : moonFound) = true;
        if (!isDegree(columns(line, 7, 8)) || signName(columns(line, 9, 11)).empty())
            return name + ", line " + std::to_string(i + 1) + ": the " + (sun ? "Sun" : "Moon") +
                   " row " + quotedLine(line) +
                   " does not hold the degree (0 to 29) in columns 7 and 8 and the sign (Ari to "
                   "Pis) in columns 9 to 11";
    }
    if (!sunFound && !moonFound)
        return name +
               (listing.lines.empty() ? " is empty; " : " holds neither a Sun nor a Moon row; ") +
               expected;
    if (!sunFound || !moonFound)
        return name + " holds no " + (sunFound ? "Moon" : "Sun") +
               " row (a line beginning with \"" + (sunFound ? "Moon" : "Sun") + "\"); " + expected;
    return std::nullopt;
}

}  // namespace vantrel::core
