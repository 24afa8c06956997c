#include "ui/about_box.h"

#include <algorithm>
#include <cmath>

#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/date_format.h"
#include "core/common/date_time.h"
#include "platform/libreoffice_link.h"
#include "ui/glyphs.h"
#include "ui/qt_date_time.h"
#include "ui/window_placement.h"

namespace vantrel::ui {

namespace {

core::LocalDateTime dateTimeFromQt(const QDateTime& moment)
{
    return {dateFromQt(moment.date()), timeFromQt(moment.time())};
}

// The font made smaller or larger by the factor, whether its size is set in pixels (the
// program's font; its point size then reads -1) or in points.
QFont scaledFont(QFont font, double factor)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * factor))));
    else
        font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

}  // namespace

AboutBox::AboutBox(const core::RegionalSettings& regional, QString executablePath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_regional(regional), m_executablePath(std::move(executablePath))
{
    setWindowTitle(QStringLiteral("About Vantrel"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName("ProgramIcon");
    icon->setPixmap(glyphPixmap(Glyph::Program, 48));
    icon->setFixedSize(56, 56);
    icon->setAlignment(Qt::AlignCenter);

    auto* name = new QLabel(QStringLiteral("Vantrel"), this);
    name->setObjectName("ProductName");
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(19);
    nameFont.setBold(true);
    name->setFont(nameFont);

    m_version = new QLabel(this);
    m_version->setObjectName("Version");
    m_version->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* comments = new QLabel(
        QStringLiteral("Free software under the GNU Affero General Public License, version 3 "
                       "or later."),
        this);
    comments->setObjectName("Comments");
    comments->setAlignment(Qt::AlignCenter);
    comments->setWordWrap(false);  // one line; the box widens to hold it
    comments->setFont(scaledFont(comments->font(), 0.85));

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName("OKButton");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(m_version);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addWidget(comments);
    layout->addWidget(okButton, 0, Qt::AlignHCenter);
    // A fixed size, fitted to the version text each time the box is shown.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(300);
}

QString AboutBox::versionText() const
{
    QString compiled;
    const QFileInfo executable(m_executablePath);
    if (executable.exists())
        compiled = QString::fromStdString(core::formatDateTime(
            "ddddd tt", dateTimeFromQt(executable.lastModified()), m_regional));
    return QStringLiteral("Version ") + QLatin1String(kVersionText) + QLatin1String(kLineBreak) +
           QStringLiteral("Compiled: ") + compiled;
}

void AboutBox::showVersion()
{
    // The label breaks lines at LF alone; the CR of the line break would show as a box. How the
    // letter reaches the word processor depends on the build, so the box says which.
    m_version->setText(versionText().remove(QLatin1Char('\r')) + QStringLiteral("\nletter: ") +
                       QLatin1String(platform::letterRoute()));
}

void AboutBox::showEvent(QShowEvent* event)
{
    showVersion();
    adjustSize();
    centreInWorkArea(*this, nullptr);
    QDialog::showEvent(event);
}

}  // namespace vantrel::ui
