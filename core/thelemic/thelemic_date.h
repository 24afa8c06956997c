#pragma once
#include <string>

namespace vantrel::core {

// The pieces of the last calculation.
struct ThelemicDate {
    std::string yearText;
    std::string sunText;
    std::string moonText;
    std::string dayName;
};

}  // namespace vantrel::core
