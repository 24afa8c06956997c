// The "&Batch..." command: the two file choosers and their presets, cancelling either, the
// conversion with the pickers following the lines, and its failure report.

#include "ui/batch_command.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include "tests/fakes/fake_desktop_ports.h"
#include "tests/fakes/fake_ports.h"
#include "tests/ui/find_part.h"
#include "ui/main_window.h"

using vantrel::testing::FakeClipboard;
using vantrel::testing::FakeClock;
using vantrel::testing::FakeMessages;
using vantrel::testing::FakeProcessRunner;
using vantrel::testing::FakeShell;
using vantrel::testing::FakeZoneRules;
using vantrel::testing::part;
using vantrel::testing::readWholeFile;
using vantrel::testing::TempDir;
using vantrel::testing::writeWholeFile;
namespace core = vantrel::core;
namespace ui = vantrel::ui;
namespace fs = std::filesystem;

namespace {

const std::string kChartListing = "heading\r\n\r\nSun   23Pis59\r\nMoon   1Cap14\r\n";
const std::string kTwoLines = "Ann,birthday,3/14/2001,21:07,5,74W00,40N43\r\n"
                              "Bob,party,12/25/1999,6:30AM,5,74W00,40N43\r\n";

using Chooser = vantrel::ui::BatchCommand::Chooser;

struct Question {
    Chooser chooser;
    QString caption;
    QString preset;
};

// An engine that runs until its stop check says stop (as the real one is polled while it waits),
// when told to hang; otherwise a quick one.
class HangingRunner : public FakeProcessRunner {
public:
    using FakeProcessRunner::FakeProcessRunner;
    std::function<void()> whileHanging;  // what the user does meanwhile
    bool hang = false;
    core::ProcessOutcome run(const std::string& program, const std::vector<std::string>& arguments,
                             std::chrono::milliseconds limit) override
    {
        core::ProcessOutcome result = FakeProcessRunner::run(program, arguments, limit);
        for (int poll = 0; hang && poll < 1000 && !result.stopped; ++poll) {
            if (whileHanging)
                whileHanging();
            result.stopped = stopRequested();
        }
        result.timedOut = hang && !result.stopped;
        return result;
    }
};

// The window runs in a temporary folder as its current directory, as the program runs in the
// user's folder; the dialogs answer from a script.
struct BatchWindow {
    TempDir dir;
    fs::path previous = fs::current_path();
    core::Settings settings;
    core::RegionalSettings regional;
    FakeZoneRules zoneRules;
    FakeClock clock{vantrel::testing::localDateTime(2026, 6, 1)};
    HangingRunner runner{"."};
    FakeClipboard clipboard;
    FakeMessages messages;
    FakeShell shell;
    std::unique_ptr<ui::MainWindow> window;
    std::unique_ptr<ui::BatchCommand> command;
    std::vector<Question> asked;
    std::vector<std::optional<QString>> answers;

    BatchWindow()
    {
        fs::current_path(dir.path());
        runner.responder = FakeProcessRunner::cannedListings({{"chart.txt", kChartListing}});
        ui::MainWindowServices services{settings, regional, zoneRules,
                                        clock,    runner,   clipboard,
                                        messages, shell,    dir.path() / "Vantrel.ini"};
        services.trayAvailable = [] { return false; };
        window = std::make_unique<ui::MainWindow>(std::move(services));
        command = std::make_unique<ui::BatchCommand>(
            *window, [this](Chooser chooser, const QString& caption, const QString& preset) {
                asked.push_back({chooser, caption, preset});
                const std::optional<QString> answer =
                    asked.size() <= answers.size() ? answers[asked.size() - 1] : std::nullopt;
                return answer;
            });
        ui::MainWindowHooks hooks;
        command->connectTo(hooks);
        window->setHooks(std::move(hooks));
    }
    ~BatchWindow()
    {
        window.reset();
        fs::current_path(previous);
    }
};

}  // namespace

class BatchCommandTest : public QObject {
    Q_OBJECT

private slots:
    void menuEntryIsEnabledOnceConnected()
    {
        BatchWindow w;
        QVERIFY(part<QAction>(*w.window, "Batch1").isEnabled());
    }

    // The input is chosen from the home folder (never the working folder with the engine's
    // command file), the output beside it; cancelling either does nothing.
    void cancellingEitherChooserDoesNothing_data()
    {
        QTest::addColumn<QStringList>("confirmed");  // the answers before the cancelled one
        QTest::addColumn<int>("chooser");            // of the chooser cancelled
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("preset");  // relative: to the folder of the confirmed input
        QTest::newRow("input") << QStringList{} << int(Chooser::Open) << "Input File"
                               << QDir::homePath();
        QTest::newRow("output") << QStringList{"dates.txt"} << int(Chooser::Save) << "Output File"
                                << "output.txt";
        QTest::newRow("output beside an input of that name")
            << QStringList{"output.txt"} << int(Chooser::Save) << "Output File"
            << ".";
    }

    void cancellingEitherChooserDoesNothing()
    {
        QFETCH(QStringList, confirmed);
        QFETCH(int, chooser);
        QFETCH(QString, caption);
        QFETCH(QString, preset);
        BatchWindow w;
        writeWholeFile("dates.txt", kTwoLines);
        for (const QString& answer : confirmed)
            w.answers.push_back(answer);
        w.answers.push_back(std::nullopt);
        part<QAction>(*w.window, "Batch1").trigger();
        QCOMPARE(w.asked.size(), w.answers.size());
        QCOMPARE(int(w.asked.back().chooser), chooser);
        QCOMPARE(w.asked.back().caption, caption);
        QCOMPARE(w.asked.back().preset, QDir::cleanPath(QDir::current().absoluteFilePath(preset)));
        QVERIFY(w.runner.runs.empty());
        QVERIFY(!fs::exists("output.txt"));

        // The next batch starts where this one's input lay.
        if (!confirmed.isEmpty()) {
            w.answers.clear();
            w.asked.clear();
            part<QAction>(*w.window, "Batch1").trigger();
            QCOMPARE(w.asked[0].preset, QDir::currentPath());
        }
    }

    // The desktop's choosers: one that opens an existing file, one that saves and asks before
    // it replaces a file, each starting at its preset.
    void theDesktopsChoosersOpenAndSave()
    {
        TempDir dir;
        const QString folder = QString::fromStdString(dir.path().string());
        writeWholeFile(dir.path() / "dates.txt", kTwoLines);
        QStringList seen;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* chooser = qobject_cast<QFileDialog*>(window);
                if (!chooser || !chooser->isVisible())
                    continue;
                seen << QString("%1: %2 %3 %4 in %5")
                            .arg(chooser->windowTitle(),
                                 chooser->acceptMode() == QFileDialog::AcceptOpen ? "open" : "save",
                                 chooser->fileMode() == QFileDialog::ExistingFile ? "existing"
                                                                                  : "any",
                                 chooser->testOption(QFileDialog::DontConfirmOverwrite) ? "replaces"
                                                                                        : "asks",
                                 chooser->directory().path() == folder ? "the preset" : "another");
                chooser->close();
            }
        });
        answer.start(20);
        const auto choose = ui::BatchCommand::desktopChoosers(nullptr);
        QVERIFY(!choose(Chooser::Open, "Input File", folder));
        QVERIFY(!choose(Chooser::Save, "Output File", folder + "/output.txt"));
        QCOMPARE(seen, (QStringList{"Input File: open existing asks in the preset",
                                    "Output File: save any asks in the preset"}));
    }

    // GIVEN the user's dates in "input.txt", WHEN both presets are confirmed, THEN the output is
    // written, the user's file is unchanged, the pickers show the last line (whose calculation
    // is not run again: it would write the command file over the user's) and the place is the
    // user's again.
    void presetsConvertAndKeepTheUsersInputFile()
    {
        BatchWindow w;
        writeWholeFile("input.txt", kTwoLines);
        w.answers = {QStringLiteral("input.txt"), QStringLiteral("output.txt")};
        part<QAction>(*w.window, "Batch1").trigger();
        QVERIFY(w.messages.errors.empty());
        QCOMPARE(w.runner.runs.size(), std::size_t(2));
        QCOMPARE(readWholeFile("input.txt"), kTwoLines);
        const std::string output = readWholeFile("output.txt");
        QVERIFY2(output.find("Ann,birthday,3/14/2001,21:07,5,74W00,40N43,iv8,") == 0,
                 output.c_str());
        QVERIFY2(output.find(",Saturnii,\r\n") != std::string::npos, output.c_str());
        QCOMPARE(part<QDateEdit>(*w.window, "GDate").date(), QDate(1999, 12, 25));
        QCOMPARE(part<QTimeEdit>(*w.window, "Time").time().hour(), 6);
        QCOMPARE(part<QTimeEdit>(*w.window, "Time").time().minute(), 30);
        QCOMPARE(w.settings.zone, std::string("6"));
        QCOMPARE(w.settings.longitude, std::string("93W21"));
    }

    // The alarm check and the animation must not calculate between the conversion's lines.
    void runningTimersWaitForTheConversionAndGoOnAfterwards()
    {
        BatchWindow w;
        writeWholeFile("dates.txt", kTwoLines);
        part<QTimer>(*w.window, "Timer1").start();
        bool timerActiveDuringRuns = false;
        w.runner.responder = [&](const fs::path& dir, const std::string& commandFile) {
            timerActiveDuringRuns =
                timerActiveDuringRuns || part<QTimer>(*w.window, "Timer1").isActive();
            FakeProcessRunner::cannedListings({{"chart.txt", kChartListing}})(dir, commandFile);
        };
        w.command->convertBatch(QStringLiteral("dates.txt"), QStringLiteral("out.txt"));
        QVERIFY(!timerActiveDuringRuns);
        QVERIFY(part<QTimer>(*w.window, "Timer1").isActive());
        QVERIFY(!part<QTimer>(*w.window, "Timer2").isActive());
    }

    // WHEN the engine hangs and the user presses the progress dialog's Cancel, THEN the run ends
    // at once, the conversion with it, and nothing is written.
    void cancelEndsARunningEngineAtOnce()
    {
        BatchWindow w;
        writeWholeFile("dates.txt", kTwoLines);
        writeWholeFile("out.txt", "earlier\r\n");
        w.runner.hang = true;
        w.runner.whileHanging = [&w] {
            if (auto* progress = w.window->findChild<QProgressDialog*>())
                progress->cancel();
        };
        w.command->convertBatch(QStringLiteral("dates.txt"), QStringLiteral("out.txt"));
        QCOMPARE(w.runner.runs.size(), std::size_t(1));
        QVERIFY(w.messages.errors.empty());
        QCOMPARE(readWholeFile("out.txt"), std::string("earlier\r\n"));
        QCOMPARE(w.settings.longitude, std::string("93W21"));
    }

    void failureIsReportedAndNothingIsWritten()
    {
        BatchWindow w;
        writeWholeFile("output.txt", "earlier\r\n");
        w.answers = {QStringLiteral("missing.txt"), QStringLiteral("output.txt")};
        part<QAction>(*w.window, "Batch1").trigger();
        QCOMPARE(w.messages.errors, std::vector<std::string>{"Cannot open file missing.txt"});
        QCOMPARE(readWholeFile("output.txt"), std::string("earlier\r\n"));
    }
};

QTEST_MAIN(BatchCommandTest)
#include "batch_command_test.moc"
