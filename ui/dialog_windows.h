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

class DialogWindows : public QObject {
    Q_OBJECT

public:
    // Creates the three windows hidden; the options dialog loads the settings file at once
    // (before the main window is first shown). main must outlive this object.
    DialogWindows(TVantrel& main, core::SettingsFile settingsFile, QObject* parent = nullptr);
    ~DialogWindows() override;

    // Hands the main window its "Program options" and "Astrolog data window" commands and
    // connects the options dialog's "&Try" to the calculation.
    void install();

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
