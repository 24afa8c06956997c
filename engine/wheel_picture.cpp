#include "engine/wheel_picture.h"

#include <algorithm>
#include <cmath>

#include "engine/aspects.h"
#include "engine/text_format.h"
#include "wmf/wmf_writer.h"

namespace vantrel::engine {

namespace {

using wmf::Color;
using wmf::Point;

constexpr double kRad = 3.14159265358979323846 / 180.0;
constexpr int kWidth = 7680;
constexpr int kHeight = 5760;
constexpr int kCentreX = 2880;
constexpr int kCentreY = 2880;
constexpr int kOuterRadius = 2700;
constexpr int kSignRadius = 2300;   // inner edge of the sign ring
constexpr int kHouseRadius = 1150;  // inner edge of the house ring; aspects inside
constexpr int kColumnX = 5900;

struct Palette {
    Color foreground, background;
    Color element[4];  // fire, earth, air, water
    Color hard, soft;  // aspect lines
};

Palette paletteFor(const PictureStyle& style)
{
    Palette p;
    p.foreground = style.reversed ? Color{0, 0, 0} : Color{255, 255, 255};
    p.background = style.reversed ? Color{255, 255, 255} : Color{0, 0, 0};
    if (style.monochrome) {
        std::fill(std::begin(p.element), std::end(p.element), p.foreground);
        p.hard = p.soft = p.foreground;
    } else if (style.reversed) {
        p.element[0] = {200, 0, 0};
        p.element[1] = {0, 128, 0};
        p.element[2] = {160, 120, 0};
        p.element[3] = {0, 0, 200};
        p.hard = {200, 0, 0};
        p.soft = {0, 0, 200};
    } else {
        p.element[0] = {255, 80, 80};
        p.element[1] = {0, 200, 0};
        p.element[2] = {255, 255, 0};
        p.element[3] = {80, 160, 255};
        p.hard = {255, 80, 80};
        p.soft = {80, 160, 255};
    }
    return p;
}

class WheelPainter {
public:
    WheelPainter(const Chart& chart, const PictureStyle& style, bool dayFirst)
        : m_chart(chart), m_palette(paletteFor(style)), m_dayFirst(dayFirst),
          m_w(0, 0, kWidth, kHeight, 1280)
    {
        m_ascendant = normalizeDeg(chart.houses.ascendantDeg - chart.ayanamsaDeg);
    }

    std::vector<std::uint8_t> paint()
    {
        m_w.saveDC();
        m_w.setWindowOrg(0, 0);
        m_w.setWindowExt(kWidth, kHeight);
        m_w.setBkMode(1);
        background();
        rings();
        cusps();
        aspects();
        objects();
        column();
        m_w.restoreDC();
        return m_w.bytes();
    }

private:
    Point at(double longitudeDeg, int radius) const
    {
        const double a = (longitudeDeg - m_ascendant) * kRad;
        return {kCentreX - static_cast<int>(std::lround(radius * std::cos(a))),
                kCentreY + static_cast<int>(std::lround(radius * std::sin(a)))};
    }

    // Selects a newly created object in place of `current`, deleting the one it replaces.
    void selectReplacing(int& current, int created)
    {
        m_w.selectObject(created);
        if (current >= 0)
            m_w.deleteObject(current);
        current = created;
    }

    void pen(Color color, int width, wmf::PenStyle style = wmf::PenStyle::Solid)
    {
        selectReplacing(m_pen, m_w.createPen({style, width, color}));
    }

    void brush(Color color, bool hollow)
    {
        selectReplacing(
            m_brush,
            m_w.createBrush({hollow ? wmf::BrushStyle::Null : wmf::BrushStyle::Solid, color}));
    }

    void font(int height, int weight)
    {
        selectReplacing(m_font, m_w.createFont({-height, weight, 0, false, "Courier New"}));
    }

    void circle(int radius)
    {
        m_w.ellipse(kCentreX - radius, kCentreY - radius, kCentreX + radius, kCentreY + radius);
    }

    void background()
    {
        pen(m_palette.background, 0, wmf::PenStyle::Null);
        brush(m_palette.background, false);
        m_w.rectangle(0, 0, kWidth, kHeight);
    }

    void rings()
    {
        pen(m_palette.foreground, 12);
        brush(m_palette.background, true);
        circle(kOuterRadius);
        circle(kSignRadius);
        circle(kHouseRadius);
        font(150, 700);
        m_w.setTextAlign(wmf::text_align::kCenter | wmf::text_align::kBaseline);
        for (int sign = 0; sign < 12; ++sign) {
            m_w.polyline({at(sign * 30.0, kSignRadius), at(sign * 30.0, kOuterRadius)});
            m_w.setTextColor(m_palette.element[sign % 4]);
            Point p = at(sign * 30.0 + 15.0, (kOuterRadius + kSignRadius) / 2);
            m_w.extTextOut(p.x, p.y + 50, std::string(kSignAbbreviations[sign]));
        }
    }

    void cusps()
    {
        font(110, 400);
        m_w.setTextColor(m_palette.foreground);
        for (int h = 1; h <= 12; ++h) {
            const double lon = m_chart.cusp[h];
            pen(m_palette.foreground, h == 1 || h == 10 ? 30 : 8);
            m_w.polyline({at(lon, kHouseRadius), at(lon, kSignRadius)});
            const double middle = lon + normalizeDeg(m_chart.cusp[h % 12 + 1] - lon) / 2.0;
            const Point p = at(middle, kHouseRadius + 120);
            m_w.extTextOut(p.x, p.y + 40, std::to_string(h));
        }
    }

    void aspects()
    {
        for (const Aspect& a : findAspects(m_chart)) {
            const AspectKind& kind = kAspectKinds[a.kind];
            if (kind.angleDeg == 0)
                continue;  // a conjunction is seen from the wheel itself
            const bool hard = kind.angleDeg == 90 || kind.angleDeg == 180;
            pen(hard ? m_palette.hard : m_palette.soft, 6,
                hard ? wmf::PenStyle::Solid : wmf::PenStyle::Dash);
            m_w.polyline(
                {at(m_chart.place[static_cast<int>(a.first)].longitudeDeg, kHouseRadius),
                 at(m_chart.place[static_cast<int>(a.second)].longitudeDeg, kHouseRadius)});
        }
    }

    void objects()
    {
        std::vector<int> order;
        for (int i = 0; i < kObjectCount; ++i)
            if (m_chart.place[i].present)
                order.push_back(i);
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            return m_chart.place[a].longitudeDeg < m_chart.place[b].longitudeDeg;
        });
        // Labels are spread so that neighbours stand at least 7 degrees apart.
        std::vector<double> label(order.size());
        for (std::size_t k = 0; k < order.size(); ++k) {
            label[k] = m_chart.place[order[k]].longitudeDeg;
            if (k > 0 && label[k] - label[k - 1] < 7.0)
                label[k] = label[k - 1] + 7.0;
        }
        font(110, 700);
        m_w.setTextAlign(wmf::text_align::kCenter | wmf::text_align::kBaseline);
        for (std::size_t k = 0; k < order.size(); ++k) {
            const ObjectPlace& p = m_chart.place[order[k]];
            const Color color = m_palette.element[signOf(p.longitudeDeg) % 4];
            pen(color, 10);
            brush(color, false);
            m_w.polyline({at(p.longitudeDeg, kSignRadius), at(p.longitudeDeg, kSignRadius - 120)});
            const Point c = at(p.longitudeDeg, kHouseRadius);
            m_w.polygon({{c.x, c.y - 40}, {c.x + 40, c.y}, {c.x, c.y + 40}, {c.x - 40, c.y}});
            m_w.setTextColor(color);
            const int radius = kSignRadius - 300 - static_cast<int>(k % 3) * 250;
            const Point t = at(label[k], radius);
            const std::string name(kObjectNames[order[k]].substr(0, 3));
            m_w.extTextOut(t.x, t.y, name + (p.retrograde() ? "r" : ""));
            m_w.extTextOut(t.x, t.y + 120, zodiacText(p.longitudeDeg).substr(0, 5));
        }
    }

    void column()
    {
        font(100, 400);
        m_w.setTextAlign(wmf::text_align::kLeft | wmf::text_align::kBaseline);
        m_w.setTextColor(m_palette.foreground);
        const ChartData& d = m_chart.data;
        std::vector<std::string> lines = {
            std::string(weekdayName(m_chart.weekday)),
            listingDate(d.year, d.month, d.day, m_dayFirst) + " " +
                twelveHourTime(d.hour, d.minute),
            format("%s zone %s%d:%02d", d.daylight ? "DT" : "ST", d.zoneMinutesWest < 0 ? "-" : "",
                   std::abs(d.zoneMinutesWest) / 60, std::abs(d.zoneMinutesWest) % 60),
            d.longitudeText + " " + d.latitudeText,
            std::string(Ephemeris::houseName(m_chart.houseSystem)) +
                (m_chart.sidereal ? ", sidereal" : ""),
            "",
        };
        for (int h = 1; h <= 12; ++h)
            lines.push_back(format("House %2d: %s", h, zodiacText(m_chart.cusp[h]).c_str()));
        lines.push_back("");
        for (int i = 0; i < kObjectCount; ++i) {
            const ObjectPlace& p = m_chart.place[i];
            if (p.present)
                lines.push_back(
                    format("%-4s %s%s", std::string(kObjectNames[i].substr(0, 4)).c_str(),
                           zodiacText(p.longitudeDeg).c_str(), p.retrograde() ? " R" : ""));
        }
        int y = 250;
        for (const auto& line : lines) {
            if (!line.empty())
                m_w.extTextOut(kColumnX, y, line);
            y += 125;
        }
    }

    const Chart& m_chart;
    Palette m_palette;
    bool m_dayFirst;
    wmf::MetafileWriter m_w;
    double m_ascendant = 0;
    int m_pen = -1, m_brush = -1, m_font = -1;
};

}  // namespace

std::vector<std::uint8_t> drawWheelPicture(const Chart& chart, const PictureStyle& style,
                                           bool dayFirst)
{
    return WheelPainter(chart, style, dayFirst).paint();
}

}  // namespace vantrel::engine
