#pragma once
// The calendars of the years the windows show, computed once for the settings in force, with
// the feasts of the feasts file in force, which is read again whenever it changes on disk.

#include <filesystem>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include <QObject>

#include "core/calendar/feasts.h"
#include "core/calendar/year_calendar.h"
#include "core/common/text_file.h"

class QFileSystemWatcher;
class QTimer;

namespace vantrel::core {
class Messages;
class SkyEventSource;
class ZoneRules;
}  // namespace vantrel::core

namespace vantrel::ui {

class YearCalendars : public QObject {
    Q_OBJECT

public:
    // The feasts file is the one in `workDir`, else the one in `dataDir`. Every reference must
    // outlive this object; a null sky gives no calendars.
    YearCalendars(const core::Settings& settings, const core::RegionalSettings& regional,
                  const core::LiveZone& zone, core::SkyEventSource* sky,
                  std::filesystem::path workDir, std::filesystem::path dataDir,
                  core::Messages& messages, QObject* parent = nullptr);

    // The year's calendar, or null with problem() saying why it cannot be computed. Computed at
    // the first question for the year after a change of the settings it depends on or of the
    // feasts; the answer lives until then.
    const core::YearCalendar* calendarFor(int year);
    // Forgets the calendars, and tells changed() soon after, when the settings they depend on
    // (or the zone rules) are no longer those they were computed for. Cheap otherwise.
    void followSettings();
    // What kept the last year asked for from being computed; empty when it was.
    const std::string& problem() const { return m_problem; }

    const std::vector<core::Feast>& feasts() const { return m_feasts; }
    const core::RegionalSettings& regional() const { return m_regional; }

    // "Edit feasts...": the user's copy of the feasts, made from the installed one on first use.
    // Throws core::VantrelError when it cannot be made.
    std::filesystem::path userFeastsFile();

public slots:
    // Reads the feasts file in force, reports the lines it cannot read through the messages,
    // forgets every calendar and tells changed().
    void reloadFeasts();

signals:
    // The calendars are to be asked for again: the feasts or the settings have changed.
    void changed();

private:
    // The settings a calendar depends on, as they stood when the calendars were computed.
    struct Basis {
        const core::ZoneRules* zoneRules;
        core::TimeMode timeMode;
        std::string zone;
        std::string zoneName;
        core::Zodiac zodiac;
        core::YearFormat yearFormat;
        core::YearPrefix yearPrefix;
        core::SignDisplay signDisplay;
        core::DateFormat dateFormat;
        bool operator==(const Basis&) const = default;
    };
    Basis basis() const;
    // The feasts file in force and what it holds.
    struct Source {
        std::filesystem::path path;
        core::TextFileStatus status = core::TextFileStatus::Missing;
        std::vector<std::string> lines;
        bool operator==(const Source&) const = default;
    };
    Source feastsSource() const;
    void watchFeastsFiles();

    const core::Settings& m_settings;
    const core::RegionalSettings& m_regional;
    const core::LiveZone& m_zone;
    core::SkyEventSource* m_sky;
    std::filesystem::path m_workDir;
    std::filesystem::path m_dataDir;
    core::Messages& m_messages;

    Source m_source;
    std::vector<core::Feast> m_feasts;
    Basis m_basis;
    std::map<int, std::variant<core::YearCalendar, std::string>> m_years;
    std::string m_problem;
    QFileSystemWatcher* m_watcher = nullptr;
    // Editors save in several steps; one reading follows the last of them.
    QTimer* m_reload = nullptr;
};

}  // namespace vantrel::ui
