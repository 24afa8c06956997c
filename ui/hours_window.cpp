#include "ui/hours_window.h"

#include "core/alarm/hours_command.h"
#include "core/common/error.h"
#include "core/common/text_file.h"
#include "core/ports/messages.h"
#include "ui/main_window.h"

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
#include <string>
#include <vector>

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

} // namespace

TPhours::TPhours(core::Messages& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_chooser(defaultSaveChooser)
{
    setWindowTitle("Planetary Hours");
    resize(350, 465);

    QMenu* file = menuBar()->addMenu("&File");
    Save1 = file->addAction("&Save");
    Close1 = file->addAction("&Close");
    connect(Save1, &QAction::triggered, this, &TPhours::Save1Click);
    connect(Close1, &QAction::triggered, this, &QWidget::close);

    Panel1 = new QWidget(this);
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, Panel1);
    HoursList = makeList(Splitter1);
    SunMoonList = makeList(Splitter1);
    Splitter1->addWidget(HoursList);
    Splitter1->addWidget(SunMoonList);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({465 - kSunMoonHeight, kSunMoonHeight});
    layout->addWidget(Splitter1);
    setCentralWidget(Panel1);

    SuperGrid1 = new QTableWidget(13, 4, Panel1);
    SuperGrid1->hide();
    Panel1->installEventFilter(this);

    statusBar()->setSizeGripEnabled(true);
}

bool TPhours::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize)
        Panel1Resize();
    return QMainWindow::eventFilter(watched, event);
}

void TPhours::Panel1Resize()
{
    SuperGrid1->horizontalHeader()->setDefaultSectionSize(
        std::max(1, Panel1->contentsRect().width() / SuperGrid1->columnCount() - 1));
}

void TPhours::showReport(const core::PlanetaryHoursReport& report, const QString& mainCaption)
{
    SunMoonList->setPlainText(joinLines(report.sunMoonList));
    statusBar()->showMessage(QString::fromStdString(report.statusText));
    SuperGrid1->clearContents();
    for (int row = 0; row < 13; ++row)
        for (int column = 0; column < 4; ++column)
            SuperGrid1->setItem(
                row, column,
                new QTableWidgetItem(QString::fromStdString(report.table[static_cast<std::size_t>(
                    row)][static_cast<std::size_t>(column)])));
    HoursList->setPlainText(joinLines(report.hoursList));
    setWindowTitle("Planetary Hours " + mainCaption);
}

void TPhours::placeBeside(const QWidget& mainWindow)
{
    const QRect frame = mainWindow.frameGeometry();
    move(frame.x() + frame.width() + 2, frame.y());
}

QStringList TPhours::hoursLines() const
{
    return HoursList->toPlainText().split('\n');
}

QStringList TPhours::sunMoonLines() const
{
    return SunMoonList->toPlainText().split('\n');
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

void HoursButtonClick(TPhours& hours, TVantrel& main)
{
    // The flag holds for this one run, even one that fails.
    struct ClearSuppression {
        TPhours& window;
        ~ClearSuppression() { window.SuppressHoursWindow = false; }
    } clearSuppression{hours};

    const core::PlanetaryHoursReport report =
        core::runPlanetaryHours(main.calculator(), main.AlarmList(), main.displayedDate(),
                                main.displayedTime(), main.regional());
    hours.showReport(report, main.windowTitle());
    if (!hours.SuppressHoursWindow) {
        hours.show();
        hours.raise();
        hours.activateWindow();
    }
    hours.placeBeside(main);
    main.AstroButtonClick();
}

} // namespace vantrel::ui
