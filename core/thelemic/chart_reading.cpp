#include "core/thelemic/chart_reading.h"

#include <utility>

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

}  // namespace

std::string SignName(std::string_view abbreviation)
{
    for (const auto& [shortName, name] : kSigns) {
        if (abbreviation == shortName)
            return name;
    }
    return "";
}

void readChartListing(const std::vector<std::string>& lines, SignDisplay display,
                      TThelemicDate& record, std::string& thelemicPart)
{
    for (const std::string& line : lines) {
        const std::string_view view = line;
        const bool sun = view.starts_with("Sun");
        if (!sun && !view.starts_with("Moon"))
            continue;
        const std::string name = SignName(columns(view, 9, 11));
        const std::string degree(columns(view, 7, 8));
        const char* body = sun ? " Sol " : ", Luna ";
        std::string text;
        if (display == SignDisplay::SignOnly) {
            text = name;
            thelemicPart += body + std::string("in ") + name;
        } else {
            text = degree + kDegreeSign + " " + name;
            thelemicPart += body + text;
        }
        (sun ? record.SunText : record.MoonText) = text;
    }
}

}  // namespace vantrel::core
