#pragma once
#include <string>

namespace vantrel::core {

// Opens a web address or a file with the desktop's default handler; nothing is waited for.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const std::string& addressOrPath) = 0;
};

}  // namespace vantrel::core
