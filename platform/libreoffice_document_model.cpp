#include "platform/libreoffice_document_model.h"

#include <iterator>
#include <optional>
#include <string>

#include <QXmlStreamWriter>

namespace vantrel::platform {

using core::AutomationError;
using core::ParagraphAlignment;

CharFormat CharFormat::overlaidWith(const CharFormat& over) const
{
    CharFormat result = *this;
    if (over.sizePoints)
        result.sizePoints = over.sizePoints;
    if (over.italic)
        result.italic = over.italic;
    if (over.bold)
        result.bold = over.bold;
    if (over.underline)
        result.underline = over.underline;
    if (over.family)
        result.family = over.family;
    if (over.color)
        result.color = over.color;
    return result;
}

QString Paragraph::text() const
{
    QString result;
    for (const TextRun& run : runs)
        result += run.text;
    return result;
}

TextDocument::TextDocument() : m_paragraphs(1) {}

int TextDocument::length() const
{
    int total = 0;
    for (const Paragraph& paragraph : m_paragraphs)
        total += paragraph.text().size() + 1;
    return total;
}

const Paragraph& TextDocument::checked(int paragraph) const
{
    if (paragraph < 0 || paragraph >= static_cast<int>(m_paragraphs.size()))
        throw AutomationError("The document has no paragraph " + std::to_string(paragraph + 1));
    return m_paragraphs[paragraph];
}

int TextDocument::paragraphStart(int index) const
{
    checked(index);
    int start = 0;
    for (int i = 0; i < index; ++i)
        start += m_paragraphs[i].text().size() + 1;
    return start;
}

TextDocument::Place TextDocument::placeOf(int position) const
{
    int start = 0;
    for (int i = 0; i < static_cast<int>(m_paragraphs.size()); ++i) {
        const int size = m_paragraphs[i].text().size();
        if (position >= start && position <= start + size)
            return {i, position - start};
        start += size + 1;
    }
    throw AutomationError("Position " + std::to_string(position) + " lies outside the document");
}

void TextDocument::shiftAfter(int position, int by)
{
    for (auto& [name, at] : m_bookmarks)
        if (at > position)
            at += by;
    if (m_insertionPoint > position)
        m_insertionPoint += by;
}

CharFormat TextDocument::formatBefore(int position) const
{
    const Place place = placeOf(position);
    const Paragraph& paragraph = m_paragraphs[place.paragraph];
    int seen = 0;
    const TextRun* before = nullptr;
    for (const TextRun& run : paragraph.runs) {
        if (seen >= place.offset)
            break;
        before = &run;
        seen += run.text.size();
    }
    return before ? before->format : paragraph.markFormat;
}

void TextDocument::insertRun(int position, const TextRun& run)
{
    if (run.text.isEmpty())
        return;
    const Place place = placeOf(position);
    std::vector<TextRun>& runs = m_paragraphs[place.paragraph].runs;
    int seen = 0;
    auto at = runs.begin();
    for (; at != runs.end(); ++at) {
        const int size = at->text.size();
        if (place.offset <= seen)
            break;
        if (place.offset < seen + size) {
            // Split the run the position falls in.
            TextRun tail{at->text.mid(place.offset - seen), at->format};
            at->text.truncate(place.offset - seen);
            at = runs.insert(at + 1, tail);
            break;
        }
        seen += size;
    }
    if (at != runs.begin() && std::prev(at)->format == run.format)
        std::prev(at)->text += run.text;
    else
        runs.insert(at, run);
    shiftAfter(position, run.text.size());
}

void TextDocument::insertMark(int position)
{
    const Place place = placeOf(position);
    Paragraph& paragraph = m_paragraphs[place.paragraph];
    Paragraph next;
    next.markFormat = paragraph.markFormat;
    next.alignment = paragraph.alignment;
    int seen = 0;
    std::vector<TextRun> kept;
    for (const TextRun& run : paragraph.runs) {
        const int size = run.text.size();
        if (seen + size <= place.offset) {
            kept.push_back(run);
        } else if (seen >= place.offset) {
            next.runs.push_back(run);
        } else {
            kept.push_back({run.text.left(place.offset - seen), run.format});
            next.runs.push_back({run.text.mid(place.offset - seen), run.format});
        }
        seen += size;
    }
    paragraph.runs = std::move(kept);
    m_paragraphs.insert(m_paragraphs.begin() + place.paragraph + 1, std::move(next));
    shiftAfter(position, 1);
}

void TextDocument::typeText(const QString& text)
{
    if (text.contains(QChar('\n')) || text.contains(QChar('\r')))
        throw AutomationError("Typed text may not hold line breaks");
    const int at = m_insertionPoint;
    insertRun(at, {text, formatBefore(at).overlaidWith(m_insertionFormat)});
    m_insertionPoint = at + text.size();
}

void TextDocument::typeParagraph()
{
    const int at = m_insertionPoint;
    insertMark(at);
    m_insertionPoint = at + 1;
}

void TextDocument::setInsertionFormat(const CharFormat& format)
{
    m_insertionFormat = m_insertionFormat.overlaidWith(format);
}

void TextDocument::addBookmark(const QString& name)
{
    if (name.isEmpty())
        throw AutomationError("A bookmark needs a name");
    m_bookmarks[name] = m_insertionPoint;
}

int TextDocument::bookmark(const QString& name) const
{
    const auto found = m_bookmarks.find(name);
    if (found == m_bookmarks.end())
        throw AutomationError("The requested member of the collection does not exist: bookmark \"" +
                              name.toStdString() + "\"");
    return found->second;
}

void TextDocument::insertParagraphs(int position, const std::vector<Paragraph>& pasted)
{
    int at = position;
    for (const Paragraph& paragraph : pasted) {
        for (const TextRun& run : paragraph.runs) {
            insertRun(at, run);
            at += run.text.size();
        }
        const int index = placeOf(at).paragraph;
        insertMark(at);
        m_paragraphs[index].alignment = paragraph.alignment;
        m_paragraphs[index].markFormat = paragraph.markFormat;
        at += 1;
    }
}

void TextDocument::setAlignment(int paragraph, ParagraphAlignment alignment)
{
    checked(paragraph);
    m_paragraphs[paragraph].alignment = alignment;
}

void TextDocument::setParagraphFont(int paragraph, const CharFormat& format)
{
    checked(paragraph);
    Paragraph& target = m_paragraphs[paragraph];
    for (TextRun& run : target.runs)
        run.format = run.format.overlaidWith(format);
    target.markFormat = target.markFormat.overlaidWith(format);
}

namespace {

const QString kOfficeNs = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
const QString kStyleNs = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
const QString kTextNs = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
const QString kFoNs = "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0";

QString alignmentValue(ParagraphAlignment alignment)
{
    switch (alignment) {
    case ParagraphAlignment::Center:
        return "center";
    case ParagraphAlignment::Right:
        return "end";
    case ParagraphAlignment::Justify:
        return "justify";
    case ParagraphAlignment::Left:
        break;
    }
    return "start";
}

bool isEmpty(const CharFormat& format)
{
    return format == CharFormat{};
}

// A font property for Western text and, with the same value, for Asian and complex scripts.
void writeForEveryScript(QXmlStreamWriter& xml, const QString& name, const QString& value)
{
    xml.writeAttribute(kFoNs, name, value);
    xml.writeAttribute(kStyleNs, name + "-asian", value);
    xml.writeAttribute(kStyleNs, name + "-complex", value);
}

void writeTextProperties(QXmlStreamWriter& xml, const CharFormat& format)
{
    if (isEmpty(format))
        return;
    xml.writeEmptyElement(kStyleNs, "text-properties");
    if (format.sizePoints)
        writeForEveryScript(xml, "font-size", QString::number(*format.sizePoints) + "pt");
    if (format.italic)
        writeForEveryScript(xml, "font-style", *format.italic ? "italic" : "normal");
    if (format.bold)
        writeForEveryScript(xml, "font-weight", *format.bold ? "bold" : "normal");
    if (format.underline) {
        xml.writeAttribute(kStyleNs, "text-underline-style", *format.underline ? "solid" : "none");
        if (*format.underline) {
            xml.writeAttribute(kStyleNs, "text-underline-width", "auto");
            xml.writeAttribute(kStyleNs, "text-underline-color", "font-color");
        }
    }
    if (format.family)
        xml.writeAttribute(kFoNs, "font-family", "'" + *format.family + "'");
    if (format.color)
        xml.writeAttribute(kFoNs, "color", *format.color);
}

// Style names handed out once per distinct format.
template <class Key> class StyleNames {
public:
    explicit StyleNames(QString prefix) : m_prefix(std::move(prefix)) {}
    QString nameOf(const Key& key)
    {
        for (std::size_t i = 0; i < m_keys.size(); ++i)
            if (m_keys[i] == key)
                return m_prefix + QString::number(i + 1);
        m_keys.push_back(key);
        return m_prefix + QString::number(m_keys.size());
    }
    const std::vector<Key>& keys() const { return m_keys; }
    QString nameAt(std::size_t i) const { return m_prefix + QString::number(i + 1); }

private:
    QString m_prefix;
    std::vector<Key> m_keys;
};

struct ParagraphStyle {
    ParagraphAlignment alignment;
    CharFormat format;
    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

bool isBlank(QChar c)
{
    return c == ' ' || c == '\t';
}

// Writes the characters of `text` from `from` to `to` (offsets into the paragraph's whole
// text): a single blank between other characters stays a blank, every other blank is written
// as an explicit space so that none is collapsed away; tabs become tab elements.
void writeParagraphText(QXmlStreamWriter& xml, const QString& text, int from, int to)
{
    QString pending;
    auto flush = [&] {
        if (!pending.isEmpty())
            xml.writeCharacters(pending);
        pending.clear();
    };
    for (int i = from; i < to; ++i) {
        const QChar c = text[i];
        if (c == '\t') {
            flush();
            xml.writeEmptyElement(kTextNs, "tab");
        } else if (c == ' ') {
            const bool single =
                i > 0 && !isBlank(text[i - 1]) && i + 1 < text.size() && !isBlank(text[i + 1]);
            if (single) {
                pending += c;
            } else {
                flush();
                xml.writeEmptyElement(kTextNs, "s");
            }
        } else if (c.unicode() >= 0x20 || c == QChar(0x09)) {
            pending += c;
        }
    }
    flush();
}

// The automatic styles a document needs, one per distinct paragraph look and one per distinct
// run format, and the name each paragraph and run takes (none for a run with no format).
struct DocumentStyles {
    StyleNames<ParagraphStyle> paragraphStyles{"P"};
    StyleNames<CharFormat> textStyles{"T"};
    std::vector<QString> paragraphStyleOf;
    std::vector<std::vector<QString>> runStylesOf;
};

DocumentStyles stylesOf(const TextDocument& document)
{
    DocumentStyles styles;
    for (const Paragraph& paragraph : document.paragraphs()) {
        styles.paragraphStyleOf.push_back(
            styles.paragraphStyles.nameOf({paragraph.alignment, paragraph.markFormat}));
        std::vector<QString> runStyles;
        for (const TextRun& run : paragraph.runs)
            runStyles.push_back(isEmpty(run.format) ? QString()
                                                    : styles.textStyles.nameOf(run.format));
        styles.runStylesOf.push_back(std::move(runStyles));
    }
    return styles;
}

void writeAutomaticStyles(QXmlStreamWriter& xml, const DocumentStyles& styles)
{
    xml.writeStartElement(kOfficeNs, "automatic-styles");
    const auto& paragraphStyles = styles.paragraphStyles.keys();
    for (std::size_t i = 0; i < paragraphStyles.size(); ++i) {
        xml.writeStartElement(kStyleNs, "style");
        xml.writeAttribute(kStyleNs, "name", styles.paragraphStyles.nameAt(i));
        xml.writeAttribute(kStyleNs, "family", "paragraph");
        xml.writeAttribute(kStyleNs, "parent-style-name", "Standard");
        xml.writeEmptyElement(kStyleNs, "paragraph-properties");
        xml.writeAttribute(kFoNs, "text-align", alignmentValue(paragraphStyles[i].alignment));
        writeTextProperties(xml, paragraphStyles[i].format);
        xml.writeEndElement();
    }
    const auto& textStyles = styles.textStyles.keys();
    for (std::size_t i = 0; i < textStyles.size(); ++i) {
        xml.writeStartElement(kStyleNs, "style");
        xml.writeAttribute(kStyleNs, "name", styles.textStyles.nameAt(i));
        xml.writeAttribute(kStyleNs, "family", "text");
        writeTextProperties(xml, textStyles[i]);
        xml.writeEndElement();
    }
    xml.writeEndElement();  // automatic-styles
}

using ParagraphBookmarks = std::multimap<int, QString>;  // by offset in the paragraph

std::vector<ParagraphBookmarks> bookmarksByParagraph(const TextDocument& document)
{
    std::vector<ParagraphBookmarks> bookmarks(document.paragraphs().size());
    for (const auto& [name, position] : document.bookmarks()) {
        const TextDocument::Place place = document.placeOf(position);
        bookmarks[place.paragraph].emplace(place.offset, name);
    }
    return bookmarks;
}

// A paragraph's bookmarks, written in the order of their offsets as its text reaches them.
class BookmarkWriter {
public:
    BookmarkWriter(QXmlStreamWriter& xml, const ParagraphBookmarks& bookmarks)
        : m_xml(xml), m_next(bookmarks.begin()), m_end(bookmarks.end())
    {
    }

    // The offset of the next bookmark not yet written, when it lies before `offset`.
    std::optional<int> nextBefore(int offset) const
    {
        if (m_next != m_end && m_next->first < offset)
            return m_next->first;
        return std::nullopt;
    }

    void writeUpTo(int offset)
    {
        for (; m_next != m_end && m_next->first <= offset; ++m_next) {
            m_xml.writeEmptyElement(kTextNs, "bookmark");
            m_xml.writeAttribute(kTextNs, "name", m_next->second);
        }
    }

private:
    QXmlStreamWriter& m_xml;
    ParagraphBookmarks::const_iterator m_next;
    ParagraphBookmarks::const_iterator m_end;
};

// The run of `text` from `from` to `to`, in a span when it has a style. Bookmarks inside the
// run split its text; one at the run's end goes after it.
void writeRun(QXmlStreamWriter& xml, const QString& text, int from, int to, const QString& style,
              BookmarkWriter& bookmarks)
{
    if (!style.isEmpty()) {
        xml.writeStartElement(kTextNs, "span");
        xml.writeAttribute(kTextNs, "style-name", style);
    }
    while (const auto mark = bookmarks.nextBefore(to)) {
        const int at = std::max(from, *mark);
        writeParagraphText(xml, text, from, at);
        from = at;
        bookmarks.writeUpTo(from);
    }
    writeParagraphText(xml, text, from, to);
    if (!style.isEmpty())
        xml.writeEndElement();
}

void writeParagraph(QXmlStreamWriter& xml, const Paragraph& paragraph, const QString& style,
                    const std::vector<QString>& runStyles, const ParagraphBookmarks& bookmarks)
{
    const QString text = paragraph.text();
    xml.writeStartElement(kTextNs, "p");
    xml.writeAttribute(kTextNs, "style-name", style);
    BookmarkWriter bookmarkWriter(xml, bookmarks);
    int offset = 0;
    for (std::size_t r = 0; r < paragraph.runs.size(); ++r) {
        const int end = offset + paragraph.runs[r].text.size();
        writeRun(xml, text, offset, end, runStyles[r], bookmarkWriter);
        offset = end;
    }
    bookmarkWriter.writeUpTo(text.size());
    xml.writeEndElement();  // p
}

}  // namespace

QByteArray flatOpenDocumentText(const TextDocument& document)
{
    const DocumentStyles styles = stylesOf(document);
    const std::vector<ParagraphBookmarks> bookmarks = bookmarksByParagraph(document);

    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(false);
    xml.writeStartDocument();
    xml.writeNamespace(kOfficeNs, "office");
    xml.writeNamespace(kStyleNs, "style");
    xml.writeNamespace(kTextNs, "text");
    xml.writeNamespace(kFoNs, "fo");
    xml.writeStartElement(kOfficeNs, "document");
    xml.writeAttribute(kOfficeNs, "version", "1.2");
    xml.writeAttribute(kOfficeNs, "mimetype", "application/vnd.oasis.opendocument.text");
    writeAutomaticStyles(xml, styles);
    xml.writeStartElement(kOfficeNs, "body");
    xml.writeStartElement(kOfficeNs, "text");
    const auto& paragraphs = document.paragraphs();
    for (std::size_t p = 0; p < paragraphs.size(); ++p)
        writeParagraph(xml, paragraphs[p], styles.paragraphStyleOf[p], styles.runStylesOf[p],
                       bookmarks[p]);
    xml.writeEndElement();  // text
    xml.writeEndElement();  // body
    xml.writeEndElement();  // document
    xml.writeEndDocument();
    return out;
}

}  // namespace vantrel::platform
