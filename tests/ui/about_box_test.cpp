// The About box: the version and the executable's modification time in the regional formats.

#include "ui/about_box.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include "platform/libreoffice_link.h"
#include "tests/fakes/fake_ports.h"
#include "tests/ui/find_part.h"
#include "tests/ui/main_window_harness.h"
#include "ui/main_window.h"

using vantrel::testing::part;

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void aboutBoxShowsTheExecutablesModificationTime();
};

void AboutBoxTest::aboutBoxShowsTheExecutablesModificationTime()
{
    vantrel::testing::TempDir dir;
    const QString program = QString::fromStdString((dir.path() / "vantrel").string());
    vantrel::testing::writeWholeFile(dir.path() / "vantrel", "program");
    const auto touch = [&](const QDateTime& when) {
        QFile file(program);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
    };
    const vantrel::core::RegionalSettings regional = vantrel::testing::usEnglishFourDigitYear();
    // In the program's font, sized in pixels, the small notice line is smaller, without a word
    // from QFont on standard error.
    QTest::failOnWarning(QRegularExpression("QFont"));
    QApplication::setFont(vantrel::ui::programFont());
    vantrel::ui::AboutBox box(regional, program);
    QVERIFY(part<QLabel>(box, "Comments").font().pixelSize() <
            vantrel::ui::programFont().pixelSize());

    touch(QDateTime(QDate(2000, 6, 3), QTime(20, 3, 15)));
    QCOMPARE(box.versionText(), QString("Version 2.9\r\nCompiled: 6/3/2000 8:03:15 PM"));
    touch(QDateTime(QDate(2024, 12, 31), QTime(9, 5, 7)));
    QCOMPARE(box.versionText(), QString("Version 2.9\r\nCompiled: 12/31/2024 9:05:07 AM"));

    box.show();
    QCOMPARE(box.windowTitle(), QString("About Vantrel"));
    QCOMPARE(part<QLabel>(box, "Version").text(),
             QString("Version 2.9\nCompiled: 12/31/2024 9:05:07 AM\nletter: ") +
                 vantrel::platform::letterRoute());
    QVERIFY(box.isModal());
    // A fixed-size box, with no minimise or maximise button.
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
}

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
