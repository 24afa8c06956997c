#include "engine/aspects.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/listings.h"
#include "engine/text_format.h"

namespace vantrel::engine {

namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

double separationDeg(double a, double b)
{
    const double d = std::fabs(normalizeDeg(a - b));
    return d > 180 ? 360 - d : d;
}

std::string abbreviation(Object o)
{
    return std::string(objectName(o).substr(0, 3));
}

std::vector<Object> presentObjects(const Chart& chart)
{
    std::vector<Object> out;
    for (int i = 0; i < kObjectCount; ++i)
        if (chart.place[i].present)
            out.push_back(static_cast<Object>(i));
    return out;
}

}  // namespace

double objectWeight(Object object)
{
    if (object == Object::Sun || object == Object::Moon)
        return 3.0;
    if (object <= Object::Saturn)
        return 2.0;
    return 1.0;
}

std::vector<Aspect> findAspects(const Chart& chart)
{
    std::vector<Aspect> out;
    const auto objects = presentObjects(chart);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        for (std::size_t j = i + 1; j < objects.size(); ++j) {
            const ObjectPlace& a = chart.place[static_cast<int>(objects[i])];
            const ObjectPlace& b = chart.place[static_cast<int>(objects[j])];
            const double sep = separationDeg(a.longitudeDeg, b.longitudeDeg);
            // an hour later, to tell applying from separating
            const double later = separationDeg(a.longitudeDeg + a.speedDegPerDay / 24.0,
                                               b.longitudeDeg + b.speedDegPerDay / 24.0);
            for (int k = 0; k < static_cast<int>(std::size(kAspectKinds)); ++k) {
                const AspectKind& kind = kAspectKinds[k];
                const double orb = std::fabs(sep - kind.angleDeg);
                if (orb > kind.orbDeg)
                    continue;
                const bool applying = std::fabs(later - kind.angleDeg) < orb;
                const double power = kind.weight *
                                     (objectWeight(objects[i]) + objectWeight(objects[j])) / 2.0 *
                                     (1.0 - orb / kind.orbDeg) * 2.0;
                out.push_back({objects[i], objects[j], k, applying ? -orb : orb, power});
                break;
            }
        }
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Aspect& x, const Aspect& y) { return x.power > y.power; });
    return out;
}

SkyPlace skyPlaceOf(const Chart& chart, Object object)
{
    const EclipticPosition& p = chart.tropical[static_cast<int>(object)];
    const double lambda = p.longitudeDeg * kRad;
    const double beta = p.latitudeDeg * kRad;
    const double eps = chart.obliquityDeg * kRad;
    const double ra = std::atan2(std::sin(lambda) * std::cos(eps) - std::tan(beta) * std::sin(eps),
                                 std::cos(lambda));
    const double dec = std::asin(std::sin(beta) * std::cos(eps) +
                                 std::cos(beta) * std::sin(eps) * std::sin(lambda));
    const double hourAngle = (chart.siderealTimeDeg + chart.data.longitudeEastDeg) * kRad - ra;
    const double phi = chart.data.latitudeNorthDeg * kRad;
    const double alt = std::asin(std::sin(phi) * std::sin(dec) +
                                 std::cos(phi) * std::cos(dec) * std::cos(hourAngle));
    const double az = std::atan2(-std::cos(dec) * std::sin(hourAngle),
                                 std::sin(dec) * std::cos(phi) -
                                     std::cos(dec) * std::sin(phi) * std::cos(hourAngle));
    return {alt / kRad, normalizeDeg(az / kRad)};
}

namespace {

void writeGrid(const Chart& chart, const std::vector<Aspect>& aspects, std::string& out)
{
    const auto objects = presentObjects(chart);
    auto find = [&](Object a, Object b) -> const Aspect* {
        for (const Aspect& x : aspects)
            if ((x.first == a && x.second == b) || (x.first == b && x.second == a))
                return &x;
        return nullptr;
    };
    out += "Aspect grid: aspects below the diagonal, their orbs in whole degrees above it.";
    out += kLineEnd;
    out += "   ";
    for (Object o : objects) {
        out += '|';
        out += abbreviation(o);
    }
    out += kLineEnd;
    for (Object row : objects) {
        out += abbreviation(row);
        for (Object col : objects) {
            std::string cell = "   ";
            if (row == col) {
                cell = std::string(
                    kSignAbbreviations[signOf(chart.place[static_cast<int>(row)].longitudeDeg)]);
            } else if (const Aspect* a = find(row, col)) {
                cell = row > col ? std::string(kAspectKinds[a->kind].abbreviation)
                                 : format("%+d", static_cast<int>(a->orbDeg));
                cell.resize(3, ' ');
            }
            out += "|" + cell;
        }
        out += kLineEnd;
    }
}

void writeList(const Chart& chart, const std::vector<Aspect>& aspects, std::string& out)
{
    if (aspects.empty()) {
        out += "No aspects within orb.";
        out += kLineEnd;
        return;
    }
    int n = 0;
    for (const Aspect& a : aspects) {
        const ObjectPlace& p = chart.place[static_cast<int>(a.first)];
        const ObjectPlace& q = chart.place[static_cast<int>(a.second)];
        const long minutes = static_cast<long>(std::floor(std::fabs(a.orbDeg) * 60.0));
        out += format("%3d: %7s (%s) %s (%s) %-10s - orb: %c%ld:%02ld' - power: %5.2f", ++n,
                      std::string(objectName(a.first)).c_str(),
                      std::string(kSignAbbreviations[signOf(p.longitudeDeg)]).c_str(),
                      kAspectKinds[a.kind].abbreviation,
                      std::string(kSignAbbreviations[signOf(q.longitudeDeg)]).c_str(),
                      std::string(objectName(a.second)).c_str(), a.orbDeg < 0 ? '-' : '+',
                      minutes / 60, minutes % 60, a.power);
        out += kLineEnd;
    }
}

void writeHorizon(const Chart& chart, std::string& out)
{
    out += "Body        Altitude  Azimuth";
    out += kLineEnd;
    for (int i = 0; i < kObjectCount; ++i) {
        if (!chart.place[i].present)
            continue;
        const SkyPlace s = skyPlaceOf(chart, static_cast<Object>(i));
        out += format("%-10s: %s  %s", std::string(kObjectNames[i]).c_str(),
                      signedDegreesText(s.altitudeDeg).c_str(), azimuthText(s.azimuthDeg).c_str());
        out += kLineEnd;
    }
}

void writeInfluence(const Chart& chart, const std::vector<Aspect>& aspects, std::string& out)
{
    double power[kObjectCount] = {};
    double total = 0;
    for (int i = 0; i < kObjectCount; ++i) {
        if (!chart.place[i].present)
            continue;
        const auto o = static_cast<Object>(i);
        const ObjectPlace& p = chart.place[i];
        double v = objectWeight(o) * 2.0;
        if (p.house == 1 || p.house == 10)
            v += 1.5;
        else if (p.house == 4 || p.house == 7)
            v += 1.0;
        switch (dignityCode(o, signOf(p.longitudeDeg))) {
        case 'R':
            v += 1.0;
            break;
        case 'e':
            v += 0.75;
            break;
        case 'd':
        case 'f':
            v -= 0.5;
            break;
        default:
            break;
        }
        power[i] = v;
    }
    for (const Aspect& a : aspects) {
        power[static_cast<int>(a.first)] += a.power / 4.0;
        power[static_cast<int>(a.second)] += a.power / 4.0;
    }
    for (double v : power)
        total += v;
    out += "Body        Power   Share";
    out += kLineEnd;
    for (int i = 0; i < kObjectCount; ++i) {
        if (!chart.place[i].present)
            continue;
        out += format("%-10s: %6.2f  %5.1f%%", std::string(kObjectNames[i]).c_str(), power[i],
                      total > 0 ? 100.0 * power[i] / total : 0.0);
        out += kLineEnd;
    }
}

}  // namespace

void writeAspects(const Chart& chart, const Request& request, std::string& out)
{
    const auto aspects = findAspects(chart);
    bool first = true;
    auto separate = [&] {
        if (!first) {
            out += kLineEnd;
            out += kLineEnd;
        }
        first = false;
    };
    if (request.aspectGrid) {
        separate();
        writeGrid(chart, aspects, out);
    }
    if (request.aspectList) {
        separate();
        writeList(chart, aspects, out);
    }
    if (request.horizon) {
        separate();
        writeHorizon(chart, out);
    }
    if (request.influence) {
        separate();
        writeInfluence(chart, aspects, out);
    }
}

}  // namespace vantrel::engine
