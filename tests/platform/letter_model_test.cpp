// The word-processor link's own document: editing at the insertion point and at bookmarks,
// the clipboard's text as paragraphs, the file it writes, and its failures. No LibreOffice
// is started here.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/libreoffice_document.h"
#include "platform/libreoffice_document_model.h"
#include "tests/platform/odf_reading.h"

using namespace vantrel;
using platform::CharFormat;
using platform::Paragraph;
using platform::TextDocument;

namespace {

QStringList texts(const TextDocument& document)
{
    QStringList result;
    for (const Paragraph& paragraph : document.paragraphs())
        result << paragraph.text();
    return result;
}

CharFormat sized(double points)
{
    CharFormat format;
    format.sizePoints = points;
    return format;
}

Paragraph paragraphOf(const QString& text, const CharFormat& format = {})
{
    Paragraph paragraph;
    paragraph.runs.push_back({text, format});
    paragraph.markFormat = format;
    return paragraph;
}

// Reads the document back through its own file.
std::vector<testing::ReadParagraph> roundTrip(const TextDocument& document,
                                              const QTemporaryDir& dir)
{
    const QString path = dir.filePath("round-trip.fodt");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(platform::flatOpenDocumentText(document));
    file.close();
    return testing::readFlatOpenDocument(path);
}

}  // namespace

class LetterModelTest : public QObject {
    Q_OBJECT

private slots:
    // Text typed at a bookmark goes after it; text typed before a bookmark moves it on.
    void bookmarksStayBeforeTextTypedAtThem()
    {
        TextDocument document;
        document.addBookmark("Start");
        document.typeText("Law");
        document.typeParagraph();
        document.addBookmark("Second");
        document.typeText("Love");
        document.typeParagraph();

        QCOMPARE(texts(document), (QStringList{"Law", "Love", ""}));
        QCOMPARE(document.bookmark("Start"), 0);
        QCOMPARE(document.bookmark("Second"), 4);
        QCOMPARE(document.insertionPoint(), document.length() - 1);

        document.insertParagraphs(0, {paragraphOf("Date one"), paragraphOf("Date two")});
        QCOMPARE(texts(document), (QStringList{"Date one", "Date two", "Law", "Love", ""}));
        QCOMPARE(document.bookmark("Start"), 0);
        QCOMPARE(document.bookmark("Second"), document.paragraphStart(3));
        QCOMPARE(document.insertionPoint(), document.paragraphStart(4));
    }

    void pasteInsideAParagraphSplitsIt()
    {
        TextDocument document;
        document.typeText("Hello World");
        document.typeParagraph();
        document.addBookmark("End");
        TextDocument::Place place{0, 6};
        const int at = document.paragraphStart(place.paragraph) + place.offset;
        document.insertParagraphs(at, {paragraphOf("X"), paragraphOf("Y")});
        QCOMPARE(texts(document), (QStringList{"Hello X", "Y", "World", ""}));
        QCOMPARE(document.bookmark("End"), document.paragraphStart(3));
    }

    // Typing takes the format of the text before the insertion point, or of the paragraph mark
    // in an empty paragraph; a font change at the insertion point applies to what is typed next.
    void typedTextFormat()
    {
        TextDocument document;
        document.typeText("plain");
        document.setInsertionFormat(sized(14));
        document.typeText(" big");
        document.typeParagraph();
        document.setParagraphFont(0, sized(9));
        document.setAlignment(0, core::ParagraphAlignment::Right);

        const Paragraph& first = document.paragraphs()[0];
        QCOMPARE(first.runs.size(), std::size_t(2));
        QCOMPARE(first.runs[0].format.sizePoints, std::optional<double>(9));
        QCOMPARE(first.runs[1].format.sizePoints, std::optional<double>(9));
        const Paragraph& second = document.paragraphs()[1];
        QCOMPARE(second.alignment, core::ParagraphAlignment::Left);
        QVERIFY_THROWS_EXCEPTION(core::AutomationError,
                                 document.setAlignment(2, core::ParagraphAlignment::Center));
        QVERIFY_THROWS_EXCEPTION(core::AutomationError, document.bookmark("Nowhere"));
        QVERIFY_THROWS_EXCEPTION(core::AutomationError, document.typeText("two\nlines"));
    }

    void richTextBecomesOneParagraphPerLine()
    {
        const auto paragraphs = platform::paragraphsFromHtml(
            "<p align=\"right\"><b>Anno</b> IV<br>Dies</p>"
            "<p><span style=\"font-size:7pt; font-style:italic\">e.v.</span></p>");
        QCOMPARE(paragraphs.size(), std::size_t(3));
        QCOMPARE(paragraphs[0].text(), QString("Anno IV"));
        QCOMPARE(paragraphs[0].alignment, core::ParagraphAlignment::Right);
        QCOMPARE(paragraphs[0].runs.front().format.bold, std::optional<bool>(true));
        QCOMPARE(paragraphs[1].text(), QString("Dies"));
        QCOMPARE(paragraphs[1].alignment, core::ParagraphAlignment::Right);
        QCOMPARE(paragraphs[2].text(), QString("e.v."));
        QCOMPARE(paragraphs[2].runs.front().format.sizePoints, std::optional<double>(7));
        QCOMPARE(paragraphs[2].runs.front().format.italic, std::optional<bool>(true));

        QVERIFY(platform::paragraphsFromHtml("").empty());
    }

    void plainTextLineEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << "a\r\nb" << QStringList{"a", "b"};
        QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("CR") << "a\rb" << QStringList{"a", "b"};
        QTest::newRow("empty line kept") << "a\n\nb" << QStringList{"a", "", "b"};
        QTest::newRow("nothing") << "" << QStringList{};
    }
    void plainTextLineEnds()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QStringList got;
        for (const Paragraph& paragraph : platform::paragraphsFromPlainText(text, {}))
            got << paragraph.text();
        QCOMPARE(got, lines);
    }

    // Blanks anywhere, tabs, bookmarks inside a run and characters XML treats specially all
    // come back from the file as they were.
    void fileKeepsTextBookmarksAndFormat()
    {
        QTemporaryDir dir;
        TextDocument document;
        document.typeText("  two leading, two  inside, one after ");
        document.typeParagraph();
        document.typeText("a\tb <&> \u00b0");
        document.addBookmark("Inside");
        document.typeText("tail");
        document.setAlignment(1, core::ParagraphAlignment::Center);
        CharFormat italic;
        italic.italic = true;
        document.setParagraphFont(1, italic.overlaidWith(sized(10)));

        const auto read = roundTrip(document, dir);
        QCOMPARE(read.size(), std::size_t(2));
        QCOMPARE(read[0].text, QString("  two leading, two  inside, one after "));
        QCOMPARE(read[1].text, QString("a\tb <&> \u00b0tail"));
        QCOMPARE(read[1].bookmarks.value("Inside", -1), 9);
        QCOMPARE(read[1].alignment, QString("center"));
        for (const auto& size : read[1].sizes())
            QCOMPARE(size, std::optional<double>(10));
        for (const auto& isItalic : read[1].italics())
            QCOMPARE(isItalic, std::optional<bool>(true));
        QCOMPARE(read[0].alignment, QString("start"));
    }
};

// The link's object model: references, failures and the files it writes.
class LibreOfficeLinkTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A link to a stand-in program in a folder of its own, keeping its letters in `letters`.
    platform::LibreOfficeOptions optionsWith(const QString& letters, QString& program)
    {
        const QString bin = m_dir.filePath("bin");
        QDir().mkpath(bin);
        program = QDir(bin).filePath("soffice");
        QFile file(program);
        if (file.open(QIODevice::WriteOnly))
            file.write("#!/bin/sh\nexit 0\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        platform::LibreOfficeOptions options;
        options.useSearchPath = false;
        options.folders = {bin};
        options.keepDocumentsIn = letters;
        options.clipboard = [] { return platform::ClipboardContent{}; };
        return options;
    }

private slots:
    void failuresCarryTheirReason()
    {
        QString program;
        platform::LibreOfficeDocument link(optionsWith(m_dir.filePath("letters"), program));
        const core::ApplicationRef app = link.connect();
        QCOMPARE(link.program(), program);
        link.setVisible(app, true);
        const core::DocumentRef document = link.addDocument(app);
        link.addBookmark(document, "Mark");

        QVERIFY_THROWS_EXCEPTION(core::AutomationError, link.paragraph(document, 2));
        QVERIFY_THROWS_EXCEPTION(core::AutomationError, link.paragraph(document, 0));
        QVERIFY_THROWS_EXCEPTION(core::AutomationError, link.bookmark(document, "Missing"));
        // Nothing on the clipboard to paste as rich text.
        try {
            link.pasteSpecial(link.range(link.bookmark(document, "Mark")),
                              core::PasteDataType::RichText);
            QFAIL("a paste of nothing succeeded");
        } catch (const core::AutomationError& error) {
            QCOMPARE(QString(error.what()), QString("The specified data type is unavailable"));
        }

        // References do not outlive the connection.
        link.disconnect(app);
        QVERIFY_THROWS_EXCEPTION(core::AutomationError, link.setVisible(app, true));
        QVERIFY_THROWS_EXCEPTION(core::AutomationError, link.paragraph(document, 1));
    }

    // The program removed between two uses: the old connection fails, a new one is refused
    // with a message that says where the program was looked for.
    void wordProcessorGoneAway()
    {
        QString program;
        platform::LibreOfficeOptions options = optionsWith(m_dir.filePath("letters"), program);
        platform::LibreOfficeDocument link(options);
        const core::ApplicationRef app = link.connect();
        QVERIFY(QFile::remove(program));
        QVERIFY_THROWS_EXCEPTION(core::AutomationError, link.setVisible(app, true));
        link.disconnect(app);
        try {
            link.connect();
            QFAIL("connected to a program that is not there");
        } catch (const core::AutomationError& error) {
            QVERIFY2(QString(error.what()).contains(options.folders.front()), error.what());
        }
    }

    // Writer is started on the finished letter as on a template, from a folder only this user
    // can read.
    void finishedLetterIsOpenedAsANewDocument()
    {
        const QString bin = m_dir.filePath("launch-bin");
        const QString record = m_dir.filePath("launched.txt");
        QDir().mkpath(bin);
        QFile script(QDir(bin).filePath("soffice"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QString("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part' && mv '%1.part' '%1'\n")
                         .arg(record)
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        const QString temp = m_dir.filePath("tmp");
        QDir().mkpath(temp);
        qputenv("TMPDIR", temp.toUtf8());
        platform::LibreOfficeOptions options;
        options.useSearchPath = false;
        options.folders = {bin};
        platform::LibreOfficeDocument link(options);
        const core::ApplicationRef app = link.connect();
        link.setVisible(app, true);
        link.present(link.addDocument(app));
        qunsetenv("TMPDIR");

        QCOMPARE(link.writtenDocuments().size(), 1);
        const QString letter = link.writtenDocuments().front();
        QVERIFY2(letter.startsWith(temp + "/"), qPrintable(letter));
        const QFileInfo folder(QFileInfo(letter).absolutePath());
        QCOMPARE(folder.permissions() & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::Permissions());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QFile launched(record);
        QVERIFY(launched.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(launched.readAll()), "-n\n" + letter + "\n");
    }

    void lettersNeverOverwriteFilesAlreadyThere()
    {
        const QString letters = m_dir.filePath("kept");
        QDir().mkpath(letters);
        QFile existing(QDir(letters).filePath("letter-1.fodt"));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("mine");
        existing.close();

        QString program;
        platform::LibreOfficeDocument link(optionsWith(letters, program));
        const core::ApplicationRef app = link.connect();
        link.present(link.addDocument(app));
        link.present(link.addDocument(app));

        QCOMPARE(link.writtenDocuments(), (QStringList{QDir(letters).filePath("letter-2.fodt"),
                                                       QDir(letters).filePath("letter-3.fodt")}));
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("mine"));
    }
};

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    int status = 0;
    LetterModelTest model;
    status |= QTest::qExec(&model, argc, argv);
    LibreOfficeLinkTest link;
    status |= QTest::qExec(&link, argc, argv);
    return status;
}

#include "letter_model_test.moc"
