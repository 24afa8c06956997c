#include "ui/wheel_window.h"

#include <QAction>
#include <QMenuBar>

#include "core/common/text_file.h"
#include "ui/resources.h"
#include "ui/wheel_view.h"

namespace vantrel::ui {

WheelWindow::WheelWindow(core::Messages& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_chooser([](QWidget* dialogParent) {
          return chooseFileToSave(dialogParent, "Save image", "chart.wmf", "Metafiles (*.wmf)");
      })
{
    loadResources();
    setWindowTitle("Chart");
    m_view = new WheelView;
    m_view->setObjectName("Image1");
    setCentralWidget(m_view);

    m_saveAction = addFileMenu(*this, "&Save image", "SaveImage1");
    connect(m_saveAction, &QAction::triggered, this, &WheelWindow::saveImage);
    // Until a chart has been loaded there is nothing to save.
    m_saveAction->setEnabled(false);

    // The picture area starts at 614 by 450; the menu bar comes on top of that.
    resize(614, 450 + menuBar()->sizeHint().height());
}

void WheelWindow::loadPicture(const QString& path)
{
    m_view->setPicture(MetafilePicture::fromFile(path));
    m_saveAction->setEnabled(true);
}

const MetafilePicture& WheelWindow::picture() const
{
    return m_view->picture();
}

void WheelWindow::saveImage()
{
    saveThroughChooser(*this, m_chooser, [this](const QString& path) { savePicture(path); });
}

bool WheelWindow::savePicture(const QString& path)
{
    const QByteArray& bytes = picture().bytes();
    const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return reportUnwritten(m_messages, path,
                           core::writeFileAtomically(path.toStdString(), content));
}

}  // namespace vantrel::ui
