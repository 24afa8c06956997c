#include "ui/tip_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/glyphs.h"

namespace vantrel::ui {

namespace {

constexpr int kClientWidth = 337;
constexpr int kClientHeight = 231;

QFrame* tipPanel(QLabel* tipLabel, QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);

    auto* bulb = new QLabel(panel);
    bulb->setPixmap(glyphPixmap(Glyph::LightBulb, 32));
    auto* heading = new QLabel(QStringLiteral("Did you know..."), panel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    tipLabel->setWordWrap(true);
    tipLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tipLabel->setTextFormat(Qt::PlainText);

    auto* head = new QHBoxLayout;
    head->addWidget(bulb);
    head->addWidget(heading, 1);
    auto* layout = new QVBoxLayout(panel);
    layout->addLayout(head);
    layout->addWidget(tipLabel, 1);
    return panel;
}

}  // namespace

TDailyTip::TDailyTip(core::DailyTips tips, bool& showOnStartup, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_tips(std::move(tips)),
      m_showOnStartup(showOnStartup)
{
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(kClientWidth, kClientHeight);

    TipLabel = new QLabel(this);
    TipLabel->setObjectName(QStringLiteral("TipLabel"));
    ShowTips = new QCheckBox(QStringLiteral("&Show Tips on Startup"), this);
    ShowTips->setChecked(m_showOnStartup);
    connect(ShowTips, &QCheckBox::toggled, this, [this](bool on) { m_showOnStartup = on; });
    NextButton = new QPushButton(QStringLiteral("&Next Tip"), this);
    NextButton->setDefault(true);
    connect(NextButton, &QPushButton::clicked, this, &TDailyTip::NextButtonClick);
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(NextButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tipPanel(TipLabel, this), 1);
    layout->addWidget(ShowTips);
    layout->addLayout(buttons);
    showCurrent();
    NextButton->setFocus();
}

void TDailyTip::setCurrentTip(int index)
{
    m_tips.setCurrentTip(index);
    showCurrent();
}

void TDailyTip::Tips1NextTip()
{
    m_tips.Tips1NextTip();
    showCurrent();
}

void TDailyTip::showCurrent()
{
    TipLabel->setText(QString::fromStdString(m_tips.currentText()));
}

void TDailyTip::NextButtonClick()
{
    setCurrentTip(CurrentTip() + 1);
    emit nextTipRequested();
}

void TDailyTip::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
    NextButton->setFocus();
}

}  // namespace vantrel::ui
