// The wheel-chart window and its picture area: the picture drawn at its own shape, off the
// window's thread, and saved as its own bytes.

#include "ui/wheel_window.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "core/common/error.h"
#include "tests/fakes/fake_ports.h"
#include "tests/ui/find_part.h"
#include "tests/ui/sample_picture.h"
#include "ui/wheel_view.h"
#include "ui/wmf_painter.h"

using vantrel::testing::asBytes;
using vantrel::testing::FakeMessages;
using vantrel::testing::part;
using vantrel::testing::readWholeFile;
using vantrel::testing::samplePicture;
using vantrel::testing::TempDir;
using vantrel::testing::writeWholeFile;
using vantrel::ui::MetafilePicture;
using vantrel::ui::WheelWindow;

class WheelWindowTest : public QObject {
    Q_OBJECT

    FakeMessages messages;

private slots:
    void init() { messages = FakeMessages{}; }

    void wheelSavesThePicturesOwnBytes()
    {
        TempDir dir;
        const auto bytes = samplePicture();
        vantrel::wmf::writeFile((dir.path() / "chart.wmf").string(), bytes);
        WheelWindow wheel(messages);
        QVERIFY(!part<QAction>(wheel, "SaveImage1").isEnabled());
        wheel.loadPicture(QString::fromStdString((dir.path() / "chart.wmf").string()));
        QVERIFY(part<QAction>(wheel, "SaveImage1").isEnabled());
        const auto copy = dir.path() / "copy.wmf";
        wheel.setFileChooser([&](QWidget*) { return QString::fromStdString(copy.string()); });
        wheel.saveImage();
        QCOMPARE(readWholeFile(copy), std::string(bytes.begin(), bytes.end()));

        QVERIFY(!wheel.savePicture(QString::fromStdString((dir.path() / "no/x.wmf").string())));
        QCOMPARE(messages.errors.size(), size_t(1));
    }

    void wheelWindowSize()
    {
        WheelWindow wheel(messages);
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
        WheelWindow wheel(messages);
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

QTEST_MAIN(WheelWindowTest)
#include "wheel_window_test.moc"
