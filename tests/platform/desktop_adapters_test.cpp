// The Qt adapters that reach the desktop: tray balloons without a tray, message boxes over the
// window in use, the single-instance lock and its call to the running window, and sounds that
// never make the program wait.

#include <string>

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "platform/qt_messages.h"
#include "platform/qt_single_instance.h"
#include "platform/qt_sound.h"
#include "platform/qt_tray.h"
#include "tests/fakes/fake_ports.h"

class DesktopAdaptersTest : public QObject {
    Q_OBJECT

private slots:
    void balloonWithoutATrayUsesThePopUp();
    void aSecondInstanceIsRefusedButADeadOnesLockIsNot();
    void messageBoxesComeUpOverTheWindowInUse();
    void soundsNeverWaitAndSkipWhileOnePlays();
};

void DesktopAdaptersTest::balloonWithoutATrayUsesThePopUp()
{
    vantrel::platform::QtTray tray(nullptr, [] { return false; });
    tray.showBalloon("Title", "Text of the note");
    QVERIFY(tray.popup() != nullptr);
    QVERIFY(tray.popup()->isVisible());
    QCOMPARE(tray.popup()->title(), QString("Title"));
    QCOMPARE(tray.popup()->text(), QString("Text of the note"));
}

void DesktopAdaptersTest::aSecondInstanceIsRefusedButADeadOnesLockIsNot()
{
    using vantrel::platform::SingleInstance;
    vantrel::testing::TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    {
        SingleInstance first(folder);
        QVERIFY(first.acquire());
        QVERIFY(first.lockPath().endsWith("{B7C008B9-41EA-4094-A5FF-A86715364CD7}.lock"));
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        SingleInstance second(folder);
        QVERIFY(!second.acquire());
        QVERIFY(second.activateRunning());
        QTRY_COMPARE(asked.count(), 1);
    }
    // A lock and a socket left by an instance that has ended: its process id names no running
    // program.
    vantrel::testing::writeWholeFile(dir.path() / "{B7C008B9-41EA-4094-A5FF-A86715364CD7}.lock",
                                     "999999999\nvantrel\n\n");
    vantrel::testing::writeWholeFile(dir.path() / "{B7C008B9-41EA-4094-A5FF-A86715364CD7}.socket",
                                     "");
    SingleInstance next(folder);
    QVERIFY(next.acquire());
    QSignalSpy asked(&next, &SingleInstance::activationRequested);
    QVERIFY(SingleInstance(folder).activateRunning());
    QTRY_COMPARE(asked.count(), 1);
}

void DesktopAdaptersTest::messageBoxesComeUpOverTheWindowInUse()
{
    QWidget main;
    main.show();
    vantrel::platform::QtMessages messages(&main);
    QWidget* parentSeen = nullptr;
    const auto answerTheBox = [&parentSeen] {
        QTimer::singleShot(0, [&parentSeen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            parentSeen = box->parentWidget();
            box->accept();
        });
    };

    // Nothing of the program is active: the box belongs to the main window.
    answerTheBox();
    messages.showMessage("A note");
    QCOMPARE(parentSeen, &main);

    // Working in another window (the options dialog, say): the box comes up over that one.
    QWidget options;
    options.show();
    options.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &options);
    parentSeen = nullptr;
    answerTheBox();
    messages.showError("Cannot create file x");
    QCOMPARE(parentSeen, &options);
}

void DesktopAdaptersTest::soundsNeverWaitAndSkipWhileOnePlays()
{
    vantrel::platform::QtSound sound;
    const std::string wave = std::string(VANTREL_SOUNDS_DIR) + "/venus_hour.wav";
    QVERIFY(!sound.playUnlessPlaying(std::string(VANTREL_SOUNDS_DIR) + "/missing.wav"));
    if (!vantrel::platform::QtSound::hasAudioOutput()) {
        // Nothing can be heard: nothing starts, and nothing is left "playing" to block alarms.
        sound.playAsync(wave);
        QVERIFY(!sound.isPlaying());
        QVERIFY(!sound.playUnlessPlaying(wave));
        QVERIFY(!sound.isPlaying());
        return;
    }
    QVERIFY(sound.playUnlessPlaying(wave));
    QVERIFY(!sound.playUnlessPlaying(wave));  // the first still plays
    sound.playAsync(wave);                    // the arming sound replaces it
    QVERIFY(sound.isPlaying());
}

QTEST_MAIN(DesktopAdaptersTest)
#include "desktop_adapters_test.moc"
