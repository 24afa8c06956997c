#pragma once
#include <functional>

#include <QFrame>
#include <QPointer>

#include "core/ports/tray.h"

class QLabel;
class QSystemTrayIcon;
class QTimer;

namespace vantrel::platform {

// A small note of its own that stands in for a tray balloon where the desktop has no tray:
// title and text, beside the corner of the screen where trays sit, for a given time.
class BalloonPopup : public QFrame {
    Q_OBJECT

public:
    BalloonPopup();
    void showNote(const QString& title, const QString& text, int milliseconds);
    QString title() const;
    QString text() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* m_title;
    QLabel* m_text;
    QTimer* m_timer;
};

// Balloons at the tray icon, for 10 seconds with the information icon. Where there is no
// system tray (or no icon), the pop-up above shows them instead, for the same time.
class QtTray : public core::Tray {
public:
    static constexpr int kBalloonMilliseconds = 10000;

    // available: whether the desktop has a system tray; asked at each balloon.
    QtTray(QSystemTrayIcon* icon, std::function<bool()> available);
    ~QtTray() override;
    void showBalloon(const std::string& title, const std::string& text) override;
    // The pop-up, once one has been needed.
    BalloonPopup* popup() const { return m_popup; }

private:
    QPointer<QSystemTrayIcon> m_icon;
    std::function<bool()> m_available;
    QPointer<BalloonPopup> m_popup;
};

}  // namespace vantrel::platform
