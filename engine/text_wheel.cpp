#include <algorithm>
#include <cmath>

#include "engine/listings.h"
#include "engine/text_format.h"

namespace vantrel::engine {

namespace {

constexpr int kBoxWidth = 14;
constexpr int kWidth = 4 * kBoxWidth + 5;

// Where each house's box stands: row and column of the 4 x 4 grid, indexed by house 1-12.
constexpr int kBoxRow[13] = {0, 2, 3, 3, 3, 3, 2, 1, 0, 0, 0, 0, 1};
constexpr int kBoxColumn[13] = {0, 0, 0, 1, 2, 3, 3, 3, 3, 2, 1, 0, 0};

std::vector<std::string> centreLines(const Chart& chart, bool dayFirst)
{
    const ChartData& d = chart.data;
    const int zone = std::abs(d.zoneMinutesWest);
    return {
        std::string(weekdayName(chart.weekday)) + " " +
            listingDate(d.year, d.month, d.day, dayFirst),
        twelveHourTime(d.hour, d.minute) + format(" %s %s%d:%02d GMT", d.daylight ? "DT" : "ST",
                                                  d.zoneMinutesWest < 0 ? "-" : "", zone / 60,
                                                  zone % 60),
        d.longitudeText + " " + d.latitudeText,
        std::string(Ephemeris::houseName(chart.houseSystem)) + " houses",
        chart.sidereal ? "Sidereal zodiac" : "Tropical zodiac",
    };
}

}  // namespace

void writeTextWheel(const Chart& chart, int linesPerHouse, bool dayFirst, std::string& out)
{
    const int n = linesPerHouse;
    const int height = 4 * n + 5;
    std::vector<std::string> grid(static_cast<std::size_t>(height), std::string(kWidth, ' '));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool hBorder = y % (n + 1) == 0;
            const bool vBorder = x % (kBoxWidth + 1) == 0;
            grid[y][x] = hBorder && vBorder ? '+' : hBorder ? '-' : vBorder ? '|' : ' ';
        }
    }
    // the centre spans the middle two columns of the middle two rows
    const int top = n + 2, bottom = 3 * n + 2, left = kBoxWidth + 2, right = 3 * kBoxWidth + 2;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            grid[y][x] = ' ';
    const auto centre = centreLines(chart, dayFirst);
    const int shown = std::min<int>(static_cast<int>(centre.size()), bottom - top + 1);
    const int first = top + (bottom - top + 1 - shown) / 2;
    const int centreWidth = right - left + 1;
    for (int i = 0; i < shown; ++i) {
        std::string line = centre[i].substr(0, static_cast<std::size_t>(centreWidth));
        const int x = left + (centreWidth - static_cast<int>(line.size())) / 2;
        grid[first + i].replace(static_cast<std::size_t>(x), line.size(), line);
    }

    for (int house = 1; house <= 12; ++house) {
        const int y0 = kBoxRow[house] * (n + 1);
        const int x0 = kBoxColumn[house] * (kBoxWidth + 1);
        grid[y0].replace(static_cast<std::size_t>(x0 + 2), 7, zodiacText(chart.cusp[house]));
        std::vector<int> inside;
        for (int i = 0; i < kObjectCount; ++i)
            if (chart.place[i].present && chart.place[i].house == house)
                inside.push_back(i);
        const double cusp = chart.cusp[house];
        std::stable_sort(inside.begin(), inside.end(), [&](int a, int b) {
            return normalizeDeg(chart.place[a].longitudeDeg - cusp) <
                   normalizeDeg(chart.place[b].longitudeDeg - cusp);
        });
        for (int k = 0; k < static_cast<int>(inside.size()) && k < n; ++k) {
            const ObjectPlace& p = chart.place[inside[k]];
            const std::string entry =
                format(" %-3s %s%c ", std::string(kObjectNames[inside[k]].substr(0, 3)).c_str(),
                       zodiacText(p.longitudeDeg).c_str(), p.retrograde() ? 'r' : ' ');
            grid[y0 + 1 + k].replace(static_cast<std::size_t>(x0 + 1), kBoxWidth, entry);
        }
    }
    for (const auto& line : grid) {
        out += line;
        out += kLineEnd;
    }
}

}  // namespace vantrel::engine
