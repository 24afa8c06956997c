#include "app/date_of_now.h"

#include <iostream>
#include <optional>

#include "app/locations.h"
#include "core/chart_engine/engine_run.h"
#include "core/common/error.h"

namespace vantrel::app {

int printDateOfNow(const core::CalculationContext& context, const core::LocalClock& clock,
                   const core::NullMainView& view, const CommandLineMessages& messages,
                   bool engineProgram)
{
    // A fresh calculator has found neither the Sun nor the Moon; when the chart run fails they
    // stay empty and the date printed lacks them, which the exit status must tell.
    bool chartRead = false;
    try {
        // An engine program runs in a private folder; the built-in engine writes no file.
        std::optional<PrivateWorkFolder> folder;
        if (engineProgram)
            folder.emplace();
        core::Calculator calculator(context);
        calculator.calculate(clock.now());
        calculator.copyToClipboard();
        chartRead = !calculator.thelemicDate().sunText.empty() &&
                    !calculator.thelemicDate().moonText.empty();
    } catch (const core::VantrelError& error) {
        std::cerr << core::withFinalStop(error.what()) << std::endl;
        return 1;
    } catch (const core::EngineRunStopped&) {
        std::cerr << "Interrupted; the chart engine was stopped." << std::endl;
        return 1;
    }
    for (const auto& line : view.displayLines())
        std::cout << line << '\n';
    std::cout.flush();
    return messages.errorShown || !chartRead ? 1 : 0;
}

}  // namespace vantrel::app
