#pragma once
#include "core/common/date_time.h"

namespace vantrel::core {

// The current local date and time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
};

}  // namespace vantrel::core
