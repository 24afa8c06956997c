#include "platform/libreoffice_document.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include "core/common/error.h"

namespace vantrel::platform {

using core::AutomationError;

namespace {

std::string text(const QString& value)
{
    return value.toStdString();
}

CharFormat charFormatOf(const QTextCharFormat& format)
{
    CharFormat result;
    if (format.hasProperty(QTextFormat::FontPointSize))
        result.sizePoints = format.fontPointSize();
    if (format.hasProperty(QTextFormat::FontItalic))
        result.italic = format.fontItalic();
    if (format.hasProperty(QTextFormat::FontWeight))
        result.bold = format.fontWeight() >= QFont::DemiBold;
    if (format.hasProperty(QTextFormat::FontUnderline) ||
        format.hasProperty(QTextFormat::TextUnderlineStyle))
        result.underline = format.fontUnderline();
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty())
            result.family = families.first();
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        result.color = format.foreground().color().name();
    return result;
}

core::ParagraphAlignment alignmentOf(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return core::ParagraphAlignment::Center;
    if (alignment & Qt::AlignJustify)
        return core::ParagraphAlignment::Justify;
    if (alignment & Qt::AlignRight)
        return core::ParagraphAlignment::Right;
    return core::ParagraphAlignment::Left;
}

}  // namespace

std::vector<Paragraph> paragraphsFromHtml(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    std::vector<Paragraph> result;
    if (document.isEmpty())
        return result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        Paragraph line;
        line.alignment = alignmentOf(block.blockFormat().alignment());
        line.markFormat = charFormatOf(block.charFormat());
        Paragraph current = line;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const CharFormat format = charFormatOf(fragment.charFormat());
            // A line break inside a block ends a line just as a block does.
            const QStringList pieces = fragment.text().split(QChar::LineSeparator);
            for (qsizetype i = 0; i < pieces.size(); ++i) {
                if (i > 0) {
                    result.push_back(current);
                    current = line;
                }
                if (!pieces[i].isEmpty())
                    current.runs.push_back({pieces[i], format});
            }
        }
        result.push_back(current);
    }
    return result;
}

std::vector<Paragraph> paragraphsFromPlainText(const QString& text, const CharFormat& format)
{
    std::vector<Paragraph> result;
    if (text.isEmpty())
        return result;
    QStringList lines = text.split(QRegularExpression("\r\n|\r|\n"));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        Paragraph paragraph;
        paragraph.markFormat = format;
        if (!line.isEmpty())
            paragraph.runs.push_back({line, format});
        result.push_back(paragraph);
    }
    return result;
}

QString findLibreOffice(const LibreOfficeOptions& options)
{
    for (const QString& name : options.programNames) {
        if (options.useSearchPath) {
            const QString found = QStandardPaths::findExecutable(name);
            if (!found.isEmpty())
                return found;
        }
    }
    for (const QString& folder : options.folders) {
        for (const QString& name : options.programNames) {
            const QFileInfo candidate(QDir(folder).filePath(name));
            if (candidate.isFile() && candidate.isExecutable())
                return candidate.absoluteFilePath();
        }
    }
    return {};
}

std::string libreOfficeNotFoundMessage(const LibreOfficeOptions& options)
{
    QStringList places;
    if (options.useSearchPath)
        places << "on the search path";
    if (!options.folders.isEmpty())
        places << "in " + options.folders.join(", ");
    return text("No word processor was found: looked for " + options.programNames.join(" and ") +
                " " + places.join(" and ") + ". " + QString::fromStdString(writerMissingAdvice()));
}

std::string writerMissingAdvice()
{
    return "The letter needs LibreOffice Writer: on Debian, install the package "
           "libreoffice-writer";
}

ClipboardContent systemClipboardContent()
{
    ClipboardContent content;
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData()) {
        if (data->hasHtml())
            content.html = data->html();
        content.plainText = data->text();
    }
    return content;
}

std::vector<Paragraph> pastedParagraphs(const ClipboardContent& content,
                                        core::PasteDataType dataType)
{
    if (dataType == core::PasteDataType::RichText) {
        if (content.html.isEmpty())
            throw AutomationError("The specified data type is unavailable");
        return paragraphsFromHtml(content.html);
    }
    if (content.plainText.isEmpty() && content.html.isEmpty())
        throw AutomationError("The specified data type is unavailable");
    return paragraphsFromPlainText(content.plainText, {});
}

LibreOfficeDocument::LibreOfficeDocument(LibreOfficeOptions options) : m_options(std::move(options))
{
    if (!m_options.clipboard)
        m_options.clipboard = systemClipboardContent;
}

LibreOfficeDocument::~LibreOfficeDocument() = default;

template <class Kind> const Kind& LibreOfficeDocument::lookUp(std::uint64_t id) const
{
    requireConnection();
    return m_objects.template lookUp<Kind>(id);
}

void LibreOfficeDocument::requireConnection() const
{
    if (m_program.isEmpty())
        throw AutomationError("The word processor is not connected");
}

TextDocument& LibreOfficeDocument::documentAt(int document)
{
    if (document < 0 || document >= static_cast<int>(m_documents.size()))
        throw AutomationError("The document is no longer open");
    return *m_documents[document];
}

TextDocument& LibreOfficeDocument::activeDocument()
{
    if (m_documents.empty())
        throw AutomationError("This command is not available because no document is open");
    return *m_documents.back();
}

core::ApplicationRef LibreOfficeDocument::connect()
{
    const QString program = findLibreOffice(m_options);
    if (program.isEmpty())
        throw AutomationError(libreOfficeNotFoundMessage(m_options));
    m_program = program;
    return {hand(ApplicationObject{})};
}

void LibreOfficeDocument::disconnect(core::ApplicationRef)
{
    m_program.clear();
    m_visible = false;
    m_objects.clear();
    m_documents.clear();
}

void LibreOfficeDocument::setVisible(core::ApplicationRef application, bool visible)
{
    lookUp<ApplicationObject>(application.id);
    // The one sign that the word processor went away since it was found.
    const QFileInfo program(m_program);
    if (!program.isFile() || !program.isExecutable())
        throw AutomationError(text("The word processor " + m_program + " is no longer there"));
    m_visible = visible;
}

core::DocumentRef LibreOfficeDocument::addDocument(core::ApplicationRef application)
{
    lookUp<ApplicationObject>(application.id);
    m_documents.push_back(std::make_unique<TextDocument>());
    return {hand(DocumentObject{static_cast<int>(m_documents.size()) - 1})};
}

void LibreOfficeDocument::addBookmark(core::DocumentRef document, const std::string& name)
{
    const int index = lookUp<DocumentObject>(document.id).document;
    TextDocument& target = documentAt(index);
    if (&target != &activeDocument())
        throw AutomationError("A bookmark without a range goes into the active document only");
    target.addBookmark(QString::fromStdString(name));
}

core::BookmarkRef LibreOfficeDocument::bookmark(core::DocumentRef document, const std::string& name)
{
    const int index = lookUp<DocumentObject>(document.id).document;
    const QString bookmarkName = QString::fromStdString(name);
    documentAt(index).bookmark(bookmarkName);
    return {hand(BookmarkObject{index, bookmarkName})};
}

core::SelectionRef LibreOfficeDocument::selection(core::ApplicationRef application)
{
    lookUp<ApplicationObject>(application.id);
    activeDocument();
    return {hand(SelectionObject{})};
}

void LibreOfficeDocument::typeText(core::SelectionRef selection, const std::string& typed)
{
    lookUp<SelectionObject>(selection.id);
    activeDocument().typeText(QString::fromStdString(typed));
}

void LibreOfficeDocument::typeParagraph(core::SelectionRef selection)
{
    lookUp<SelectionObject>(selection.id);
    activeDocument().typeParagraph();
}

core::ParagraphRef LibreOfficeDocument::paragraph(core::DocumentRef document, int index)
{
    const int documentIndex = lookUp<DocumentObject>(document.id).document;
    const int count = static_cast<int>(documentAt(documentIndex).paragraphs().size());
    if (index < 1 || index > count)
        throw AutomationError("The requested member of the collection does not exist: paragraph " +
                              std::to_string(index) + " of " + std::to_string(count));
    return {hand(ParagraphObject{documentIndex, index})};
}

core::ParagraphFormatRef LibreOfficeDocument::paragraphFormat(core::ParagraphRef paragraph)
{
    const ParagraphObject object = lookUp<ParagraphObject>(paragraph.id);
    return {hand(FormatObject{object.document, object.index})};
}

core::RangeRef LibreOfficeDocument::range(core::ParagraphRef paragraph)
{
    const ParagraphObject object = lookUp<ParagraphObject>(paragraph.id);
    return {hand(RangeObject{object.document, object.index, {}})};
}

core::RangeRef LibreOfficeDocument::range(core::BookmarkRef bookmark)
{
    const BookmarkObject object = lookUp<BookmarkObject>(bookmark.id);
    documentAt(object.document).bookmark(object.name);
    return {hand(RangeObject{object.document, 0, object.name})};
}

core::FontRef LibreOfficeDocument::font(core::SelectionRef selection)
{
    lookUp<SelectionObject>(selection.id);
    return {hand(FontObject{true, {}})};
}

core::FontRef LibreOfficeDocument::font(core::RangeRef range)
{
    return {hand(FontObject{false, lookUp<RangeObject>(range.id)})};
}

void LibreOfficeDocument::setAlignment(core::ParagraphFormatRef format,
                                       core::ParagraphAlignment alignment)
{
    const FormatObject object = lookUp<FormatObject>(format.id);
    documentAt(object.document).setAlignment(object.index - 1, alignment);
}

void LibreOfficeDocument::applyFont(const FontObject& font, const CharFormat& format)
{
    if (font.selection) {
        activeDocument().setInsertionFormat(format);
        return;
    }
    TextDocument& document = documentAt(font.range.document);
    if (font.range.paragraph > 0)
        document.setParagraphFont(font.range.paragraph - 1, format);
    else
        document.bookmark(font.range.bookmark);  // a collapsed range: nothing to format
}

void LibreOfficeDocument::setSize(core::FontRef font, double points)
{
    if (!(points >= 1 && points <= 1638))
        throw AutomationError("The font size " + std::to_string(points) + " is out of range");
    CharFormat format;
    format.sizePoints = points;
    applyFont(lookUp<FontObject>(font.id), format);
}

void LibreOfficeDocument::setItalic(core::FontRef font, bool italic)
{
    CharFormat format;
    format.italic = italic;
    applyFont(lookUp<FontObject>(font.id), format);
}

void LibreOfficeDocument::pasteSpecial(core::RangeRef range, core::PasteDataType dataType)
{
    const RangeObject object = lookUp<RangeObject>(range.id);
    TextDocument& document = documentAt(object.document);
    if (object.paragraph > 0)
        throw AutomationError("Pasting over a whole paragraph is not supported");
    const int position = document.bookmark(object.bookmark);

    document.insertParagraphs(position, pastedParagraphs(m_options.clipboard(), dataType));
}

QString LibreOfficeDocument::writeDocument(const TextDocument& document)
{
    QString folder = m_options.keepDocumentsIn;
    if (folder.isEmpty()) {
        if (!m_folder) {
            auto created =
                std::make_unique<QTemporaryDir>(QDir::tempPath() + "/vantrel-letter-XXXXXX");
            if (!created->isValid())
                throw AutomationError(
                    text("Cannot create a folder for the letter: " + created->errorString()));
            // Writer may still be reading the file when this program ends.
            created->setAutoRemove(false);
            m_folder = std::move(created);
        }
        folder = m_folder->path();
    }
    // Never write over a file that is already there.
    QString path;
    for (int n = static_cast<int>(m_written.size()) + 1;; ++n) {
        path = QDir(folder).filePath(QString("letter-%1.fodt").arg(n));
        if (!QFileInfo::exists(path))
            break;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(flatOpenDocumentText(document)) < 0 ||
        !file.commit())
        throw AutomationError(core::formatMessage("Unable to write to %s", text(path)));
    m_written << path;
    return path;
}

void LibreOfficeDocument::present(core::DocumentRef document)
{
    const int index = lookUp<DocumentObject>(document.id).document;
    const QString path = writeDocument(documentAt(index));
    if (!m_options.keepDocumentsIn.isEmpty() || !m_visible)
        return;
    // "-n": the file is a template, so Writer shows a new document that has no name yet.
    if (!QProcess::startDetached(m_program, {"-n", path}))
        throw AutomationError(text("Cannot start the word processor " + m_program));
}

}  // namespace vantrel::platform
