// The Qt adapters that reach the desktop: tray balloons without a tray, message boxes over the
// window in use, the single-instance lock and its call to the running window, sounds that never
// make the program wait and take turns, and the desktop's opener telling a missing browser.

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "platform/qt_messages.h"
#include "platform/qt_shell.h"
#include "platform/qt_single_instance.h"
#include "platform/qt_sound.h"
#include "platform/qt_tray.h"
#include "tests/fakes/fake_ports.h"

Q_LOGGING_CATEGORY(lcMultimedia, "qt.multimedia.audiooutput")

class DesktopAdaptersTest : public QObject {
    Q_OBJECT

private slots:
    void balloonWithoutATrayUsesThePopUp();
    void aSecondInstanceIsRefusedButADeadOnesLockIsNot();
    void messageBoxesComeUpOverTheWindowInUse();
    void alarmSoundsTakeTurns();
    void soundsNeverWaitAndNothingStartsUnheard();
    void soundSystemChatterStaysOffTheTerminal();
    void theOpenerTellsOnlyAMissingHandler();
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

void DesktopAdaptersTest::alarmSoundsTakeTurns()
{
    using vantrel::platform::SoundQueue;
    QStringList started;
    SoundQueue queue([&started](const QString& file) { started << file; });

    // Two alarms of one minute: the second plays when the first has ended.
    QVERIFY(queue.append("venus_hour.wav"));
    QVERIFY(queue.append("sun_rises.wav"));
    QCOMPARE(started, QStringList{"venus_hour.wav"});
    queue.ended();
    QCOMPARE(started, QStringList({"venus_hour.wav", "sun_rises.wav"}));
    queue.ended();
    QVERIFY(!queue.isPlaying());

    // The arming sound takes the place of what plays and waits; alarms are skipped meanwhile.
    queue.append("a.wav");
    queue.append("b.wav");
    queue.replaceAll("sun.wav");
    QCOMPARE(started.last(), QString("sun.wav"));
    QCOMPARE(queue.waiting(), std::size_t(0));
    QVERIFY(!queue.append("c.wav"));
    queue.ended();

    // A small queue: past its size alarms are skipped rather than sounding minutes late.
    QVERIFY(queue.append("first.wav"));
    for (std::size_t i = 0; i < SoundQueue::kMaxWaiting; ++i)
        QVERIFY(queue.append("waits.wav"));
    QVERIFY(!queue.append("late.wav"));
}

void DesktopAdaptersTest::soundsNeverWaitAndNothingStartsUnheard()
{
    const std::string wave = std::string(VANTREL_SOUNDS_DIR) + "/venus_hour.wav";
    vantrel::platform::QtSound unheard(nullptr, [] { return false; });
    QVERIFY(!unheard.canBeHeard());
    unheard.playAsync(wave);
    QVERIFY(!unheard.isPlaying());
    QVERIFY(!unheard.playInTurn(wave));

    vantrel::platform::QtSound sound;
    QVERIFY(!sound.playInTurn(std::string(VANTREL_SOUNDS_DIR) + "/missing.wav"));
    if (!sound.canBeHeard())
        QSKIP("No audio output here: sounds cannot be played to their end");
    QVERIFY(sound.playInTurn(wave));
    QVERIFY(sound.playInTurn(wave));
    QCOMPARE(sound.waiting(), std::size_t(1));
    QTRY_VERIFY_WITH_TIMEOUT(!sound.isPlaying(), 10000);
}

std::vector<QString> g_passedOn;

void DesktopAdaptersTest::soundSystemChatterStaysOffTheTerminal()
{
    const QtMessageHandler before =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            g_passedOn.push_back(text);
        });
    vantrel::platform::QtSound::keepSoundSystemQuiet();
    qWarning("PulseAudioService: pa_context_connect() failed");
    qCWarning(lcMultimedia) << "no audio device";
    qWarning("Cannot open file x");
    qInstallMessageHandler(before);
    QCOMPARE(g_passedOn, std::vector<QString>{"Cannot open file x"});
}

// An xdg-open stand-in that ends with the status given; only "no program for it" is told.
void DesktopAdaptersTest::theOpenerTellsOnlyAMissingHandler()
{
    vantrel::testing::TempDir dir;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(dir.path().string()) + ":" + path);
    const struct {
        int exitStatus;
        bool told;
    } rows[] = {{vantrel::platform::kXdgOpenNoHandler, true}, {0, false}, {4, false}};
    for (const auto& row : rows) {
        vantrel::testing::writeWholeFile(
            dir.path() / "xdg-open", "#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/asked\"\nexit " +
                                         std::to_string(row.exitStatus) + "\n");
        std::filesystem::permissions(dir.path() / "xdg-open", std::filesystem::perms::owner_all);
        std::filesystem::remove(dir.path() / "asked");
        auto told = std::make_shared<bool>(false);
        vantrel::platform::QtShell().openOrTell("/usr/share/vantrel/vantrel.html",
                                                [told] { *told = true; });
        QTRY_VERIFY(std::filesystem::exists(dir.path() / "asked"));
        if (row.told)
            QTRY_VERIFY(*told);
        QTest::qWait(200);  // the exit is read from the event loop
        QCOMPARE(*told, row.told);
        QCOMPARE(vantrel::testing::readWholeFile(dir.path() / "asked"),
                 std::string("file:///usr/share/vantrel/vantrel.html\n"));
    }
    qputenv("PATH", path);
}

QTEST_MAIN(DesktopAdaptersTest)
#include "desktop_adapters_test.moc"
