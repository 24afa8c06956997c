#pragma once
#include <string>

namespace vantrel::core {

class Tray {
public:
    virtual ~Tray() = default;
    virtual void showBalloon(const std::string& title, const std::string& text) = 0;
};

}  // namespace vantrel::core
