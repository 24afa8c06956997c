#pragma once
// Batch conversion: a file of dates, times and places into a file of Thelemic dates, one
// calculation per line.

#include <cstddef>
#include <filesystem>
#include <string>

#include "core/common/date_time.h"

namespace vantrel::core {

class Calculator;
class Clock;

// What the window (or the command line) sees of a running conversion. Every member has a
// do-nothing default.
class BatchObserver {
public:
    virtual ~BatchObserver() = default;
    // The line's date and time, as the date and time pickers should now show them.
    virtual void datePickerSet(Date /*date*/) {}
    virtual void timePickerSet(TimeOfDay /*time*/) {}
    // Called before the first line and after each converted line; returning false cancels the
    // conversion.
    virtual bool progress(std::size_t /*linesDone*/, std::size_t /*lineCount*/) { return true; }
    // Asked every few hundredths of a second while the engine runs; true ends the run at once
    // and cancels the conversion.
    virtual bool stopRequested() { return false; }
};

enum class BatchResult { Converted, Cancelled };

// Converts the file `inputName` into the file `outputName` (names relative to `namesFolder`, or
// to the current directory when that is empty, unless absolute; messages quote them as given). For
// each line: fields 3 and 4 are read as date and time, fields 5 to 7 become the settings' Zone,
// Long and Lat, the calculation runs, and the seven fields and the four pieces of the Thelemic date
// are appended to the output, each followed by a comma.
//
// The engine runs in a private folder for the whole conversion, so no file of the user's (an
// input file called "input.txt", say) is touched by a command file or a listing; afterwards the
// last calculation's listings are copied into the calculator's work folder, which must be the
// current directory or a folder relative to it.
//
// The output is written, replacing the file, only when every line converted; it is written
// beside and renamed, so a failed, cancelled or interrupted conversion leaves an earlier output
// file as it was, and a write-protected one is never replaced. An output that is the input
// itself (by another name or a link) is refused before anything is converted. On success Long
// and Lat are set back to their earlier texts and Zone keeps the last line's; on cancellation
// all three are set back; on failure the three keep the texts last put into them. Failures
// throw VantrelError with the message the user sees: "Cannot open file %s", "List index out of
// bounds (%d)", "'%s' is not a valid date", "'%s' is not a valid time", "Cannot create file %s",
// or the calculation's own. Any engine failure (a failed, crashed or hung run, a chart listing
// that cannot be read, a date outside the ephemeris range) ends the conversion with a message
// that begins with the input file's name and line ("dates.txt, line 3: ...").
BatchResult convertBatch(Calculator& calculator, const Clock& clock, const std::string& inputName,
                         const std::string& outputName, BatchObserver& observer,
                         const std::filesystem::path& namesFolder = {});

}  // namespace vantrel::core
