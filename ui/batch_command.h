#pragma once
// The "&Batch..." command of the main window: asks for the input and the output file with the
// desktop's file chooser and converts the one into the other, with a progress dialog for
// conversions that take a while.

#include <functional>
#include <optional>

#include <QString>

class QWidget;

namespace vantrel::ui {

class CalculationWindow;
struct MainWindowHooks;

class BatchCommand {
public:
    // Open: an existing file; Save: a file to write, asking before one is replaced.
    enum class Chooser { Open, Save };
    // Asks for a file with a chooser of that kind, the caption and the preset (the file or the
    // folder it starts at); nullopt when the user cancels.
    using ChooseFile = std::function<std::optional<QString>(Chooser chooser, const QString& caption,
                                                            const QString& preset)>;

    // The desktop's own file choosers, as dialogs over `parent`.
    static ChooseFile desktopChoosers(QWidget* parent);

    // `choose` empty: the desktop's file choosers. The window must outlive the command.
    explicit BatchCommand(CalculationWindow& window, ChooseFile choose = {});

    // Connects askAndConvertBatch and the two-argument conversion to this command.
    void connectTo(MainWindowHooks& hooks);

    // Asks for the input file ("Input File", starting in the folder of the last input, else the
    // home folder), then the output file ("Output File", preset "output.txt" beside the input);
    // cancelling either ends the command with no effect. No file the program writes itself (the
    // engine's command file, its listings) is ever preset.
    void askAndConvertBatch();

    // Converts, and shows the last line's calculation and its date and time in the pickers.
    // Throws VantrelError with the user's message on failure. A cancelled conversion writes
    // nothing and sets the location back.
    void convertBatch(const QString& inputFile, const QString& outputFile);

    // How long a conversion runs before the progress dialog shows.
    static constexpr int kProgressDelayMs = 700;

private:
    CalculationWindow& m_window;
    ChooseFile m_choose;
    QString m_inputFolder;  // of the last input chosen
};

}  // namespace vantrel::ui
