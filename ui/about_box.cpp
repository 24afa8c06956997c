#include "ui/about_box.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/common/date_format.h"
#include "core/common/date_time.h"
#include "ui/glyphs.h"

namespace vantrel::ui {

namespace {

core::DateTime dateTimeFromQt(const QDateTime& moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    return core::dateTimeFromDate(date.year(), date.month(), date.day()) +
           core::dateTimeFromTime({time.hour(), time.minute(), time.second(), time.msec()});
}

}  // namespace

TAboutBox::TAboutBox(const core::RegionalSettings& regional, QString executablePath,
                     QWidget* parent)
    : QDialog(parent), m_regional(regional), m_executablePath(std::move(executablePath))
{
    setWindowTitle(QStringLiteral("About Vantrel"));
    setModal(true);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setPixmap(glyphPixmap(Glyph::Program, 48));
    ProgramIcon->setFixedSize(56, 56);
    ProgramIcon->setAlignment(Qt::AlignCenter);

    ProductName = new QLabel(QStringLiteral("Vantrel"), this);
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(19);
    nameFont.setBold(true);
    ProductName->setFont(nameFont);

    Version = new QLabel(this);
    Version->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Comments = new QLabel(
        QStringLiteral("Free software under the GNU Affero General Public License, version 3 "
                       "or later."),
        this);
    Comments->setAlignment(Qt::AlignCenter);
    Comments->setWordWrap(false);  // one line; the box widens to hold it
    QFont small = Comments->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Comments->setFont(small);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(ProductName);
    text->addWidget(Version);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addWidget(Comments);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    setMinimumWidth(300);
}

QString TAboutBox::versionText() const
{
    QString compiled;
    const QFileInfo executable(m_executablePath);
    if (executable.exists())
        compiled = QString::fromStdString(core::formatDateTime(
            "ddddd tt", dateTimeFromQt(executable.lastModified()), m_regional));
    return QStringLiteral("Version ") + QLatin1String(VersionText) + QLatin1String(LineBreak) +
           QStringLiteral("Compiled: ") + compiled;
}

void TAboutBox::FormShow()
{
    // The label breaks lines at LF alone; the CR of the line break would show as a box.
    Version->setText(versionText().remove(QLatin1Char('\r')));
}

void TAboutBox::showEvent(QShowEvent* event)
{
    FormShow();
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

}  // namespace vantrel::ui
