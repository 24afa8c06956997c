// The Astrolog data window, and the listings and chart picture the "Astrolog" command brings
// into it and into the wheel-chart window: which listings appear under which headings,
// appending and clearing, placement under the main window inside the work area, and saving.

#include "ui/data_window.h"

#include <unistd.h>

#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

#include "core/chart_engine/output_listing.h"
#include "core/common/error.h"
#include "core/settings/settings.h"
#include "tests/fakes/fake_ports.h"
#include "tests/ui/find_part.h"
#include "tests/ui/sample_picture.h"
#include "ui/wheel_window.h"
#include "ui/window_placement.h"

using vantrel::core::Settings;
using vantrel::testing::asBytes;
using vantrel::testing::FakeMessages;
using vantrel::testing::part;
using vantrel::testing::readWholeFile;
using vantrel::testing::samplePicture;
using vantrel::testing::TempDir;
using vantrel::testing::writeWholeFile;
using vantrel::ui::DataWindow;
using vantrel::ui::WheelWindow;
using Lines = std::vector<std::string>;

namespace {

// The two windows the "Astrolog" command fills from the listings in a folder of their own.
struct AstroWindows {
    TempDir dir;
    DataWindow data;
    WheelWindow wheel;
    QWidget main;

    explicit AstroWindows(FakeMessages& messages) : data(messages), wheel(messages) {}
    void click(const Settings& settings = {})
    {
        vantrel::ui::showEngineOutput(data, wheel, main, settings, dir.path());
    }
};

}  // namespace

class DataWindowTest : public QObject {
    Q_OBJECT

    FakeMessages messages;

private slots:
    void init() { messages = FakeMessages{}; }

    void dataWindowLooksAsDesigned()
    {
        DataWindow data(messages);
        QCOMPARE(data.windowTitle(), QString("Astrolog Output"));
        QCOMPARE(data.size(), QSize(590, 414));
        QCOMPARE(part<QPlainTextEdit>(data, "Memo1").lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!part<QPlainTextEdit>(data, "Memo1").isReadOnly());
        QVERIFY(data.lines().empty());
    }

    // Which listings appear, in which order and under which headings.
    void listingsUnderTheirHeadings_data()
    {
        QTest::addColumn<QStringList>("files");  // name, content, name, content, ...
        QTest::addColumn<Lines>("expected");
        QTest::newRow("only the chart: exactly its lines")
            << QStringList{"chart.txt", "Sun  15Ge02\r\nMoon 3Le40\r\n"}
            << Lines{"Sun  15Ge02", "Moon 3Le40"};
        QTest::newRow("missing listings are skipped with their headings")
            << QStringList{"chart.txt", "chart\n", "riseset.txt", "rise 1\r\nrise 2"}
            << Lines{"chart", " ", "Rise and Set Times", "rise 1", "rise 2"};
        QStringList every;
        for (const char* name :
             {"aspects.txt", "risesetn.txt", "riseset.txt", "wheel.txt", "chart.txt"})
            every << name << QString(name) + "\n";
        QTest::newRow("every listing in its order under its heading")
            << every
            << Lines{"chart.txt",
                     " ",
                     "wheel.txt",
                     " ",
                     "Rise and Set Times",
                     "riseset.txt",
                     " ",
                     "Rise and Set Times (next day)",
                     "risesetn.txt",
                     " ",
                     "Aspect Charts",
                     "aspects.txt"};
    }

    void listingsUnderTheirHeadings()
    {
        QFETCH(QStringList, files);
        QFETCH(Lines, expected);
        TempDir dir;
        for (qsizetype i = 0; i + 1 < files.size(); i += 2)
            writeWholeFile(dir.path() / files[i].toStdString(), files[i + 1].toStdString());
        QCOMPARE(vantrel::core::outputListingLines(dir.path()), expected);
    }

    void appendingWithoutClearShowsEveryFileAgain()
    {
        AstroWindows w(messages);
        writeWholeFile(w.dir.path() / "chart.txt", "a\nb\n");
        Settings settings;
        settings.clearDataWindow = false;
        w.click(settings);
        w.click(settings);
        QCOMPARE(w.data.lines(), (Lines{"a", "b", "a", "b"}));

        settings.clearDataWindow = true;
        w.click(settings);
        QCOMPARE(w.data.lines(), (Lines{"a", "b"}));
        // No chart picture: the wheel window stays hidden.
        QVERIFY(!w.wheel.isVisible());
    }

    void userEditsAreKeptWhenAppending()
    {
        AstroWindows w(messages);
        writeWholeFile(w.dir.path() / "chart.txt", "new\n");
        w.data.setLines({"typed by the user"});
        Settings settings;
        settings.clearDataWindow = false;
        w.click(settings);
        QCOMPARE(w.data.lines(), (Lines{"typed by the user", "new"}));
    }

    void dataWindowIsPlacedUnderTheMainWindow()
    {
        AstroWindows w(messages);
        w.main.setGeometry(120, 80, 400, 300);
        w.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.main));
        w.click();
        QVERIFY(w.data.isVisible());
        const QRect frame = w.main.frameGeometry();
        QCOMPARE(w.data.frameGeometry().topLeft(),
                 QPoint(frame.left(), frame.top() + frame.height() + 2));

        // Moved again at every call, also while showing.
        w.data.move(0, 0);
        w.main.move(200, 90);
        w.click();
        QTRY_COMPARE(w.data.frameGeometry().topLeft(),
                     QPoint(w.main.frameGeometry().left(), w.main.frameGeometry().bottom() + 3));

        // Near the bottom of the screen it stays inside the work area.
        const QRect workArea = w.main.screen()->availableGeometry();
        w.main.move(200, workArea.bottom() - 350);
        w.click();
        QTRY_VERIFY(workArea.contains(w.data.frameGeometry()));
    }

    // Where a window's frame goes to lie inside the work area, here 800 by 570 under a panel of
    // 30 pixels at the top.
    void framesArePlacedInsideTheWorkArea_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QSize>("smallest");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("inside: stays")
            << QRect(10, 40, 100, 100) << QSize(100, 100) << QRect(10, 40, 100, 100);
        QTest::newRow("past the bottom: gives up height")
            << QRect(0, 500, 100, 200) << QSize(100, 50) << QRect(0, 500, 100, 100);
        QTest::newRow("not below its smallest: rises")
            << QRect(0, 560, 100, 200) << QSize(100, 150) << QRect(0, 450, 100, 150);
        QTest::newRow("under the panel, off the left: comes in")
            << QRect(-30, 5, 100, 100) << QSize(100, 100) << QRect(0, 30, 100, 100);
        QTest::newRow("past the right: gives up width, then moves left")
            << QRect(750, 40, 300, 100) << QSize(200, 100) << QRect(600, 40, 200, 100);
        QTest::newRow("larger than the work area: cut to it")
            << QRect(0, 0, 900, 700) << QSize(900, 700) << QRect(0, 30, 800, 570);
    }

    void framesArePlacedInsideTheWorkArea()
    {
        QFETCH(QRect, frame);
        QFETCH(QSize, smallest);
        QFETCH(QRect, placed);
        QCOMPARE(vantrel::ui::frameInside(frame, QRect(0, 30, 800, 570), smallest), placed);
    }

    void chartPictureIsLoadedAndTheWheelWindowShown()
    {
        AstroWindows w(messages);
        const auto bytes = samplePicture();
        vantrel::wmf::writeFile((w.dir.path() / "chart.wmf").string(), bytes);
        w.click();
        QVERIFY(w.wheel.isVisible());
        QCOMPARE(w.wheel.picture().bytes(), asBytes(bytes));
        QVERIFY(w.data.isVisible());
    }

    void unreadableChartEndsBeforeTheDataWindowIsShown()
    {
        AstroWindows w(messages);
        writeWholeFile(w.dir.path() / "chart.txt", "listing\n");
        writeWholeFile(w.dir.path() / "chart.wmf", "this is no picture");
        bool failed = false;
        try {
            w.click();
        } catch (const vantrel::core::VantrelError& error) {
            failed = true;
            QVERIFY(!std::string(error.what()).empty());
        }
        QVERIFY(failed);
        QVERIFY(!w.data.isVisible());
        QVERIFY(!w.wheel.isVisible());
        QVERIFY(w.wheel.picture().isNull());
    }

    void missingChartKeepsTheOldPicture()
    {
        AstroWindows w(messages);
        vantrel::wmf::writeFile((w.dir.path() / "chart.wmf").string(), samplePicture());
        w.click();
        std::filesystem::remove(w.dir.path() / "chart.wmf");
        w.wheel.hide();
        w.click();
        QVERIFY(!w.wheel.picture().isNull());
        QVERIFY(!w.wheel.isVisible());
    }

    void savingWritesCrLfLines()
    {
        TempDir dir;
        DataWindow data(messages);
        data.setLines({"first", " ", "Rise and Set Times", "last"});
        const auto path = dir.path() / "data.txt";
        data.setFileChooser([&](QWidget*) { return QString::fromStdString(path.string()); });
        data.save();
        QCOMPARE(readWholeFile(path), std::string("first\r\n \r\nRise and Set Times\r\nlast\r\n"));
        QVERIFY(messages.errors.empty());

        // Cancelling the dialog writes nothing.
        std::filesystem::remove(path);
        data.setFileChooser([](QWidget*) { return QString(); });
        data.save();
        QVERIFY(!std::filesystem::exists(path));
    }

    void savingIntoAMissingFolderIsReported()
    {
        TempDir dir;
        DataWindow data(messages);
        data.setLines({"x"});
        const QString path = QString::fromStdString((dir.path() / "no" / "data.txt").string());
        QVERIFY(!data.saveLines(path));
        QCOMPARE(messages.errors.size(), size_t(1));
        QCOMPARE(messages.errors[0],
                 "Cannot create file " + path.toStdString() + ": No such file or directory");
    }

    // Run as nobody by the ui_data_window_tests_as_user test.
    void aWriteProtectedFileIsNeverReplacedAsUser()
    {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind root; the _as_user test runs this as nobody");
        TempDir dir;
        vantrel::wmf::writeFile((dir.path() / "chart.wmf").string(), samplePicture());
        WheelWindow wheel(messages);
        wheel.loadPicture(QString::fromStdString((dir.path() / "chart.wmf").string()));
        DataWindow data(messages);
        data.setLines({"new"});
        const auto kept = dir.path() / "kept.txt";
        writeWholeFile(kept, "mine\r\n");
        std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
        const QString path = QString::fromStdString(kept.string());
        QVERIFY(!data.saveLines(path));
        QVERIFY(!wheel.savePicture(path));
        QCOMPARE(readWholeFile(kept), std::string("mine\r\n"));
        QCOMPARE(messages.errors,
                 std::vector<std::string>(2, "Cannot create file " + kept.string() +
                                                 ": Permission denied"));
    }
};

QTEST_MAIN(DataWindowTest)
#include "data_window_test.moc"
