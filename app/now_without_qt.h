#pragma once
#include <optional>

namespace vantrel::app {

// The Qt program beside the front, which runs every mode.
inline constexpr const char* kQtProgramName = "vantrel-qt";

// "vantrel x" without a display, answered without loading Qt, when it can be answered exactly
// as the Qt program answers it: the built-in engine, a settings file that reads cleanly, a
// locale found in the table made from Qt's locale data, and zones whose files cover the
// moment. The exit status; nullopt when something calls for the Qt program.
std::optional<int> answerNowWithoutQt();

// Replaces this process by the Qt program beside it, with the same arguments; returns only when
// it cannot be started, with the status to exit with, having said why on standard error.
int handOverToQtProgram(char** argv);

}  // namespace vantrel::app
