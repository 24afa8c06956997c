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

// Six characters: the sign, then the daily motion truncated to three decimals below ten
// degrees, to two from ten on, at most 99.99.
void appendSpeed(std::string& out, double speed)
{
    const double a = std::fabs(speed);
    out += speed < 0 ? '-' : '+';
    const bool small = a < 10;
    const auto units = static_cast<unsigned long>(small ? std::floor(a * 1000)
                                                        : std::min(std::floor(a * 100), 9999.0));
    const unsigned long scale = small ? 1000 : 100;
    appendNumber(out, units / scale, 1, '0');
    out += '.';
    appendNumber(out, units % scale, small ? 3 : 2, '0');
}

// "  -  House cusp  7: 28Sag13"
void appendCusp(std::string& out, const Chart& chart, int house)
{
    out += "  -  House cusp ";
    appendNumber(out, static_cast<unsigned long>(house), 2, ' ');
    out += ": ";
    appendZodiac(out, chart.cusp[house]);
}

void appendRow(std::string& out, const Chart& chart, Object object)
{
    const ObjectPlace& p = chart.place[static_cast<int>(object)];
    const std::string_view name = objectName(object).substr(0, 4);
    out += name;
    out.append(4 - name.size(), ' ');
    out += ": ";
    appendZodiac(out, p.longitudeDeg);
    out += p.retrograde() ? " R " : "   ";
    if (p.hasLatitude)
        appendSignedDegrees(out, p.latitudeDeg);
    else
        out += "_______";
    out += " (";
    out += dignityCode(object, signOf(p.longitudeDeg));
    out += ") [";
    appendNumber(out, static_cast<unsigned long>(p.house), 2, ' ');
    out += ordinalSuffix(p.house);
    out += " house] [";
    out += dignityCode(object, p.house - 1);
    out += "] ";
    if (p.hasSpeed)
        appendSpeed(out, p.speedDegPerDay);
    else
        out += "______";
}

}  // namespace

std::string chartRow(const Chart& chart, Object object)
{
    std::string row;
    appendRow(row, chart, object);
    return row;
}

void writeChartListing(const Chart& chart, bool dayFirst, std::string& out)
{
    out += chartHeading(chart, dayFirst);
    out += kLineEnd;
    out += "Body  Locat. Ret. Lati. Rul.      House  Rul. Veloc.    ";
    out += Ephemeris::houseName(chart.houseSystem);
    out += " Houses.";
    out += kLineEnd;
    out += kLineEnd;
    int row = 0;
    for (int i = 0; i < kObjectCount; ++i) {
        if (!chart.place[i].present)
            continue;
        appendRow(out, chart, static_cast<Object>(i));
        ++row;
        if (row <= 12)
            appendCusp(out, chart, row);
        out += kLineEnd;
    }
    // Fewer than twelve objects: the remaining cusps on lines of their own.
    for (++row; row <= 12; ++row) {
        out.append(51, ' ');
        appendCusp(out, chart, row);
        out += kLineEnd;
    }
}

}  // namespace vantrel::engine
