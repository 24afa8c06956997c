#include "core/settings/settings_file.h"

#include <variant>

#include "core/common/error.h"
#include "core/common/text_file.h"

namespace vantrel::core {

namespace {

const std::string kSection(kSectionName);

// The main window's layout keys, in the order writeLayout writes them.
struct LayoutKey {
    const char* key;
    std::variant<bool MainWindowLayout::*, int MainWindowLayout::*> field;
};

constexpr LayoutKey kLayoutKeys[] = {
    {"Tool Bar", &MainWindowLayout::toolBar},
    {"Status Bar", &MainWindowLayout::statusBar},
    {"Month Calendar", &MainWindowLayout::monthCalendar},
    {"TOTD", &MainWindowLayout::showOnStartup},
    {"VOD", &MainWindowLayout::verseOfDay},
    {"ClientHeight", &MainWindowLayout::clientHeight},
    {"ClientWidth", &MainWindowLayout::clientWidth},
    {"Top", &MainWindowLayout::top},
    {"Left", &MainWindowLayout::left},
};

// The file's lines as they stand, so that a rewrite keeps the bytes of every line it does not
// change; a byte-order mark some editors write is not part of the first line.
IniFile iniFromBytes(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return IniFile(splitLines(bytes));
}

void readKey(const IniFile& ini, const SettingKey& key, Settings& settings)
{
    std::visit(Overloaded{
                   [&](const ChoiceSetting& choice) {
                       const int stored = ini.readInteger(kSection, key.key, choice.firstRun);
                       choice.field.choose(settings, choice.clamped(stored));
                   },
                   [&](const FlagSetting& flag) {
                       settings.*flag.field = ini.readBool(kSection, key.key, flag.firstRun);
                   },
                   [&](const TextSetting& text) {
                       settings.*text.field =
                           ini.readString(kSection, key.key).value_or(std::string(text.firstRun));
                   },
               },
               key.value);
}

void writeKey(IniFile& ini, const SettingKey& key, const Settings& settings)
{
    std::visit(Overloaded{
                   [&](const ChoiceSetting& choice) {
                       ini.writeInteger(kSection, key.key, choice.field.index(settings));
                   },
                   [&](const FlagSetting& flag) {
                       ini.writeBool(kSection, key.key, settings.*flag.field);
                   },
                   [&](const TextSetting& text) {
                       ini.writeString(kSection, key.key, settings.*text.field);
                   },
               },
               key.value);
}

Settings settingsFrom(const IniFile& ini)
{
    Settings settings;
    for (const SettingKey& key : settingKeys())
        readKey(ini, key, settings);
    return settings;
}

bool samePlace(const Settings& one, const Settings& other)
{
    return one.longitude == other.longitude && one.latitude == other.latitude &&
           one.zone == other.zone && one.zoneName == other.zoneName;
}

bool isTimeKey(const SettingKey& key)
{
    return key.key == "Time";
}

}  // namespace

Settings SettingsFile::load() const
{
    return settingsFrom(read());
}

OptionsSaved SettingsFile::saveOptions(const Settings& settings) const
{
    IniFile ini = readForWrite();
    const bool placeUnsaved =
        settings.timeMode == TimeMode::PlaceZone && !samePlace(settings, settingsFrom(ini));
    for (const SettingKey& key : settingKeys()) {
        if (key.savedBy == SavedBy::Options && !(placeUnsaved && isTimeKey(key)))
            writeKey(ini, key, settings);
    }
    write(ini);
    return placeUnsaved ? OptionsSaved::AllButPlaceZone : OptionsSaved::All;
}

void SettingsFile::saveLocation(const Settings& settings) const
{
    IniFile ini = readForWrite();
    const bool withTime = settings.timeMode == TimeMode::PlaceZone ||
                          settingsFrom(ini).timeMode == TimeMode::PlaceZone;
    for (const SettingKey& key : settingKeys()) {
        if (key.savedBy == SavedBy::Location || (withTime && isTimeKey(key)))
            writeKey(ini, key, settings);
    }
    write(ini);
}

MainWindowLayout SettingsFile::readLayout() const
{
    MainWindowLayout layout;
    IniFile ini;
    try {
        ini = read();
    } catch (const VantrelError&) {
        return layout;  // load() reports the file that cannot be read
    }
    for (const LayoutKey& layoutKey : kLayoutKeys) {
        const char* key = layoutKey.key;
        std::visit(Overloaded{
                       [&](bool MainWindowLayout::*flag) {
                           layout.*flag = ini.readBool(kSection, key, layout.*flag);
                       },
                       [&](int MainWindowLayout::*number) {
                           layout.*number = ini.readInteger(kSection, key, layout.*number);
                       },
                   },
                   layoutKey.field);
    }
    return layout;
}

void SettingsFile::writeLayout(const MainWindowLayout& layout) const
{
    IniFile ini = readForWrite();
    for (const LayoutKey& layoutKey : kLayoutKeys) {
        const char* key = layoutKey.key;
        std::visit(
            Overloaded{
                [&](bool MainWindowLayout::*flag) { ini.writeBool(kSection, key, layout.*flag); },
                [&](int MainWindowLayout::*number) {
                    ini.writeInteger(kSection, key, layout.*number);
                },
            },
            layoutKey.field);
    }
    write(ini);
}

IniFile SettingsFile::read() const
{
    FileBytes file = readFileBytes(m_path);
    if (file.status == TextFileStatus::TooLarge)
        throw VantrelError(
            "The settings file " + fullPath().string() + " was not read: it is larger than " +
            std::to_string(kMaxTextFileBytes >> 20) + " MiB, far more than any settings take");
    return iniFromBytes(file.bytes);
}

IniFile SettingsFile::readForWrite() const
{
    FileBytes file = readFileBytes(m_path);
    if (file.status == TextFileStatus::TooLarge || file.status == TextFileStatus::Unreadable)
        failWrite();
    return iniFromBytes(file.bytes);
}

void SettingsFile::write(const IniFile& ini) const
{
    std::error_code error;
    if (m_path.has_parent_path())
        std::filesystem::create_directories(m_path.parent_path(), error);
    if (!writeLinesAtomically(m_path, ini.lines()))
        failWrite();
}

std::filesystem::path SettingsFile::fullPath() const
{
    std::error_code error;
    auto full = std::filesystem::absolute(m_path, error);
    return error ? m_path : full;
}

void SettingsFile::failWrite() const
{
    throw VantrelError(formatMessage("Unable to write to %s", fullPath().string()));
}

}  // namespace vantrel::core
