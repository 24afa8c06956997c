#include "ui/hours_window.h"

#include <string>
#include <vector>

#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWindow>

#include "core/common/error.h"
#include "core/common/text_file.h"
#include "core/ports/messages.h"

namespace vantrel::ui {

namespace {

constexpr int kSunMoonHeight = 143;

QPlainTextEdit* makeList(QWidget* parent)
{
    auto* list = new QPlainTextEdit(parent);
    list->setReadOnly(true);
    list->setFrameShape(QFrame::NoFrame);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font("Courier New", 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(8);
    }
    list->setFont(font);
    return list;
}

QString joinLines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& line : lines)
        out << QString::fromStdString(line);
    return out.join('\n');
}

QString defaultSaveChooser(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter("Text Files(*.txt)");
    dialog.setDefaultSuffix("txt");
    dialog.selectFile("hourdata.txt");
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

}  // namespace

TPhours::TPhours(core::Messages& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_chooser(defaultSaveChooser)
{
    setWindowTitle("Planetary Hours");
    resize(350, 465);

    QMenu* file = menuBar()->addMenu("&File");
    QAction* saveAction = file->addAction("&Save");
    saveAction->setObjectName("Save1");
    QAction* closeAction = file->addAction("&Close");
    closeAction->setObjectName("Close1");
    connect(saveAction, &QAction::triggered, this, &TPhours::Save1Click);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    m_panel = new QWidget(this);
    m_panel->setObjectName("Panel1");
    auto* layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Vertical, m_panel);
    m_splitter->setObjectName("Splitter1");
    m_hoursList = makeList(m_splitter);
    m_hoursList->setObjectName("HoursList");
    m_sunMoonList = makeList(m_splitter);
    m_sunMoonList->setObjectName("SunMoonList");
    m_splitter->addWidget(m_hoursList);
    m_splitter->addWidget(m_sunMoonList);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setSizes({465 - kSunMoonHeight, kSunMoonHeight});
    layout->addWidget(m_splitter);
    setCentralWidget(m_panel);

    m_table = new QTableWidget(13, 4, m_panel);
    m_table->setObjectName("SuperGrid1");
    m_table->hide();
    m_panel->installEventFilter(this);

    statusBar()->setSizeGripEnabled(true);
}

bool TPhours::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        Panel1Resize();
    return QMainWindow::eventFilter(watched, event);
}

void TPhours::Panel1Resize()
{
    m_table->horizontalHeader()->setDefaultSectionSize(
        std::max(1, m_panel->contentsRect().width() / m_table->columnCount() - 1));
}

void TPhours::showReport(const core::PlanetaryHoursReport& report, const QString& mainCaption)
{
    m_sunMoonList->setPlainText(joinLines(report.sunMoonList));
    statusBar()->showMessage(QString::fromStdString(report.statusText));
    m_table->clearContents();
    for (int row = 0; row < 13; ++row)
        for (int column = 0; column < 4; ++column)
            m_table->setItem(
                row, column,
                new QTableWidgetItem(QString::fromStdString(report.table[static_cast<std::size_t>(
                    row)][static_cast<std::size_t>(column)])));
    m_hoursList->setPlainText(joinLines(report.hoursList));
    setWindowTitle("Planetary Hours " + mainCaption);
}

void TPhours::placeBeside(const QWidget& mainWindow)
{
    const QRect frame = mainWindow.frameGeometry();
    const QPoint corner(frame.x() + frame.width() + 2, frame.y());
    // The point is the frame's corner. Just after the first show the window manager has not
    // framed the window yet, and moving the widget would put its client area there, with the
    // title bar above it (off the screen at the top).
    if (QWindow* handle = windowHandle())
        handle->setFramePosition(corner);
    else
        move(corner);
}

QStringList TPhours::hoursLines() const
{
    return m_hoursList->toPlainText().split('\n');
}

QStringList TPhours::sunMoonLines() const
{
    return m_sunMoonList->toPlainText().split('\n');
}

void TPhours::Save1Click()
{
    const QString path = m_chooser(this);
    if (!path.isEmpty())
        saveLines(path);
}

bool TPhours::saveLines(const QString& path)
{
    std::vector<std::string> lines;
    for (const QString& line : hoursLines())
        lines.push_back(line.toStdString());
    if (core::writeLinesAtomically(path.toStdString(), lines))
        return true;
    m_messages.showError(core::formatMessage("Cannot create file %s", path.toStdString()));
    return false;
}

}  // namespace vantrel::ui
