// Stand-ins for the modes whose own files are not part of the build; each real definition,
// being strong, replaces its stand-in when linked.

#include "app/modes.h"

#include <iostream>

namespace vantrel::app {

[[gnu::weak]] int runBatchMode(int&, char**)
{
    std::cerr << "Batch conversion is not available in this build.\n";
    return 1;
}

// Without the main window, starting with no argument shows the date for now.
[[gnu::weak]] int runWindowMode(int& argc, char** argv)
{
    return runNowMode(argc, argv);
}

} // namespace vantrel::app
