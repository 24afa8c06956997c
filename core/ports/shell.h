#pragma once
#include <functional>
#include <string>

namespace vantrel::core {

// Opens a web address or a file with the desktop's default handler; nothing is waited for.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const std::string& addressOrPath) = 0;
    // As open, and calls `noHandler` (later, on the caller's thread) when the desktop has no
    // program to open it with. Where that cannot be told, it is never called.
    virtual void openOrTell(const std::string& addressOrPath, std::function<void()> noHandler)
    {
        (void)noHandler;
        open(addressOrPath);
    }
};

}  // namespace vantrel::core
