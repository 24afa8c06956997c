#pragma once
#include <QUrl>

#include "core/ports/shell.h"

namespace vantrel::platform {

// Opens web addresses and files with the desktop's default handler. Nothing is waited for and
// no outcome is reported.
class QtShell : public core::Shell {
public:
    void open(const std::string& addressOrPath) override;
};

// A text with a scheme ("https://...", "mailto:...") is taken as an address; anything else is
// a file name, a bare one looked up in the current directory.
QUrl urlForShellOpen(const std::string& addressOrPath);

}  // namespace vantrel::platform
