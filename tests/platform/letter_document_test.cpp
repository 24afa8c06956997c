// The letter built as a flat document and read back by a real LibreOffice.

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include "core/document/document_insertion.h"
#include "platform/libreoffice_document.h"
#include "platform/qt_clipboard.h"
#include "tests/fakes/fake_ports.h"
#include "tests/platform/letter_checks.h"
#include "tests/platform/odf_reading.h"
#include "ui/main_view_adapter.h"

using namespace vantrel;
using testing::ReadParagraph;

using testing::fillDisplay;
using testing::texts;
using testing::withGreetings;

class LetterDocumentTest : public QObject {
    Q_OBJECT

private:
    QString m_soffice;
    QTemporaryDir m_work;
    QString m_profile;
    int m_conversions = 0;

    // Builds letters with the real link, writing them into a fresh folder; returns the files.
    QStringList buildLetters(const QStringList& displayLines, int oLines, int uses,
                             QTextEdit* displayOut = nullptr)
    {
        const QString folder = m_work.filePath(QString("letters-%1").arg(++m_conversions));
        QDir().mkpath(folder);
        platform::LibreOfficeOptions options;
        options.keepDocumentsIn = folder;
        platform::LibreOfficeDocument automation(options);
        platform::QtClipboard clipboard;
        QTextEdit ownDisplay;
        QTextEdit& display = displayOut ? *displayOut : ownDisplay;
        fillDisplay(display, displayLines);
        ui::TextEditDateDisplay dateDisplay(display, clipboard);
        testing::FakeMessages messages;
        core::DocumentInsertion insertion(automation, dateDisplay, messages);
        core::Settings settings;
        settings.lineCount = core::choiceFromIndex<core::LineCount>(oLines);
        for (int use = 0; use < uses; ++use)
            insertion.insertLetter(settings);
        if (!messages.errors.empty())
            qWarning("error reported: %s", messages.errors.front().c_str());
        return automation.writtenDocuments();
    }

    std::vector<ReadParagraph> readBack(const QString& fodt)
    {
        const QString out = m_work.filePath(QString("converted-%1").arg(++m_conversions));
        QDir().mkpath(out);
        try {
            const QString converted =
                testing::convertWithLibreOffice(m_soffice, fodt, "fodt", out, m_profile);
            return testing::readFlatOpenDocument(converted);
        } catch (const std::exception& error) {
            qWarning("%s", error.what());
            return {};
        }
    }

private slots:
    void initTestCase()
    {
        // The same search the link makes; the letter cannot be checked without LibreOffice.
        platform::LibreOfficeDocument probe;
        try {
            probe.connect();
        } catch (const std::exception& error) {
            QFAIL(qPrintable(QString("LibreOffice is needed for these tests "
                                     "(scripts/setup.sh --tests installs it): ") +
                             error.what()));
        }
        m_soffice = probe.program();
        QVERIFY(m_work.isValid());
        m_profile = m_work.filePath("profile");
    }

    void layoutForEachLinesSetting_data() { testing::addLayoutRows(); }

    void layoutForEachLinesSetting()
    {
        QFETCH(QStringList, display);
        QFETCH(int, oLines);
        QFETCH(int, dateLines);

        const QStringList files = buildLetters(display, oLines, 1);
        QCOMPARE(files.size(), 1);
        testing::checkLayout(readBack(files.front()), display, dateLines);
    }

    // With "One Line" and a display of three lines (or with greetings in the date text), only
    // the first pasted paragraph is a date line; the others keep the display's formatting.
    void onlyTheSettingsDateLinesAreFormatted()
    {
        const QStringList display{"Anno IVviii", "Dies Saturnii", "e.v. 8:03 PM"};
        const QStringList files = buildLetters(display, 0, 1);
        QCOMPARE(files.size(), 1);
        const std::vector<ReadParagraph> paragraphs = readBack(files.front());
        QCOMPARE(texts(paragraphs), withGreetings(display));
        QCOMPARE(paragraphs[0].alignment, QString("end"));
        QCOMPARE(paragraphs[0].sizes().front(), std::optional<double>(8));
        for (int i = 1; i < 3; ++i) {
            QVERIFY(paragraphs[i].alignment != "end");
            QCOMPARE(paragraphs[i].sizes().front(), std::optional<double>(12));
        }
    }

    // A verse in the display and "Three Lines": the one pasted line is the only date line;
    // the greetings after it stay centred in italics.
    void greetingsAreNotTakenForDateLines()
    {
        const QStringList display{"Every man and every woman is a star."};
        const QStringList files = buildLetters(display, 2, 1);
        QCOMPARE(files.size(), 1);
        const std::vector<ReadParagraph> paragraphs = readBack(files.front());
        QCOMPARE(texts(paragraphs), withGreetings(display));
        QCOMPARE(paragraphs[0].alignment, QString("end"));
        for (int i = 1; i < 3; ++i) {
            QCOMPARE(paragraphs[i].alignment, QString("center"));
            QCOMPARE(paragraphs[i].sizes().front(), std::optional<double>(10));
        }
    }

    void twoUsesGiveTwoDocumentsWithTheirOwnBookmarks()
    {
        const QStringList display{"Anno IVviii Sol in Gemini", "Saturday e.v."};
        const QStringList files = buildLetters(display, 1, 2);
        QCOMPARE(files.size(), 2);
        QVERIFY(files[0] != files[1]);
        for (const QString& file : files) {
            const std::vector<ReadParagraph> paragraphs = readBack(file);
            QCOMPARE(texts(paragraphs), withGreetings(display));
            QCOMPARE(paragraphs[0].bookmarks.value("FirstRealPara", -1), 0);
            QCOMPARE(paragraphs[3].bookmarks.value("Bod", -1), 0);
        }
    }

    void clipboardAndCaretAfterwards()
    {
        QTextEdit display;
        const QStringList lines{"Anno IVviii Sol in Gemini", "Saturday e.v."};
        buildLetters(lines, 1, 1, &display);

        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QVERIFY(data->hasHtml());
        QVERIFY(data->html().contains("Anno IVviii Sol in Gemini"));
        QCOMPARE(data->text(), lines.join("\n"));
        QVERIFY(!display.textCursor().hasSelection());
        QCOMPARE(display.textCursor().position(), display.document()->characterCount() - 1);
    }

    void noWordProcessorIsReportedAndNothingWritten()
    {
        const QString empty = m_work.filePath("no-programs");
        const QString letters = m_work.filePath("no-letters");
        QDir().mkpath(empty);
        QDir().mkpath(letters);
        platform::LibreOfficeOptions options;
        options.useSearchPath = false;
        options.folders = {empty};
        options.keepDocumentsIn = letters;
        platform::LibreOfficeDocument automation(options);
        platform::QtClipboard clipboard;
        QTextEdit display;
        fillDisplay(display, {"Anno"});
        ui::TextEditDateDisplay dateDisplay(display, clipboard);
        testing::FakeMessages messages;
        core::DocumentInsertion insertion(automation, dateDisplay, messages);

        insertion.insertLetter(core::Settings{});

        QCOMPARE(messages.errors.size(), std::size_t(1));
        const QString message = QString::fromStdString(messages.errors.front());
        QVERIFY2(message.contains("soffice") && message.contains(empty) &&
                     message.contains("package libreoffice-writer"),
                 qPrintable(message));
        QVERIFY(!insertion.isConnected());
        QVERIFY(QDir(letters).isEmpty());
    }
};

QTEST_MAIN(LetterDocumentTest)
#include "letter_document_test.moc"
