#pragma once
// The options dialog, the Astrolog data window and the wheel-chart window, created once for
// the main window and connected to its commands.

#include <memory>

#include <QObject>

#include "core/settings/settings_file.h"

namespace vantrel::ui {

class TAData;
class TfOptions;
class TfWheel;
class TVantrel;
struct TVantrelHooks;

class DialogWindows : public QObject {
    Q_OBJECT

public:
    // Creates the three windows hidden; the options dialog loads the settings file at once
    // (before the main window is first shown) and its "&Try" runs the main window's
    // calculation. main must outlive this object.
    DialogWindows(TVantrel& main, core::SettingsFile settingsFile, QObject* parent = nullptr);
    ~DialogWindows() override;

    // Connects "Program options" and "Astrolog data window" to these windows.
    void connectTo(TVantrelHooks& hooks);

    TAData& dataWindow() { return *m_data; }
    TfWheel& wheelWindow() { return *m_wheel; }
    TfOptions& optionsDialog() { return *m_options; }

    void AstroButtonClick();
    // Shows the options dialog, or brings it forward, without re-reading the file.
    void showOptions();

private:
    TVantrel& m_main;
    std::unique_ptr<TAData> m_data;
    std::unique_ptr<TfWheel> m_wheel;
    std::unique_ptr<TfOptions> m_options;
};

}  // namespace vantrel::ui
