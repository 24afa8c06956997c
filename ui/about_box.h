#pragma once
// The About box: program name, version and when the executable was last changed. Its parts
// are found by their objectNames ("Version", "OKButton").

#include <QDialog>
#include <QString>

#include "core/common/regional_settings.h"

class QLabel;

namespace vantrel::ui {

inline constexpr const char* kVersionText = "2.9";
inline constexpr const char* kLineBreak = "\r\n";

class AboutBox : public QDialog {
    Q_OBJECT

public:
    // executablePath: the file whose modification time is shown as "Compiled:".
    AboutBox(const core::RegionalSettings& regional, QString executablePath,
             QWidget* parent = nullptr);

    // "Version 2.9", a line break, "Compiled: " and the executable's modification date and
    // time (regional short date, a blank, regional long time).
    QString versionText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showVersion();

    const core::RegionalSettings& m_regional;
    QString m_executablePath;
    QLabel* m_version = nullptr;  // Version
};

}  // namespace vantrel::ui
