#include "ui/data_window.h"

#include <QAction>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>

#include "core/chart_engine/output_listing.h"
#include "core/common/text_file.h"
#include "core/settings/settings.h"
#include "ui/resources.h"
#include "ui/wheel_window.h"
#include "ui/window_placement.h"

namespace vantrel::ui {
namespace {

// The height the data window keeps, at least, to fit under the main window: some 15 lines.
constexpr int kSmallestDataHeight = 240;

QString joinLines(const std::vector<std::string>& lines)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        list.append(QString::fromStdString(line));
    return list.join('\n');
}

}  // namespace

DataWindow::DataWindow(core::Messages& messages, QWidget* parent)
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

    connect(addFileMenu(*this, "&Save", "Save1"), &QAction::triggered, this, &DataWindow::save);

    resize(590, 414);
}

std::vector<std::string> DataWindow::lines() const
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

void DataWindow::setLines(const std::vector<std::string>& lines)
{
    m_text->setPlainText(joinLines(lines));
}

void DataWindow::appendLines(const std::vector<std::string>& lines)
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

void DataWindow::clear()
{
    m_text->clear();
}

void DataWindow::save()
{
    saveThroughChooser(*this, m_chooser, [this](const QString& path) { saveLines(path); });
}

bool DataWindow::saveLines(const QString& path)
{
    return reportUnwritten(m_messages, path,
                           core::writeLinesAtomically(path.toStdString(), lines()));
}

void showEngineOutput(DataWindow& data, WheelWindow& wheel, const QWidget& mainWindow,
                      const core::Settings& settings, const std::filesystem::path& workDir)
{
    // The listings are read before anything changes, so a listing that cannot be read leaves
    // the window as it was.
    const std::vector<std::string> listing = core::outputListingLines(workDir);
    if (settings.clearDataWindow)
        data.clear();
    data.appendLines(listing);

    const std::filesystem::path chart = workDir / "chart.wmf";
    std::error_code ignored;
    if (std::filesystem::exists(chart, ignored)) {
        wheel.loadPicture(QString::fromStdString(chart.string()));
        if (!wheel.isVisible())
            wheel.show();
    }

    // Under the main window, giving up height where the panel would cover its bottom.
    const QRect main = mainWindow.frameGeometry();
    placeInWorkArea(data, QPoint(main.left(), main.bottom() + 3), &mainWindow,
                    QSize(data.width(), kSmallestDataHeight));
    if (!data.isVisible())
        data.show();
}

}  // namespace vantrel::ui
