#include <cmath>

#include "engine/listings.h"
#include "engine/text_format.h"

namespace vantrel::engine {

namespace {

const char* ordinalSuffix(int n)
{
    if (n % 100 >= 11 && n % 100 <= 13)
        return "th";
    switch (n % 10) {
    case 1:
        return "st";
    case 2:
        return "nd";
    case 3:
        return "rd";
    default:
        return "th";
    }
}

std::string speedText(double speed)
{
    const double a = std::fabs(speed);
    // six characters: sign and five more, three decimals below ten, two above
    const double shown = a < 10 ? std::floor(a * 1000) / 1000 : std::floor(a * 100) / 100;
    return format(a < 10 ? "%c%.3f" : "%c%.2f", speed < 0 ? '-' : '+', std::min(shown, 99.99));
}

}  // namespace

std::string chartRow(const Chart& chart, Object object)
{
    const ObjectPlace& p = chart.place[static_cast<int>(object)];
    const std::string name(objectName(object).substr(0, 4));
    std::string row = format("%-4s: %s %c ", name.c_str(), zodiacText(p.longitudeDeg).c_str(),
                             p.retrograde() ? 'R' : ' ');
    row += p.hasLatitude ? signedDegreesText(p.latitudeDeg) : "_______";
    row += format(" (%c) [%2d%s house] [%c] ", dignityCode(object, signOf(p.longitudeDeg)), p.house,
                  ordinalSuffix(p.house), dignityCode(object, p.house - 1));
    row += p.hasSpeed ? speedText(p.speedDegPerDay) : "______";
    return row;
}

void writeChartListing(const Chart& chart, bool dayFirst, std::string& out)
{
    out += chartHeading(chart, dayFirst);
    out += kLineEnd;
    out += format("Body  Locat. Ret. Lati. Rul.      House  Rul. Veloc.    %s Houses.",
                  Ephemeris::houseName(chart.houseSystem));
    out += kLineEnd;
    out += kLineEnd;
    int row = 0;
    for (int i = 0; i < kObjectCount; ++i) {
        if (!chart.place[i].present)
            continue;
        out += chartRow(chart, static_cast<Object>(i));
        ++row;
        if (row <= 12)
            out += format("  -  House cusp %2d: %s", row, zodiacText(chart.cusp[row]).c_str());
        out += kLineEnd;
    }
    // Fewer than twelve objects: the remaining cusps on lines of their own.
    for (++row; row <= 12; ++row)
        out += format("%51s  -  House cusp %2d: %s%s", "", row, zodiacText(chart.cusp[row]).c_str(),
                      kLineEnd);
}

}  // namespace vantrel::engine
