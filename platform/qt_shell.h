#pragma once
#include <QUrl>

#include "core/ports/shell.h"

namespace vantrel::platform {

// Opens web addresses and files with the desktop's default handler. Nothing is waited for.
class QtShell : public core::Shell {
public:
    void open(const std::string& addressOrPath) override;
    // Through xdg-open where there is one, whose exit tells a missing handler (a browser, for a
    // page); otherwise as open, told by Qt.
    void openOrTell(const std::string& addressOrPath, std::function<void()> noHandler) override;
};

// A text with a scheme ("https://...", "mailto:...") is taken as an address; anything else is
// a file name, a bare one looked up in the current directory.
QUrl urlForShellOpen(const std::string& addressOrPath);

// xdg-open's exit status when it finds no program for the address or file.
inline constexpr int kXdgOpenNoHandler = 3;

}  // namespace vantrel::platform
