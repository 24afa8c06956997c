#include "platform/qt_tray.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel::platform {

BalloonPopup::BalloonPopup()
    : QFrame(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_title(new QLabel(this)), m_text(new QLabel(this)), m_timer(new QTimer(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_text->setWordWrap(true);
    m_text->setMaximumWidth(360);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addWidget(m_title);
    layout->addWidget(m_text);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &QWidget::hide);
}

void BalloonPopup::showNote(const QString& title, const QString& text, int milliseconds)
{
    m_title->setText(title);
    m_title->setVisible(!title.isEmpty());
    m_text->setText(text);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() - 8, area.bottom() - height() - 8);
    }
    show();
    raise();
    m_timer->start(milliseconds);
}

QString BalloonPopup::title() const
{
    return m_title->text();
}

QString BalloonPopup::text() const
{
    return m_text->text();
}

void BalloonPopup::mousePressEvent(QMouseEvent*)
{
    hide();
}

QtTray::QtTray(QSystemTrayIcon* icon, std::function<bool()> available)
    : m_icon(icon), m_available(std::move(available))
{
}

QtTray::~QtTray()
{
    delete m_popup;
}

void QtTray::showBalloon(const std::string& title, const std::string& text)
{
    const QString qTitle = QString::fromStdString(title);
    const QString qText = QString::fromStdString(text);
    // Qt's own answer to "can this tray show messages" is yes even without a tray, so the
    // presence of the tray itself decides.
    if (m_icon && m_icon->isVisible() && m_available && m_available()) {
        m_icon->showMessage(qTitle, qText, QSystemTrayIcon::Information, kBalloonMilliseconds);
        return;
    }
    if (!m_popup)
        m_popup = new BalloonPopup;
    m_popup->showNote(qTitle, qText, kBalloonMilliseconds);
}

}  // namespace vantrel::platform
