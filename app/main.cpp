// Entry: picks the mode from the command line.

#include <cstring>

#include "app/modes.h"

int main(int argc, char** argv)
{
    using namespace vantrel::app;
    switch (argc - 1) {
    case 1:
        if (std::strcmp(argv[1], "x") == 0)
            return runNowMode(argc, argv);
        if (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)
            return printUsage();
        if (std::strcmp(argv[1], "--version") == 0)
            return printVersion();
        return runEmptyClipboardMode(argc, argv);
    case 2:
        return runBatchMode(argc, argv);
    default:
        return runWindowMode(argc, argv);
    }
}
