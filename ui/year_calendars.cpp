#include "ui/year_calendars.h"

#include <QFileSystemWatcher>
#include <QString>
#include <QTimer>

#include "core/common/error.h"
#include "core/common/text_file.h"
#include "core/ports/messages.h"
#include "core/settings/file_locations.h"

namespace vantrel::ui {

namespace {

constexpr int kReloadDelayMs = 250;

}  // namespace

YearCalendars::YearCalendars(const core::Settings& settings, const core::RegionalSettings& regional,
                             const core::LiveZone& zone, core::SkyEventSource* sky,
                             std::filesystem::path workDir, std::filesystem::path dataDir,
                             core::Messages& messages, QObject* parent)
    : QObject(parent), m_settings(settings), m_regional(regional), m_zone(zone), m_sky(sky),
      m_workDir(std::move(workDir)), m_dataDir(std::move(dataDir)), m_messages(messages),
      m_basis(basis())
{
    m_watcher = new QFileSystemWatcher(this);
    m_reload = new QTimer(this);
    m_reload->setSingleShot(true);
    m_reload->setInterval(kReloadDelayMs);
    const auto later = [this] { m_reload->start(); };
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, later);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, later);
    connect(m_reload, &QTimer::timeout, this, [this] {
        // The working folder changes with every calculation; only a change of the feasts
        // themselves counts.
        if (feastsSource() != m_source)
            reloadFeasts();
        else
            watchFeastsFiles();
    });
    reloadFeasts();
}

YearCalendars::Basis YearCalendars::basis() const
{
    const core::Settings& s = m_settings;
    return {m_zone.zoneRules, s.timeMode,   s.zone,        s.zoneName,  s.zodiac,
            s.yearFormat,     s.yearPrefix, s.signDisplay, s.dateFormat};
}

YearCalendars::Source YearCalendars::feastsSource() const
{
    const std::filesystem::path path =
        core::DataFiles(m_workDir, m_dataDir).path(core::kFeastsFileName);
    const core::TextFile file = core::readTextFile(path);
    return {path, file.status, file.lines};
}

void YearCalendars::reloadFeasts()
{
    m_source = feastsSource();
    // The working folder is the current one: the messages name the file in full all the same.
    std::error_code ignored;
    const std::string fileName =
        std::filesystem::absolute(m_source.path, ignored).lexically_normal().string();
    core::FeastList list;
    if (m_source.status == core::TextFileStatus::Read)
        list = core::readFeasts(m_source.lines, fileName);
    else if (m_source.status != core::TextFileStatus::Missing)
        list.problems = {core::formatMessage("Cannot open file %s", fileName)};
    if (!list.problems.empty()) {
        std::string text;
        for (const std::string& problem : list.problems)
            text += (text.empty() ? "" : "\n") + problem;
        m_messages.showError(text);
    }
    m_feasts = std::move(list.feasts);
    m_years.clear();
    watchFeastsFiles();
    emit changed();
}

void YearCalendars::watchFeastsFiles()
{
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    QStringList paths;
    // The folder shows a copy of the user's appearing, and an editor that saves by renaming.
    for (const std::filesystem::path& path :
         {m_workDir, m_workDir / core::kFeastsFileName, m_dataDir / core::kFeastsFileName}) {
        std::error_code error;
        if (!path.empty() && std::filesystem::exists(path, error))
            paths << QString::fromStdString(path.string());
    }
    paths.removeIf([this](const QString& path) { return m_watcher->directories().contains(path); });
    if (!paths.isEmpty())
        m_watcher->addPaths(paths);
}

void YearCalendars::followSettings()
{
    if (basis() == m_basis)
        return;
    m_basis = basis();
    m_years.clear();
    QTimer::singleShot(0, this, [this] { emit changed(); });
}

const core::YearCalendar* YearCalendars::calendarFor(int year)
{
    followSettings();
    if (!m_sky) {
        m_problem = "The Moon's phases and the Sun's entries are not available here";
        return nullptr;
    }
    auto found = m_years.find(year);
    if (found == m_years.end()) {
        try {
            found = m_years
                        .emplace(year, core::yearCalendar(year, m_feasts,
                                                          {m_settings, m_regional, m_zone, *m_sky}))
                        .first;
        } catch (const core::VantrelError& error) {
            found = m_years.emplace(year, std::string(error.what())).first;
        }
    }
    if (const auto* calendar = std::get_if<core::YearCalendar>(&found->second)) {
        m_problem.clear();
        return calendar;
    }
    m_problem = std::get<std::string>(found->second);
    return nullptr;
}

std::filesystem::path YearCalendars::userFeastsFile()
{
    const std::filesystem::path path = core::userFeastsFile(m_workDir, m_dataDir);
    watchFeastsFiles();
    // The desktop opens a file by its whole name.
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal();
}

}  // namespace vantrel::ui
