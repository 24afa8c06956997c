#pragma once

// A computed chart: every object's place, the house cusps, and the chart's moment.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/command_file.h"
#include "engine/ephemeris.h"

namespace vantrel::engine {

struct ObjectPlace {
    bool present = false;     // computed and not restricted
    double longitudeDeg = 0;  // in the chart's zodiac
    double latitudeDeg = 0;
    double speedDegPerDay = 0;
    bool hasLatitude = true;
    bool hasSpeed = true;
    int house = 1;  // 1-12
    bool retrograde() const { return hasSpeed && speedDegPerDay < 0; }
};

struct Chart {
    ChartData data;
    int houseSystem = 0;  // as used (Porphyry after a fallback)
    bool sidereal = false;
    double jdUt = 0;                // the chart moment
    double jdLocalMidnightUt = 0;   // 00:00 of the chart's local day, as universal time
    int weekday = 0;                // 0 Sunday .. 6 Saturday, of the local date
    std::array<double, 13> cusp{};  // cusp[1..12] in the chart's zodiac
    HouseCusps houses;              // tropical; none for signs from Aries without the angles
    double ayanamsaDeg = 0;
    // At the chart moment, for the local horizon (/Z) only: true obliquity and Greenwich
    // apparent sidereal time.
    double obliquityDeg = 23.44;
    double siderealTimeDeg = 0;
    std::array<ObjectPlace, kObjectCount> place{};
    std::array<EclipticPosition, kObjectCount> tropical{};  // as computed, for the horizon
};

struct ChartOutcome {
    std::optional<Chart> chart;         // absent when a position the chart needs failed
    std::string error;                  // then: the ephemeris's message
    std::vector<std::string> warnings;  // for the user, in either case, in the order met
};

// Computes the chart of a request that holds chart data: only what the request asks for, no
// restricted object; without places, only the moment (the chart's day and weekday) and no
// object is present. An asteroid the ephemeris cannot give is left out with a warning; any
// other failure leaves the outcome without a chart.
ChartOutcome computeChart(const Request& request, Ephemeris& ephemeris, bool places = true);

// The house (1-12) that holds a longitude, by the cusps cusp[1..12].
int houseOf(double longitudeDeg, const std::array<double, 13>& cusp);

double normalizeDeg(double deg);

}  // namespace vantrel::engine
