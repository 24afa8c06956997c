#pragma once
// The chart engine: a command file's text goes in, the files the run writes come out. The
// engine's own library answers in the program's process; a program the settings name runs as a
// process on a command file in its folder.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::core {

// A run of the engine that went wrong, as the user is told of it: the summary ("Astrolog return
// code 1", "The chart engine ... crashed ...") and the engine's own first line of complaint.
struct EngineFailure {
    std::string summary;
    std::string engineText;
    // The return-code note is a plain message; everything else the general error report.
    bool plainMessage = false;

    // The summary, and the engine's text on a line of its own.
    std::string message() const;
};

// One file of a run, by the name the command text gave it.
struct EngineOutput {
    // A file read back from a folder may be too large or unreadable; the bytes are then empty.
    enum class State { Read, TooLarge, Unreadable };
    std::string name;
    std::string bytes;
    State state = State::Read;
};

struct EngineRun {
    std::optional<EngineFailure> failure;
    std::vector<EngineOutput> outputs;

    // The output of that name; null when the run wrote none.
    const EngineOutput* output(std::string_view name) const
    {
        for (const EngineOutput& file : outputs)
            if (file.name == name)
                return &file;
        return nullptr;
    }
};

class ChartEngine {
public:
    // Asked every few hundredths of a second while a run waits; true ends the run at once.
    using StopCheck = std::function<bool()>;

    virtual ~ChartEngine() = default;

    // Runs the command text (lines ended by CR LF) and gives what went wrong, if anything, and
    // every file the run wrote, whatever its exit. Throws VantrelError when the run cannot be
    // prepared (its command file cannot be written) and EngineRunStopped when the stop check
    // ended it.
    virtual EngineRun run(std::string_view commandText) = 0;

    // Forgets the outputs of earlier runs where they stand as files, so that none outlives the
    // calculation that made it.
    virtual void discardOutputs() {}

    // The files the runs write or remove, where they stand as files: a command file, the
    // listings and the picture.
    virtual std::vector<std::filesystem::path> filesTouched() const { return {}; }

    // True when nothing but the calculation reads what the runs give and the engine computes
    // only what a command asks: the calculation may then ask for no more than it reads.
    virtual bool takesTrimmedCommands() const { return false; }

    // True when run() may be called from several threads at once.
    virtual bool runsConcurrently() const { return false; }

    // Installs the check that can end a running engine (empty: never); returns the one before.
    virtual StopCheck setStopCheck(StopCheck) { return {}; }
};

}  // namespace vantrel::core
