#pragma once

// Aspects between the chart's objects, and each object's place in the local sky.

#include <vector>

#include "engine/chart.h"

namespace vantrel::engine {

struct AspectKind {
    const char* abbreviation;  // "Con", "Opp", ...
    double angleDeg;
    double orbDeg;  // the widest orb allowed
    double weight;  // strength of an exact aspect
};

inline constexpr AspectKind kAspectKinds[] = {
    {"Con", 0, 7, 4.0},   {"Opp", 180, 7, 3.5}, {"Squ", 90, 7, 3.0},
    {"Tri", 120, 7, 3.0}, {"Sex", 60, 6, 2.0},
};

struct Aspect {
    Object first = Object::Sun;
    Object second = Object::Sun;
    int kind = 0;       // index into kAspectKinds
    double orbDeg = 0;  // negative while the aspect is applying, positive while separating
    double power = 0;
};

// Every aspect between present objects, strongest first.
std::vector<Aspect> findAspects(const Chart& chart);

struct SkyPlace {
    double altitudeDeg = 0;  // geocentric, above the true horizon
    double azimuthDeg = 0;   // from north through east
};

SkyPlace skyPlaceOf(const Chart& chart, Object object);

// The relative weight of an object in the chart (used by the influence table).
double objectWeight(Object object);

}  // namespace vantrel::engine
