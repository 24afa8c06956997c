#pragma once
// Test doubles for the ports the windows use to reach the desktop: the shell that opens web
// addresses and files, and the tray's balloons.

#include <string>
#include <vector>

#include "core/ports/shell.h"
#include "core/ports/tray.h"

namespace vantrel::testing {

class FakeShell : public core::Shell {
public:
    std::vector<std::string> opened;
    bool noHandler = false;  // a desktop without a browser
    void open(const std::string& addressOrPath) override { opened.push_back(addressOrPath); }
    void openOrTell(const std::string& addressOrPath, std::function<void()> tell) override
    {
        open(addressOrPath);
        if (noHandler)
            tell();
    }
};

struct Balloon {
    std::string title;
    std::string text;
};

class FakeTray : public core::Tray {
public:
    std::vector<Balloon> balloons;
    void showBalloon(const std::string& title, const std::string& text) override
    {
        balloons.push_back({title, text});
    }
};

}  // namespace vantrel::testing
