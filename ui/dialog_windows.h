#pragma once
// The options dialog, the Astrolog data window and the wheel-chart window, created once for
// the main window and connected to its commands.

#include <memory>

#include <QObject>

#include "core/settings/settings_file.h"

namespace vantrel::ui {

class DataWindow;
class OptionsDialog;
class WheelWindow;
class MainWindow;
struct MainWindowHooks;

class DialogWindows : public QObject {
    Q_OBJECT

public:
    // Creates the three windows hidden; the options dialog loads the settings file at once
    // (before the main window is first shown) and its "&Try" runs the main window's
    // calculation. main must outlive this object.
    DialogWindows(MainWindow& main, core::SettingsFile settingsFile, QObject* parent = nullptr);
    ~DialogWindows() override;

    // Connects "Program options" and "Astrolog data window" to these windows.
    void connectTo(MainWindowHooks& hooks);

    DataWindow& dataWindow() { return *m_data; }
    WheelWindow& wheelWindow() { return *m_wheel; }
    OptionsDialog& optionsDialog() { return *m_options; }

    void showDataWindow();
    // Shows the options dialog, or brings it forward, without re-reading the file.
    void showOptions();

private:
    MainWindow& m_main;
    std::unique_ptr<DataWindow> m_data;
    std::unique_ptr<WheelWindow> m_wheel;
    std::unique_ptr<OptionsDialog> m_options;
};

}  // namespace vantrel::ui
