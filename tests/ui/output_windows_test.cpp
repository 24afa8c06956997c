// The Astrolog data window and the wheel-chart window: which listings appear under which
// headings, appending and clearing, placement under the main window, the chart picture, and
// saving both.

#include "ui/output_windows.h"

#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "core/astrolog/output_listing.h"
#include "core/common/error.h"
#include "core/settings/settings.h"
#include "tests/fakes/fake_ports.h"
#include "tests/ui/find_part.h"
#include "ui/wmf_painter.h"
#include "wmf/wmf_writer.h"

using vantrel::core::Settings;
using vantrel::testing::FakeMessages;
using vantrel::testing::part;
using vantrel::testing::readWholeFile;
using vantrel::testing::TempDir;
using vantrel::testing::writeWholeFile;
using vantrel::ui::MetafilePicture;
using vantrel::ui::TAData;
using vantrel::ui::TfWheel;
using Lines = std::vector<std::string>;

namespace {

// A chart-like picture: black background, a red square in the upper left quarter of the
// frame, a white ring and a line of text.
std::vector<std::uint8_t> samplePicture()
{
    using namespace vantrel::wmf;
    MetafileWriter writer(0, 0, 800, 600, 1280);
    writer.saveDC();
    writer.setWindowOrg(0, 0);
    writer.setWindowExt(800, 600);
    writer.setBkMode(1);
    const int black = writer.createBrush({BrushStyle::Solid, {0, 0, 0}});
    writer.selectObject(black);
    writer.rectangle(0, 0, 800, 600);
    const int red = writer.createBrush({BrushStyle::Solid, {255, 0, 0}});
    writer.selectObject(red);
    writer.rectangle(100, 100, 300, 250);
    const int pen = writer.createPen({PenStyle::Solid, 8, {255, 255, 255}});
    const int hollow = writer.createBrush({BrushStyle::Null, {}});
    writer.selectObject(pen);
    writer.selectObject(hollow);
    writer.ellipse(420, 150, 720, 450);
    const int font = writer.createFont({-40, 400, 0, false, "Sans"});
    writer.selectObject(font);
    writer.setTextColor({0, 255, 0});
    writer.extTextOut(420, 500, "Sol 15\xb0 Gemini");
    writer.restoreDC();
    return writer.bytes();
}

QByteArray asBytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

// The two windows the "Astrolog" command fills from the listings in a folder of their own.
struct AstroWindows {
    TempDir dir;
    TAData data;
    TfWheel wheel;
    QWidget main;

    explicit AstroWindows(FakeMessages& messages) : data(messages), wheel(messages) {}
    void click(const Settings& settings = {})
    {
        vantrel::ui::AstroButtonClick(data, wheel, main, settings, dir.path());
    }
};

}  // namespace

class OutputWindowsTest : public QObject {
    Q_OBJECT

    FakeMessages messages;

private slots:
    void init() { messages = FakeMessages{}; }

    void dataWindowLooksAsDesigned()
    {
        TAData data(messages);
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
        for (const char* name : {"aspects.txt", "planets.txt", "risesetn.txt", "riseset.txt",
                                 "wheel.txt", "chart.txt"})
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
                     "Planetary Positions",
                     "planets.txt",
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
        settings.OClear = false;
        w.click(settings);
        w.click(settings);
        QCOMPARE(w.data.lines(), (Lines{"a", "b", "a", "b"}));

        settings.OClear = true;
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
        settings.OClear = false;
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
        QCOMPARE(w.data.frameGeometry().topLeft(),
                 QPoint(w.main.frameGeometry().left(), w.main.frameGeometry().bottom() + 3));
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
        TAData data(messages);
        data.setLines({"first", " ", "Rise and Set Times", "last"});
        const auto path = dir.path() / "data.txt";
        data.setFileChooser([&](QWidget*) { return QString::fromStdString(path.string()); });
        data.Save1Click();
        QCOMPARE(readWholeFile(path), std::string("first\r\n \r\nRise and Set Times\r\nlast\r\n"));
        QVERIFY(messages.errors.empty());

        // Cancelling the dialog writes nothing.
        std::filesystem::remove(path);
        data.setFileChooser([](QWidget*) { return QString(); });
        data.Save1Click();
        QVERIFY(!std::filesystem::exists(path));
    }

    void savingIntoAMissingFolderIsReported()
    {
        TempDir dir;
        TAData data(messages);
        data.setLines({"x"});
        const QString path = QString::fromStdString((dir.path() / "no" / "data.txt").string());
        QVERIFY(!data.saveLines(path));
        QCOMPARE(messages.errors.size(), size_t(1));
        QCOMPARE(messages.errors[0], "Cannot create file " + path.toStdString());
    }

    void wheelSavesThePicturesOwnBytes()
    {
        TempDir dir;
        const auto bytes = samplePicture();
        vantrel::wmf::writeFile((dir.path() / "chart.wmf").string(), bytes);
        TfWheel wheel(messages);
        QVERIFY(!part<QAction>(wheel, "SaveImage1").isEnabled());
        wheel.loadPicture(QString::fromStdString((dir.path() / "chart.wmf").string()));
        QVERIFY(part<QAction>(wheel, "SaveImage1").isEnabled());
        const auto copy = dir.path() / "copy.wmf";
        wheel.setFileChooser([&](QWidget*) { return QString::fromStdString(copy.string()); });
        wheel.SaveImage1Click();
        QCOMPARE(readWholeFile(copy), std::string(bytes.begin(), bytes.end()));

        QVERIFY(!wheel.savePicture(QString::fromStdString((dir.path() / "no/x.wmf").string())));
        QCOMPARE(messages.errors.size(), size_t(1));
    }

    // Run as nobody by the ui_output_windows_tests_as_user test.
    void aWriteProtectedFileIsNeverReplacedAsUser()
    {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind root; the _as_user test runs this as nobody");
        TempDir dir;
        vantrel::wmf::writeFile((dir.path() / "chart.wmf").string(), samplePicture());
        TfWheel wheel(messages);
        wheel.loadPicture(QString::fromStdString((dir.path() / "chart.wmf").string()));
        TAData data(messages);
        data.setLines({"new"});
        const auto kept = dir.path() / "kept.txt";
        writeWholeFile(kept, "mine\r\n");
        std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
        const QString path = QString::fromStdString(kept.string());
        QVERIFY(!data.saveLines(path));
        QVERIFY(!wheel.savePicture(path));
        QCOMPARE(readWholeFile(kept), std::string("mine\r\n"));
        QCOMPARE(messages.errors,
                 std::vector<std::string>(2, "Cannot create file " + kept.string()));
    }

    void wheelWindowSize()
    {
        TfWheel wheel(messages);
        QCOMPARE(wheel.windowTitle(), QString("Chart"));
        wheel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wheel));
        QCOMPARE(part<QWidget>(wheel, "Image1").size(), QSize(614, 450));
    }

    void pictureIsDrawnStretchedToTheArea()
    {
        const MetafilePicture picture = MetafilePicture::fromBytes(asBytes(samplePicture()));
        QCOMPARE(picture.frame(), QRect(0, 0, 800, 600));
        // Stretched onto a 400 by 150 area: the red square (100..300, 100..250 of 800 by 600)
        // lands at 50..150 by 25..62.
        QImage image(400, 150, QImage::Format_RGB32);
        image.fill(Qt::blue);
        {
            QPainter painter(&image);
            picture.paint(painter, QRectF(0, 0, 400, 150));
        }
        QCOMPARE(QColor(image.pixel(100, 45)), QColor(Qt::red));
        QCOMPARE(QColor(image.pixel(20, 10)), QColor(Qt::black));
        QCOMPARE(QColor(image.pixel(160, 45)), QColor(Qt::black));
        // The ring's left edge, at x 420 of 800, is drawn white.
        int white = 0;
        int green = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c(image.pixel(x, y));
                white += c.red() > 200 && c.green() > 200 && c.blue() > 200;
                green += c.green() > 150 && c.red() < 100 && c.blue() < 100;
                QVERIFY2(c != QColor(Qt::blue), "the picture covers the whole area");
            }
        QVERIFY(white > 50);
        QVERIFY(green > 5);
    }

    // The 800 by 600 sample in a wide and in a tall view: drawn at 4:3, centred, on the
    // window's background; its red square (100..300 by 100..250) where that puts it.
    void wheelKeepsThePicturesShape_data()
    {
        QTest::addColumn<QSize>("view");
        QTest::addColumn<QPoint>("background");
        QTest::addColumn<QPoint>("red");
        QTest::newRow("maximised, wide: 400 by 300 from x 250")
            << QSize(900, 300) << QPoint(100, 150) << QPoint(350, 90);
        QTest::newRow("tall: 300 by 225 from y 237")
            << QSize(300, 700) << QPoint(150, 100) << QPoint(75, 300);
    }

    void wheelKeepsThePicturesShape()
    {
        QFETCH(QSize, view);
        QFETCH(QPoint, background);
        QFETCH(QPoint, red);
        vantrel::ui::WheelView wheel;
        wheel.setPicture(MetafilePicture::fromBytes(asBytes(samplePicture())));
        wheel.resize(view);
        QSignalSpy drawn(&wheel, &vantrel::ui::WheelView::pictureDrawn);
        wheel.grab();
        QVERIFY(drawn.wait());
        const QImage shot = wheel.grab().toImage();
        QCOMPARE(QColor(shot.pixel(background)), wheel.palette().window().color());
        QCOMPARE(QColor(shot.pixel(red)), QColor(Qt::red));
    }

    void wheelWindowShowsThePicture()
    {
        TempDir dir;
        vantrel::wmf::writeFile((dir.path() / "chart.wmf").string(), samplePicture());
        TfWheel wheel(messages);
        wheel.loadPicture(QString::fromStdString((dir.path() / "chart.wmf").string()));
        // The picture is drawn off the window's thread; the first paint asks for it.
        auto& view = part<vantrel::ui::WheelView>(wheel, "Image1");
        QSignalSpy drawn(&view, &vantrel::ui::WheelView::pictureDrawn);
        view.grab();
        QVERIFY(drawn.wait());
        const QImage shot = view.grab().toImage();
        int red = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                red += QColor(shot.pixel(x, y)) == QColor(Qt::red);
        // About a sixteenth of the area: the square covers a quarter by a quarter of the frame.
        const int area = shot.width() * shot.height();
        QVERIFY2(red > area / 20 && red < area / 12, qPrintable(QString::number(red)));
    }

    void brokenPicturesAreRefused()
    {
        auto bytes = samplePicture();
        bytes.resize(bytes.size() / 2);
        QVERIFY_THROWS_EXCEPTION(vantrel::core::VantrelError,
                                 MetafilePicture::fromBytes(asBytes(bytes)));
        QVERIFY_THROWS_EXCEPTION(vantrel::core::VantrelError,
                                 MetafilePicture::fromFile("/nonexistent/chart.wmf"));
    }
};

QTEST_MAIN(OutputWindowsTest)
#include "output_windows_test.moc"
