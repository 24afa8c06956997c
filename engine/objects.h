#pragma once

// The chart objects, in listing order, and the zodiac signs.

#include <array>
#include <optional>
#include <string_view>

namespace vantrel::engine {

enum class Object {
    Sun,
    Moon,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    Uranus,
    Neptune,
    Pluto,
    Chiron,
    Ceres,
    Pallas,
    Juno,
    Vesta,
    Node,
    Lilith,
    Fortune,
    Vertex,
    EastPoint,
};

inline constexpr int kObjectCount = 20;
inline constexpr int kPlanetCount = 10;  // Sun through Pluto

inline constexpr std::array<std::string_view, kObjectCount> kObjectNames = {
    "Sun",    "Moon",    "Mercury", "Venus",   "Mars",   "Jupiter",   "Saturn",
    "Uranus", "Neptune", "Pluto",   "Chiron",  "Ceres",  "Pallas",    "Juno",
    "Vesta",  "Node",    "Lilith",  "Fortune", "Vertex", "East Point"};

inline constexpr std::array<std::string_view, 12> kSignAbbreviations = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

inline std::string_view objectName(Object o)
{
    return kObjectNames[static_cast<int>(o)];
}

// The object whose name begins with these letters (at least three, any case).
std::optional<Object> objectFromPrefix(std::string_view prefix);

inline bool isAsteroid(Object o)
{
    return o >= Object::Chiron && o <= Object::Vesta;
}

// Points computed from the houses, with no latitude and no daily motion of their own.
inline bool isChartPoint(Object o)
{
    return o >= Object::Fortune;
}

}  // namespace vantrel::engine
