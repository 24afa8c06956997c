#pragma once
// The feasts of the year, read from "feasts.txt": one feast a line, on a civil date or on the
// day the Sun enters a sign, followed by its name.
//
//   03-20 Feast of the Supreme Ritual
//   Sun enters Aries: Equinox of the Gods
//
// A date is month and day, "MM-DD" or "M-D"; the sign's name is English, in any case. A colon
// after the date or the sign is optional; the name is the rest of the line. "#" begins a
// comment, to the end of the line; blank lines count for nothing. A line that cannot be read is
// reported and left out; the other lines count all the same.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::core {

inline constexpr const char* kFeastsFileName = "feasts.txt";

struct Feast {
    enum class Day { CivilDate, SunEntersSign };
    Day day = Day::CivilDate;
    // CivilDate: 1..12 and 1..31; 29 February is kept in leap years only.
    int month = 1;
    int dayOfMonth = 1;
    // SunEntersSign: 0 Aries .. 11 Pisces.
    int sign = 0;
    std::string name;

    bool operator==(const Feast&) const = default;
};

struct FeastList {
    std::vector<Feast> feasts;
    // One message per line left out: "feasts.txt, line 4: ...".
    std::vector<std::string> problems;
};

// The feast on one line, or what is wrong with it; nullopt (and no problem) for a blank or
// comment line.
struct FeastLine {
    std::optional<Feast> feast;
    std::string problem;
};
FeastLine readFeastLine(std::string_view line);

// The feasts of a file's lines; `fileName` names the file in the problems.
FeastList readFeasts(const std::vector<std::string>& lines, std::string_view fileName);

// The feasts of a file: none (and no problem) when there is no such file; the one problem
// "Cannot open file <path>" when it exists but cannot be read.
FeastList readFeastsFile(const std::filesystem::path& path);

// The user's own feasts file, feasts.txt in `workDir`, made on first use as a copy of the one
// in `dataDir` (or, where there is none, as a file with a line saying how to write a feast); a
// file that is there is never replaced. Throws VantrelError("Cannot create file <path>") when
// it cannot be made, and "Cannot open file <path>" when the installed one cannot be read.
std::filesystem::path userFeastsFile(const std::filesystem::path& workDir,
                                     const std::filesystem::path& dataDir);

}  // namespace vantrel::core
