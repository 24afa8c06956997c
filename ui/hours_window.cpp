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

#include "core/common/error.h"
#include "core/common/text_file.h"
#include "core/ports/messages.h"
#include "ui/window_placement.h"

namespace vantrel::ui {

namespace {

constexpr int kSunMoonHeight = 143;

QPlainTextEdit* makeList(QWidget* parent)
{
    auto* list = new QPlainTextEdit(parent);
    list->setReadOnly(true);
    list->setFrameShape(QFrame::NoFrame);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The lines are short: a horizontal bar only when the window is made narrower than they are.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
    return chooseFileToSave(parent, QString(), "hourdata.txt", "Text Files(*.txt)");
}

}  // namespace

HoursWindow::HoursWindow(core::Messages& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_chooser(defaultSaveChooser)
{
    setWindowTitle("Planetary Hours");
    resize(350, 465);

    connect(addFileMenu(*this, "&Save", "Save1"), &QAction::triggered, this, &HoursWindow::save);

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

bool HoursWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        fitTableColumns();
    return QMainWindow::eventFilter(watched, event);
}

void HoursWindow::fitTableColumns()
{
    m_table->horizontalHeader()->setDefaultSectionSize(
        std::max(1, m_panel->contentsRect().width() / m_table->columnCount() - 1));
}

void HoursWindow::showReport(const core::PlanetaryHoursReport& report, const QString& mainCaption)
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

void HoursWindow::placeBeside(const QWidget& mainWindow)
{
    const QRect frame = mainWindow.frameGeometry();
    placeInWorkArea(*this, QPoint(frame.x() + frame.width() + 2, frame.y()), &mainWindow);
}

QStringList HoursWindow::hoursLines() const
{
    return m_hoursList->toPlainText().split('\n');
}

QStringList HoursWindow::sunMoonLines() const
{
    return m_sunMoonList->toPlainText().split('\n');
}

void HoursWindow::save()
{
    saveThroughChooser(*this, m_chooser, [this](const QString& path) { saveLines(path); });
}

bool HoursWindow::saveLines(const QString& path)
{
    std::vector<std::string> lines;
    for (const QString& line : hoursLines())
        lines.push_back(line.toStdString());
    return reportUnwritten(m_messages, path, core::writeLinesAtomically(path.toStdString(), lines));
}

}  // namespace vantrel::ui
