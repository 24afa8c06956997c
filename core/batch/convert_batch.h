#pragma once
// Batch conversion: a file of dates, times and places into a file of Thelemic dates, one
// calculation per line, on as many threads as the engine allows.

#include <cstddef>
#include <filesystem>
#include <string>

#include "core/batch/batch_progress.h"
#include "core/common/date_time.h"

namespace vantrel::core {

class Calculator;
class Clock;
class PlaceLookup;

// What the window (or the command line) sees of a running conversion. Every member has a
// do-nothing default; all are called on the thread that called convertBatch().
class BatchObserver {
public:
    virtual ~BatchObserver() = default;
    // Called before the first line, every few hundredths of a second while lines are converted
    // (or while the conversion waits for its input), and after the last line; returning false
    // cancels the conversion.
    virtual bool progress(const BatchProgress& /*progress*/) { return true; }
    // Asked every few hundredths of a second while an engine program runs; true ends the run at
    // once and cancels the conversion.
    virtual bool stopRequested() { return false; }
    // True: once every line is converted, the last line's calculation runs again through the
    // calculator, with all its effects (display, listings, data window), for the window to show;
    // the pickers are then told its date and time.
    virtual bool showsLastLine() const { return false; }
    virtual void datePickerSet(Date /*date*/) {}
    virtual void timePickerSet(TimeOfDay /*time*/) {}
};

enum class BatchResult { Converted, Cancelled };

// Where a conversion finds what it needs besides its files. The references must outlive it.
struct BatchContext {
    // Its settings, regional settings, zone rules, engine and messages; each line is calculated
    // on a copy of the settings.
    Calculator& calculator;
    const Clock& clock;
    BatchObserver& observer;
    // The place of each line's coordinates under "Place's Time Zone"; null: none is known.
    const PlaceLookup* places = nullptr;
    // Folder the file names are relative to, unless absolute; empty: the current directory.
    std::filesystem::path namesFolder{};
};

// Converts the file `inputName` into the file `outputName` (messages quote the names as given).
// For each line: fields 3 and 4 are read as date and time, fields 5 to 7 are the line's Zone,
// Long and Lat, the calculation runs, and the seven fields and the four pieces of the Thelemic
// date are written, each followed by a comma. Under "Place's Time Zone" a line is read in the tz
// zone of the place nearest its own coordinates, or in its zone text as standard time when no
// place is near.
//
// The input is read once, as a stream (a pipe will do), and the output written as the lines are
// converted, in their order, into a file beside the output, which replaces it only when every
// line converted: a failed or cancelled conversion leaves an earlier output file as it was, and
// a write-protected one is never replaced. An output that is the input itself (by another name or
// a link) is refused before anything is converted. An engine that runs concurrently (the built-in
// one) converts lines on every processor; an engine program converts them one at a time, in a
// private folder, so that no file of the user's (an input file called "input.txt", say) is
// touched by a command file or a listing.
//
// Zone, Long and Lat keep their texts however the conversion ends: the lines are calculated on
// copies of the settings, and the last line, shown in the window, at its own place. Failures
// throw VantrelError with the message the user sees: "Cannot open file %s", "Cannot create file
// %s", and for a line the file's name and the line's number before what was wrong with it
// ("dates.txt, line 3: '25:07' is not a valid time"): "List index out of bounds (%d)", "'%s'
// is not a valid date", "'%s' is not a valid time", a line longer than 1 MiB, the calculation's
// own errors and any engine failure. The line reported is the earliest that failed.
BatchResult convertBatch(const BatchContext& context, const std::string& inputName,
                         const std::string& outputName);

}  // namespace vantrel::core
