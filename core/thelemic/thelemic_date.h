#pragma once
#include <string>

namespace vantrel::core {

// The pieces of the last calculation.
struct TThelemicDate {
    std::string YearText;
    std::string SunText;
    std::string MoonText;
    std::string DayName;
};

}  // namespace vantrel::core
