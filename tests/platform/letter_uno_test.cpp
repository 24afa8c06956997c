// The letter built through UNO in a real headless office, which the link starts for the test on
// a private pipe with a private profile; read back through UNO.

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QUrl>
#include <QtTest>

#include <com/sun/star/lang/DisposedException.hpp>

#include "core/document/document_insertion.h"
#include "platform/libreoffice_uno.h"
#include "platform/libreoffice_uno_pipe.h"
#include "platform/qt_clipboard.h"
#include "tests/fakes/fake_ports.h"
#include "tests/platform/letter_checks.h"
#include "tests/platform/uno_reading.h"
#include "ui/main_view_adapter.h"

using namespace vantrel;
using testing::ReadLetter;
using testing::WriterDocument;

namespace {

// Longer than every test together may take; past it the office is killed and the test ends.
constexpr int kWatchdogSeconds = 240;

bool processGroupGone(qint64 group, int waitSeconds)
{
    for (int tenth = 0; tenth <= waitSeconds * 10; ++tenth) {
        if (::kill(static_cast<pid_t>(-group), 0) != 0 && errno == ESRCH)
            return true;
        QThread::msleep(100);
    }
    return false;
}

}  // namespace

class LetterUnoTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_work;
    platform::LibreOfficeOptions m_options;
    std::atomic<qint64> m_office{0};  // the office's process group; 0: none started
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
    std::thread m_watchdog;

    struct Letterhead {
        platform::LibreOfficeUno link;
        platform::QtClipboard clipboard;
        QTextEdit display;
        ui::TextEditDateDisplay dateDisplay{display, clipboard};
        testing::FakeMessages messages;
        core::DocumentInsertion insertion{link, dateDisplay, messages};
        core::Settings settings;

        Letterhead(const platform::LibreOfficeOptions& options, const QStringList& lines,
                   int oLines)
            : link(options)
        {
            testing::fillDisplay(display, lines);
            settings.lineCount = core::choiceFromIndex<core::LineCount>(oLines);
        }
    };

    // The Writer documents of the office on the test's pipe; none while no office answers
    // there, or one that was quit is on its way out.
    std::vector<WriterDocument> documentsOnPipe()
    {
        try {
            if (const auto context = platform::officeOnPipe(m_options.pipeName).context;
                context.is())
                return testing::writerDocuments(context);
        } catch (const css::lang::DisposedException&) {
        }
        return {};
    }

    css::uno::Reference<css::uno::XComponentContext> office()
    {
        const auto context = platform::officeOnPipe(m_options.pipeName).context;
        if (!context.is())
            qFatal("the test's office does not answer");
        return context;
    }

    // Inserts `uses` letters; returns the documents that are new afterwards, read back.
    std::vector<ReadLetter> insertLetters(Letterhead& letterhead, int uses)
    {
        const std::vector<WriterDocument> before = documentsOnPipe();
        for (int use = 0; use < uses; ++use)
            letterhead.insertion.insertLetter(letterhead.settings);
        // The office runs in a session of its own, whose leader started it.
        if (const qint64 started = letterhead.link.startedOffice(); started != 0)
            m_office = ::getpgid(static_cast<pid_t>(started));
        for (const std::string& error : letterhead.messages.errors)
            qWarning("error reported: %s", error.c_str());
        std::vector<ReadLetter> letters;
        for (const WriterDocument& document : testing::writerDocuments(office()))
            if (std::find(before.begin(), before.end(), document) == before.end())
                letters.push_back(testing::readWriterDocument(document));
        return letters;
    }

    void endOffice()
    {
        if (m_office == 0)
            return;
        if (const auto context = platform::officeOnPipe(m_options.pipeName).context; context.is())
            testing::terminateOffice(context);
        if (!processGroupGone(m_office, 20))
            ::kill(static_cast<pid_t>(-m_office), SIGKILL);
        processGroupGone(m_office, 5);
        m_office = 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        if (platform::findLibreOffice(m_options).isEmpty())
            QFAIL("LibreOffice is needed for these tests (scripts/setup.sh --tests installs it)");
        // Temporary files of this program would land here.
        QVERIFY(QDir().mkpath(m_work.filePath("tmp")));
        qputenv("TMPDIR", m_work.filePath("tmp").toLocal8Bit());
        m_options.pipeName = QString("vantrel-test-%1").arg(QCoreApplication::applicationPid());
        m_options.officeArguments = {
            "--headless", "--invisible", "--norestore",
            "-env:UserInstallation=" + QUrl::fromLocalFile(m_work.filePath("profile")).toString()};
        m_options.startSeconds = 120;
        m_watchdog = std::thread([this] {
            std::unique_lock lock(m_mutex);
            if (m_finished.wait_for(lock, std::chrono::seconds(kWatchdogSeconds),
                                    [this] { return m_done; }))
                return;
            std::fprintf(stderr, "letter tests: no end after %d s, office killed\n",
                         kWatchdogSeconds);
            if (m_office != 0)
                ::kill(static_cast<pid_t>(-m_office), SIGKILL);
            std::_Exit(3);
        });
    }

    void cleanupTestCase()
    {
        endOffice();
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_finished.notify_all();
        m_watchdog.join();
    }

    void layoutForEachLinesSetting_data() { testing::addLayoutRows(); }

    // The layout of every route, with the caret in the empty last paragraph.
    void layoutForEachLinesSetting()
    {
        QFETCH(QStringList, display);
        QFETCH(int, oLines);
        QFETCH(int, dateLines);

        Letterhead letterhead(m_options, display, oLines);
        const std::vector<ReadLetter> letters = insertLetters(letterhead, 1);
        QCOMPARE(letters.size(), std::size_t(1));
        const ReadLetter& letter = letters.front();
        testing::checkLayout(letter.paragraphs, display, dateLines);
        QCOMPARE(letter.caretParagraph, static_cast<int>(letter.paragraphs.size()) - 1);
        QCOMPARE(letter.caretOffset, 0);
        QVERIFY(!letter.caretSelects);
    }

    // One connection, two uses: two documents, each with its own bookmarks; no files left.
    void twoUsesGiveTwoDocuments()
    {
        const QStringList display{"Anno IVviii Sol in Gemini", "Saturday e.v."};
        Letterhead letterhead(m_options, display, 1);
        const std::vector<ReadLetter> letters = insertLetters(letterhead, 2);
        QCOMPARE(letters.size(), std::size_t(2));
        for (const ReadLetter& letter : letters)
            testing::checkLayout(letter.paragraphs, display, 2);
        QCOMPARE(letterhead.link.startedOffice(), qint64(0));  // the running office was used
        QCOMPARE(QDir(m_work.filePath("tmp")).entryList({"vantrel*"}, QDir::AllEntries),
                 QStringList());
    }

    void officeQuitBetweenUsesIsStartedAgain_data()
    {
        QTest::addColumn<bool>("waitForItsEnd");
        QTest::newRow("next letter at once") << false;
        QTest::newRow("next letter once the office has ended") << true;
    }

    // The user quits Writer between two letters, as its Quit command does: through the
    // desktop's terminate. The next letter starts an office again and is written into it.
    void officeQuitBetweenUsesIsStartedAgain()
    {
        QFETCH(bool, waitForItsEnd);
        const QStringList display{"Anno IVviii"};
        Letterhead letterhead(m_options, display, 0);
        QCOMPARE(insertLetters(letterhead, 1).size(), std::size_t(1));
        const qint64 quit = m_office;
        const auto quitOfficeEnds = [quit] {
            if (processGroupGone(quit, 20))
                return true;
            ::kill(static_cast<pid_t>(-quit), SIGKILL);
            return false;
        };
        QVERIFY(testing::terminateOffice(office()));
        if (waitForItsEnd)
            QVERIFY(quitOfficeEnds());

        const std::vector<ReadLetter> letters = insertLetters(letterhead, 1);
        QVERIFY(quitOfficeEnds());
        QVERIFY(m_office != 0 && m_office != quit);
        QCOMPARE(letters.size(), std::size_t(1));
        testing::checkLayout(letters.front().paragraphs, display, 1);
        QVERIFY(letterhead.insertion.isConnected());
        QVERIFY(letterhead.messages.errors.empty());
    }

    void noOfficeIsReported()
    {
        platform::LibreOfficeOptions options = m_options;
        options.useSearchPath = false;
        options.folders = {m_work.filePath("no-programs")};
        options.pipeName = m_options.pipeName + "-none";
        Letterhead letterhead(options, {"Anno"}, 0);
        letterhead.insertion.insertLetter(letterhead.settings);
        QCOMPARE(letterhead.messages.errors.size(), std::size_t(1));
        // Where it looked, and what to install.
        const QString message = QString::fromStdString(letterhead.messages.errors.front());
        QVERIFY2(message.contains("no-programs") && message.contains("package libreoffice-writer"),
                 qPrintable(message));
        QVERIFY(!letterhead.insertion.isConnected());
    }
};

QTEST_MAIN(LetterUnoTest)
#include "letter_uno_test.moc"
