#include "core/alarm/animation.h"

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vantrel::core {
namespace {

class FakeAnimationHost : public AnimationHost {
public:
    std::vector<std::string> calls;
    bool failCalculation = false;
    void startTimer() override { calls.push_back("start"); }
    void stopTimer() override { calls.push_back("stop"); }
    void setAnimateMark(bool on) override { calls.push_back(on ? "mark on" : "mark off"); }
    void maximizeWheelWindow() override { calls.push_back("maximize"); }
    void setBusyCursor(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
    void calculateNow() override
    {
        calls.push_back("now");
        if (failCalculation)
            throw std::runtime_error("Cannot create file input.txt");
    }
    void refreshDataWindows() override { calls.push_back("refresh"); }
};

TEST(Animation, SwitchingOnStepsAtOnceAndSwitchingOffLeavesTheWindows)
{
    Animation animation;
    FakeAnimationHost host;
    animation.toggle(host);
    EXPECT_TRUE(animation.running());
    const std::vector<std::string> on = {"start", "mark on", "maximize", "busy",
                                         "now",   "refresh", "idle"};
    EXPECT_EQ(host.calls, on);

    host.calls.clear();
    animation.toggle(host);
    EXPECT_FALSE(animation.running());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"stop", "mark off"}));
}

TEST(Animation, BusyCursorIsRestoredWhenTheStepFails)
{
    Animation animation;
    FakeAnimationHost host;
    host.failCalculation = true;
    EXPECT_THROW(animation.step(host), std::runtime_error);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"busy", "now", "idle"}));
}

}  // namespace
}  // namespace vantrel::core
