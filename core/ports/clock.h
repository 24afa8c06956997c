#pragma once
#include "core/common/date_time.h"

namespace vantrel::core {

// The time now. Local readings of it come from the zone rules (LocalClock).
class Clock {
public:
    virtual ~Clock() = default;
    // The moment now, to the millisecond.
    virtual Instant now() const = 0;
};

}  // namespace vantrel::core
