#pragma once
#include <chrono>

#include "core/ports/clock.h"

namespace vantrel::platform {

// The system's clock, to the millisecond, through the standard library.
class SystemClock : public core::Clock {
public:
    core::Instant now() const override
    {
        return std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
    }
};

}  // namespace vantrel::platform
