#include "core/settings/settings_file.h"

#include <fstream>
#include <random>

#include "core/common/error.h"
#include "core/common/text_file.h"

namespace vantrel::core {

namespace {

const std::string kSection(SectionName);

// A choice shown as a group of option buttons: past the last item selects the last one,
// anything below 0 selects none.
int groupIndex(int value, int itemCount)
{
    if (value < -1)
        return -1;
    return value >= itemCount ? itemCount - 1 : value;
}

// A choice shown as a drop-down list: anything that is not an item selects none.
int listIndex(int value, int itemCount)
{
    return value >= 0 && value < itemCount ? value : -1;
}

struct BoolKey {
    const char* key;
    bool Settings::*field;
};

constexpr BoolKey kAlarmKeys[] = {
    {"Sun", &Settings::cbSun},
    {"Moon", &Settings::cbMoon},
    {"Mercury", &Settings::cbMercury},
    {"Venus", &Settings::cbVenus},
    {"Mars", &Settings::cbMars},
    {"Jupiter", &Settings::cbJupiter},
    {"Neptune", &Settings::cbNeptune},
    {"Uranus", &Settings::cbUranus},
    {"Saturn", &Settings::cbSaturn},
    {"Pluto", &Settings::cbPluto},
    {"Hour Sun", &Settings::cbHSun},
    {"Hour Moon", &Settings::cbHMoon},
    {"Hour Mercury", &Settings::cbHMercury},
    {"Hour Venus", &Settings::cbHVenus},
    {"Hour Mars", &Settings::cbHMars},
    {"Hour Jupiter", &Settings::cbHJupiter},
    {"Hour Saturn", &Settings::cbHSaturn},
};

// Creating and removing a file is the only sure test: permission bits say nothing about
// read-only mounts, access lists or the superuser.
bool folderIsWritable(const std::filesystem::path& folder)
{
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return false;
    std::random_device entropy;
    const auto probe = folder / (".vantrel-probe-" + std::to_string(entropy()));
    bool created = false;
    {
        std::ofstream out(probe, std::ios::binary);
        created = static_cast<bool>(out);
    }
    std::filesystem::remove(probe, error);
    return created;
}

}  // namespace

std::filesystem::path settingsFilePath(const std::filesystem::path& executableDir,
                                       const std::optional<std::string>& xdgConfigHome,
                                       const std::optional<std::string>& home)
{
    if (folderIsWritable(executableDir))
        return executableDir / kSettingsFileName;
    std::filesystem::path config;
    if (xdgConfigHome && !xdgConfigHome->empty())
        config = *xdgConfigHome;
    else
        config = std::filesystem::path(home.value_or("")) / ".config";
    return config / "vantrel" / kSettingsFileName;
}

Settings SettingsFile::load() const
{
    const IniFile ini = read();
    const Settings first;
    Settings s;
    auto choice = [&](const char* key, int firstRun, int itemCount) {
        return groupIndex(ini.readInteger(kSection, key, firstRun), itemCount);
    };
    s.ODateFormat = choice("DateFormat", first.ODateFormat, 3);
    s.OTimeFormat = choice("TimeFormat", first.OTimeFormat, 3);
    s.OLines = choice("Lines", first.OLines, 3);
    s.DayBegins = listIndex(ini.readInteger(kSection, "Day Begins", first.DayBegins), 3);
    s.OFormat = choice("Format", first.OFormat, 5);
    s.OTime = choice("Time", first.OTime, 3);
    s.OAspect = choice("Aspect", first.OAspect, 2);
    s.OZodiac = choice("Zodiac", first.OZodiac, 2);
    s.OHouseSystem = choice("House System", first.OHouseSystem, 14);
    s.OBasic = choice("Basic", first.OBasic, 3);

    s.OClear = ini.readBool(kSection, "Clear", first.OClear);
    s.UpdateCaption = ini.readBool(kSection, "Update Caption", first.UpdateCaption);
    s.ReplaceClip = ini.readBool(kSection, "Replace Clip", first.ReplaceClip);
    s.Greetings = ini.readBool(kSection, "Greetings", first.Greetings);
    s.Quoted = ini.readBool(kSection, "Quoted", first.Quoted);
    s.OWheelChart = ini.readBool(kSection, "Wheel Chart", first.OWheelChart);
    s.WheelReverse = ini.readBool(kSection, "Wheel Reverse", first.WheelReverse);
    s.Monochrome = ini.readBool(kSection, "Monochrome", first.Monochrome);
    s.OAspects = ini.readBool(kSection, "Aspect Charts", first.OAspects);
    s.OHints = ini.readBool(kSection, "Hints", first.OHints);

    s.Long = ini.readString(kSection, "Longitude").value_or(first.Long);
    s.Lat = ini.readString(kSection, "Latitude").value_or(first.Lat);
    s.Zone = ini.readString(kSection, "Time Zone").value_or(first.Zone);

    for (const auto& [key, field] : kAlarmKeys)
        s.*field = ini.readBool(kSection, key, first.*field);

    s.Astrolog = ini.readString(kSection, "Astrolog").value_or(first.Astrolog);
    return s;
}

void SettingsFile::saveOptions(const Settings& s) const
{
    IniFile ini = readForWrite();
    ini.writeInteger(kSection, "DateFormat", s.ODateFormat);
    ini.writeInteger(kSection, "TimeFormat", s.OTimeFormat);
    ini.writeInteger(kSection, "Lines", s.OLines);
    ini.writeInteger(kSection, "Format", s.OFormat);
    ini.writeInteger(kSection, "Time", s.OTime);
    ini.writeInteger(kSection, "Day Begins", s.DayBegins);
    ini.writeInteger(kSection, "Aspect", s.OAspect);
    ini.writeInteger(kSection, "Zodiac", s.OZodiac);
    ini.writeInteger(kSection, "House System", s.OHouseSystem);
    ini.writeInteger(kSection, "Basic", s.OBasic);
    ini.writeBool(kSection, "Clear", s.OClear);
    ini.writeBool(kSection, "Wheel Chart", s.OWheelChart);
    ini.writeBool(kSection, "Wheel Reverse", s.WheelReverse);
    ini.writeBool(kSection, "Monochrome", s.Monochrome);
    ini.writeBool(kSection, "Aspect Charts", s.OAspects);
    ini.writeBool(kSection, "Hints", s.OHints);
    ini.writeBool(kSection, "Update Caption", s.UpdateCaption);
    ini.writeBool(kSection, "Replace Clip", s.ReplaceClip);
    ini.writeBool(kSection, "Greetings", s.Greetings);
    ini.writeBool(kSection, "Quoted", s.Quoted);
    for (const auto& [key, field] : kAlarmKeys)
        ini.writeBool(kSection, key, s.*field);
    write(ini);
}

void SettingsFile::saveLocation(const Settings& s) const
{
    IniFile ini = readForWrite();
    ini.writeString(kSection, "Longitude", s.Long);
    ini.writeString(kSection, "Latitude", s.Lat);
    ini.writeString(kSection, "Time Zone", s.Zone);
    write(ini);
}

MainWindowLayout SettingsFile::readLayout() const
{
    const IniFile ini = read();
    const MainWindowLayout first;
    MainWindowLayout layout;
    layout.toolBar = ini.readBool(kSection, "Tool Bar", first.toolBar);
    layout.statusBar = ini.readBool(kSection, "Status Bar", first.statusBar);
    layout.monthCalendar = ini.readBool(kSection, "Month Calendar", first.monthCalendar);
    layout.clientHeight = ini.readInteger(kSection, "ClientHeight", first.clientHeight);
    layout.clientWidth = ini.readInteger(kSection, "ClientWidth", first.clientWidth);
    layout.top = ini.readInteger(kSection, "Top", first.top);
    layout.left = ini.readInteger(kSection, "Left", first.left);
    layout.showOnStartup = ini.readBool(kSection, "TOTD", first.showOnStartup);
    layout.verseOfDay = ini.readBool(kSection, "VOD", first.verseOfDay);
    return layout;
}

void SettingsFile::writeLayout(const MainWindowLayout& layout) const
{
    IniFile ini = readForWrite();
    ini.writeBool(kSection, "Tool Bar", layout.toolBar);
    ini.writeBool(kSection, "Status Bar", layout.statusBar);
    ini.writeBool(kSection, "Month Calendar", layout.monthCalendar);
    ini.writeBool(kSection, "TOTD", layout.showOnStartup);
    ini.writeBool(kSection, "VOD", layout.verseOfDay);
    ini.writeInteger(kSection, "ClientHeight", layout.clientHeight);
    ini.writeInteger(kSection, "ClientWidth", layout.clientWidth);
    ini.writeInteger(kSection, "Top", layout.top);
    ini.writeInteger(kSection, "Left", layout.left);
    write(ini);
}

IniFile SettingsFile::read() const
{
    auto lines = readLinesFromFile(m_path);
    return lines ? IniFile(std::move(*lines)) : IniFile();
}

IniFile SettingsFile::readForWrite() const
{
    std::error_code error;
    const bool exists = std::filesystem::exists(m_path, error);
    auto lines = readLinesFromFile(m_path);
    if (exists && !lines)
        failWrite();
    return lines ? IniFile(std::move(*lines)) : IniFile();
}

void SettingsFile::write(const IniFile& ini) const
{
    std::error_code error;
    if (m_path.has_parent_path())
        std::filesystem::create_directories(m_path.parent_path(), error);
    if (!writeLinesAtomically(m_path, ini.lines()))
        failWrite();
}

void SettingsFile::failWrite() const
{
    std::error_code error;
    auto full = std::filesystem::absolute(m_path, error);
    if (error)
        full = m_path;
    throw VantrelError(formatMessage("Unable to write to %s", full.string()));
}

}  // namespace vantrel::core
