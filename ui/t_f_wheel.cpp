#include "ui/t_f_wheel.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QPainter>
#include <QSaveFile>

#include "core/common/error.h"
#include "core/ports/messages.h"
#include "ui/resources.h"

namespace vantrel::ui {

WheelView::WheelView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WheelView::setPicture(MetafilePicture picture)
{
    m_picture = std::move(picture);
    update();
}

void WheelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    m_picture.paint(painter, QRectF(rect()));
}

namespace {

QString chooseWheelFile(QWidget* parent)
{
    QFileDialog dialog(parent, "Save image", "chart.wmf", "Metafiles (*.wmf)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("wmf");
    dialog.selectFile("chart.wmf");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

}  // namespace

TfWheel::TfWheel(core::Messages& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_chooser(chooseWheelFile)
{
    loadResources();
    setWindowTitle("Chart");
    Image1 = new WheelView;
    setCentralWidget(Image1);

    QMenu* file = menuBar()->addMenu("&File");
    SaveImage1 = file->addAction("&Save image");
    Close1 = file->addAction("&Close");
    connect(SaveImage1, &QAction::triggered, this, &TfWheel::SaveImage1Click);
    connect(Close1, &QAction::triggered, this, &QWidget::close);
    // Until a chart has been loaded there is nothing to save.
    SaveImage1->setEnabled(false);

    // The picture area starts at 614 by 450; the menu bar comes on top of that.
    resize(614, 450 + menuBar()->sizeHint().height());
}

void TfWheel::loadPicture(const QString& path)
{
    Image1->setPicture(MetafilePicture::fromFile(path));
    SaveImage1->setEnabled(true);
}

const MetafilePicture& TfWheel::picture() const
{
    return Image1->picture();
}

void TfWheel::SaveImage1Click()
{
    const QString path = m_chooser(this);
    if (!path.isEmpty())
        savePicture(path);
}

bool TfWheel::savePicture(const QString& path)
{
    QSaveFile file(path);
    const QByteArray& bytes = picture().bytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_messages.showError(core::formatMessage("Cannot create file %s", path.toStdString()));
        return false;
    }
    return true;
}

}  // namespace vantrel::ui
