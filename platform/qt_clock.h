#pragma once
#include "core/ports/clock.h"

namespace vantrel::platform {

// The system's clock.
class QtClock : public core::Clock {
public:
    core::Instant now() const override;
};

}  // namespace vantrel::platform
