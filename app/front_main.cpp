// The command users run. "vantrel x" without a display is answered here, without loading Qt,
// whenever it can be answered exactly as the Qt program would; every other case is handed to
// the Qt program beside this one, with the same arguments.

#include <optional>

#include "app/command_line.h"
#include "app/now_without_qt.h"

int main(int argc, char** argv)
{
    using namespace vantrel::app;
    const CommandLine commandLine = commandLineWithoutQtOptions(argc, argv);
    if (modeOf(commandLine) == Mode::Now && !displaySet() && !platformChosen(commandLine)) {
        if (const std::optional<int> status = answerNowWithoutQt())
            return *status;
    }
    return handOverToQtProgram(argv);
}
