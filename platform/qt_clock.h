#pragma once
#include "core/ports/clock.h"

namespace vantrel::platform {

// The system's local date and time.
class QtClock : public core::Clock {
public:
    core::DateTime now() const override;
};

}  // namespace vantrel::platform
