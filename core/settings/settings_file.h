#pragma once
// The settings file "Vantrel.ini": one section, "vantrel", holding the options and the main
// window's layout. Every operation reads the whole file afresh and every write replaces it
// whole (written beside, then renamed), so keys this program does not know survive and an
// interrupted write never leaves half a file.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/settings/ini_file.h"
#include "core/settings/settings.h"
#include "core/settings/settings_keys.h"

namespace vantrel::core {

inline constexpr std::string_view kSectionName = "vantrel";
inline constexpr std::string_view kSettingsFileName = "Vantrel.ini";

// What the options' saving wrote.
enum class OptionsSaved {
    All,
    // All but "Time": "Place's Time Zone" was chosen for a place that is not saved.
    AllButPlaceZone,
};

class SettingsFile {
public:
    explicit SettingsFile(std::filesystem::path path) : m_path(std::move(path)) {}
    const std::filesystem::path& path() const { return m_path; }

    // The options dialog's start-up reading: every key of settingKeys(), a choice taken by the
    // rule of its control (ChoiceSetting::clamped). A missing file or key, or a value that is
    // not a number where one is expected, gives the first-run value. A file larger than
    // kMaxTextFileBytes is not read: VantrelError says so.
    Settings load() const;
    // The options dialog's closing: the keys saved with the options (all but the place and the
    // engine command), in table order. A "Time" of "Place's Time Zone" belongs to the place
    // whose zone it reads, so it is written only while the file holds that same place
    // (Longitude, Latitude, Time Zone, Zone Name); otherwise the file keeps its "Time" and the
    // result says so. Throws VantrelError("Unable to write to <full path>") and leaves the
    // file as it was when it cannot be written: when it is write-protected, or when it exists
    // but cannot be read whole (the keys it holds would be lost).
    OptionsSaved saveOptions(const Settings& settings) const;
    // "Save lat/long": Longitude, Latitude, Time Zone and Zone Name, as typed, and "Time" with
    // them when either the record's or the file's says "Place's Time Zone", so that the saved
    // choice always belongs to the saved place. Fails like saveOptions.
    void saveLocation(const Settings& settings) const;

    // The main window's nine layout keys; the first-run values when the file cannot be read
    // (load() reports why).
    MainWindowLayout readLayout() const;
    void writeLayout(const MainWindowLayout& layout) const;

private:
    IniFile read() const;
    // Reads the file for a change; refuses to go on when a file that exists cannot be read,
    // since writing then would lose the keys it holds.
    IniFile readForWrite() const;
    void write(const IniFile& ini) const;
    std::filesystem::path fullPath() const;
    [[noreturn]] void failWrite() const;

    std::filesystem::path m_path;
};

}  // namespace vantrel::core
