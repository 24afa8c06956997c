#include "ui/tip_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/glyphs.h"
#include "ui/window_placement.h"

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

TipDialog::TipDialog(core::DailyTips tips, bool& showOnStartup, QWidget* parent)
    // No minimise or maximise; X11 window managers show every button when a window offers
    // none, so the close button stays (it does what "Close" does).
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_tips(std::move(tips)), m_showOnStartup(showOnStartup)
{
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(kClientWidth, kClientHeight);

    m_tipLabel = new QLabel(this);
    m_tipLabel->setObjectName(QStringLiteral("TipLabel"));
    auto* showTips = new QCheckBox(QStringLiteral("&Show Tips on Startup"), this);
    showTips->setObjectName(QStringLiteral("ShowTips"));
    showTips->setChecked(m_showOnStartup);
    connect(showTips, &QCheckBox::toggled, this, [this](bool on) { m_showOnStartup = on; });
    m_nextButton = new QPushButton(QStringLiteral("&Next Tip"), this);
    m_nextButton->setObjectName(QStringLiteral("NextButton"));
    m_nextButton->setDefault(true);
    connect(m_nextButton, &QPushButton::clicked, this, &TipDialog::showNextTip);
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_nextButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tipPanel(m_tipLabel, this), 1);
    layout->addWidget(showTips);
    layout->addLayout(buttons);
    showCurrent();
    m_nextButton->setFocus();
}

void TipDialog::setCurrentTip(int index)
{
    m_tips.setCurrentTip(index);
    showCurrent();
}

void TipDialog::advance()
{
    m_tips.advance();
    showCurrent();
}

void TipDialog::showCurrent()
{
    m_tipLabel->setText(QString::fromStdString(m_tips.currentText()));
}

void TipDialog::showNextTip()
{
    setCurrentTip(currentTip() + 1);
    emit nextTipRequested();
}

void TipDialog::showEvent(QShowEvent* event)
{
    centreInWorkArea(*this, parentWidget());
    QDialog::showEvent(event);
    m_nextButton->setFocus();
}

}  // namespace vantrel::ui
