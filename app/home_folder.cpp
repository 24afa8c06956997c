#include <cstdlib>

#include <pwd.h>
#include <unistd.h>

#include "app/locations.h"

namespace vantrel::app {

std::filesystem::path homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

}  // namespace vantrel::app
