#include "ui/output_windows.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>

#include "core/astrolog/output_listing.h"
#include "core/common/error.h"
#include "core/common/text_file.h"
#include "core/ports/messages.h"
#include "core/settings/settings.h"
#include "ui/resources.h"

namespace vantrel::ui {
namespace {

// Asks for the file to save into, proposing `fileName` (whose extension is added to a name typed
// without one) in the current folder; an empty text when the user cancels.
QString chooseFileToSave(QWidget* parent, const QString& caption, const QString& fileName,
                         const QString& filter)
{
    QFileDialog dialog(parent, caption, fileName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(fileName).suffix());
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString joinLines(const std::vector<std::string>& lines)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        list.append(QString::fromStdString(line));
    return list.join('\n');
}

}  // namespace

TAData::TAData(core::Messages& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_chooser([](QWidget* dialogParent) {
          return chooseFileToSave(dialogParent, "Save", "data.txt", "Text Files(*.txt)");
      })
{
    loadResources();
    setWindowTitle("Astrolog Output");

    m_text = new QPlainTextEdit;
    m_text->setObjectName("Memo1");
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setFrameShape(QFrame::NoFrame);
    setCentralWidget(m_text);
    statusBar();

    QMenu* file = menuBar()->addMenu("&File");
    QAction* saveAction = file->addAction("&Save");
    saveAction->setObjectName("Save1");
    QAction* closeAction = file->addAction("&Close");
    closeAction->setObjectName("Close1");
    connect(saveAction, &QAction::triggered, this, &TAData::Save1Click);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    resize(590, 414);
}

std::vector<std::string> TAData::lines() const
{
    std::vector<std::string> result;
    const QTextDocument* document = m_text->document();
    if (document->isEmpty())
        return result;
    result.reserve(static_cast<std::size_t>(document->blockCount()));
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        result.push_back(block.text().toStdString());
    return result;
}

void TAData::setLines(const std::vector<std::string>& lines)
{
    m_text->setPlainText(joinLines(lines));
}

void TAData::appendLines(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    if (m_text->document()->isEmpty()) {
        setLines(lines);
        return;
    }
    // appendPlainText starts a new line, so the old text keeps its last line intact.
    m_text->appendPlainText(joinLines(lines));
}

void TAData::clear()
{
    m_text->clear();
}

void TAData::Save1Click()
{
    const QString path = m_chooser(this);
    if (!path.isEmpty())
        saveLines(path);
}

bool TAData::saveLines(const QString& path)
{
    if (core::writeLinesAtomically(path.toStdString(), lines()))
        return true;
    m_messages.showError(core::formatMessage("Cannot create file %s", path.toStdString()));
    return false;
}

WheelView::WheelView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_drawer.setMaxThreadCount(1);
}

WheelView::~WheelView()
{
    // A drawing under way still holds the picture and posts its result to this view.
    ++m_ticket;
    m_drawer.waitForDone();
}

void WheelView::setPicture(MetafilePicture picture)
{
    m_picture = std::move(picture);
    m_image = QImage();
    m_requested = QSize();
    update();
}

void WheelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QSize pixels = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (!m_picture.isNull() && pixels != m_requested && !pixels.isEmpty())
        startDrawing(pixels);
    if (!m_image.isNull())
        painter.drawImage(QRectF(rect()), m_image);
}

void WheelView::startDrawing(QSize pixels)
{
    m_requested = pixels;
    const int ticket = ++m_ticket;
    const QColor background = palette().window().color();
    m_drawer.start([this, ticket, pixels, background, picture = m_picture] {
        if (ticket != m_ticket)
            return;  // asked for again since, at another size or of another picture
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(background);
        {
            QPainter painter(&image);
            // A round chart stays round, however the window is shaped.
            picture.paint(painter, picture.fittedInto(QRectF(image.rect())));
        }
        QMetaObject::invokeMethod(
            this,
            [this, ticket, image] {
                if (ticket != m_ticket)
                    return;
                m_image = image;
                update();
                emit pictureDrawn();
            },
            Qt::QueuedConnection);
    });
}

TfWheel::TfWheel(core::Messages& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_chooser([](QWidget* dialogParent) {
          return chooseFileToSave(dialogParent, "Save image", "chart.wmf", "Metafiles (*.wmf)");
      })
{
    loadResources();
    setWindowTitle("Chart");
    m_view = new WheelView;
    m_view->setObjectName("Image1");
    setCentralWidget(m_view);

    QMenu* file = menuBar()->addMenu("&File");
    m_saveAction = file->addAction("&Save image");
    m_saveAction->setObjectName("SaveImage1");
    QAction* closeAction = file->addAction("&Close");
    closeAction->setObjectName("Close1");
    connect(m_saveAction, &QAction::triggered, this, &TfWheel::SaveImage1Click);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    // Until a chart has been loaded there is nothing to save.
    m_saveAction->setEnabled(false);

    // The picture area starts at 614 by 450; the menu bar comes on top of that.
    resize(614, 450 + menuBar()->sizeHint().height());
}

void TfWheel::loadPicture(const QString& path)
{
    m_view->setPicture(MetafilePicture::fromFile(path));
    m_saveAction->setEnabled(true);
}

const MetafilePicture& TfWheel::picture() const
{
    return m_view->picture();
}

void TfWheel::SaveImage1Click()
{
    const QString path = m_chooser(this);
    if (!path.isEmpty())
        savePicture(path);
}

bool TfWheel::savePicture(const QString& path)
{
    const QByteArray& bytes = picture().bytes();
    if (core::writeFileAtomically(
            path.toStdString(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return true;
    m_messages.showError(core::formatMessage("Cannot create file %s", path.toStdString()));
    return false;
}

void AstroButtonClick(TAData& data, TfWheel& wheel, const QWidget& mainWindow,
                      const core::Settings& settings, const std::filesystem::path& workDir)
{
    // The listings are read before anything changes, so a listing that cannot be read leaves
    // the window as it was.
    const std::vector<std::string> listing = core::outputListingLines(workDir);
    if (settings.OClear)
        data.clear();
    data.appendLines(listing);

    const std::filesystem::path chart = workDir / "chart.wmf";
    std::error_code ignored;
    if (std::filesystem::exists(chart, ignored)) {
        wheel.loadPicture(QString::fromStdString(chart.string()));
        if (!wheel.isVisible())
            wheel.show();
    }

    const QRect main = mainWindow.frameGeometry();
    data.move(main.left(), main.top() + main.height() + 2);
    if (!data.isVisible())
        data.show();
}

}  // namespace vantrel::ui
