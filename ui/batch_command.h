#pragma once
// The "&Batch.." command of the main window: asks for the input and output file names and
// converts the one into the other, with a progress dialog for conversions that take a while.

#include <functional>
#include <optional>

#include <QString>

namespace vantrel::ui {

class CalculationWindow;
struct MainWindowHooks;

class BatchCommand {
public:
    // Asks for a file name in a text-entry dialog with the given caption and preset text;
    // nullopt when the user cancels.
    using AskFileName =
        std::function<std::optional<QString>(const QString& caption, const QString& preset)>;

    // `ask` empty: the standard text-entry dialog. The window must outlive the command.
    explicit BatchCommand(CalculationWindow& window, AskFileName ask = {});

    // Connects askAndConvertBatch and the two-argument conversion to this command.
    void connectTo(MainWindowHooks& hooks);

    // Asks for the input file ("Input File", preset "input.txt"), then the output file ("Output
    // File", preset "output.txt"); cancelling either ends the command with no effect.
    void askAndConvertBatch();

    // Converts; the pickers follow each line. Throws VantrelError with the user's message on
    // failure. A cancelled conversion writes nothing and sets the location back.
    void convertBatch(const QString& inputFile, const QString& outputFile);

    // How long a conversion runs before the progress dialog shows.
    static constexpr int kProgressDelayMs = 700;

private:
    CalculationWindow& m_window;
    AskFileName m_ask;
};

}  // namespace vantrel::ui
