#pragma once
// "vantrel x" once its adapters are chosen, by the Qt program or by the front that answers
// without Qt: the date of this moment, on the clipboard and on standard output.

#include "app/command_line_messages.h"
#include "core/chart_engine/local_clock.h"
#include "core/ports/main_view.h"
#include "core/thelemic/calculation.h"

namespace vantrel::app {

// Calculates the date of the clock's moment through `context`, whose view and messages are
// `view` and `messages`; copies it to the context's clipboard, prints its lines on standard
// output and what failed on standard error. An engine program (`engineProgram`) runs in a
// private folder. The exit status: 1 when an error was reported or the date lacks the Sun or
// the Moon, else 0.
int printDateOfNow(const core::CalculationContext& context, const core::LocalClock& clock,
                   const core::NullMainView& view, const CommandLineMessages& messages,
                   bool engineProgram);

}  // namespace vantrel::app
