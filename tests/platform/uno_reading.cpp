#include "tests/platform/uno_reading.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

namespace vantrel::testing {

namespace uno = css::uno;
using css::beans::XPropertySet;
using css::container::XEnumerationAccess;

namespace {

QString qtText(const rtl::OUString& value)
{
    return QString(reinterpret_cast<const QChar*>(value.getStr()), value.getLength());
}

template <class Value> Value property(const uno::Reference<XPropertySet>& object, const char* name)
{
    Value value{};
    object->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= value;
    return value;
}

// The office may give the alignment as its enumeration or as a number.
QString alignmentName(const uno::Any& value)
{
    css::style::ParagraphAdjust adjust = css::style::ParagraphAdjust_LEFT;
    if (sal_Int16 number = 0; !(value >>= adjust) && (value >>= number))
        adjust = static_cast<css::style::ParagraphAdjust>(number);
    switch (adjust) {
    case css::style::ParagraphAdjust_CENTER:
        return "center";
    case css::style::ParagraphAdjust_RIGHT:
        return "end";
    case css::style::ParagraphAdjust_BLOCK:
        return "justify";
    default:
        return "start";
    }
}

// Text portions become runs, bookmark portions the bookmarks at their offsets.
void readPortions(const uno::Reference<XEnumerationAccess>& paragraph, ReadParagraph& read)
{
    int offset = 0;
    const auto portions = paragraph->createEnumeration();
    while (portions->hasMoreElements()) {
        const uno::Reference<XPropertySet> portion(portions->nextElement(), uno::UNO_QUERY_THROW);
        const QString type = qtText(property<rtl::OUString>(portion, "TextPortionType"));
        if (type == "Bookmark") {
            const uno::Reference<css::container::XNamed> mark(
                property<uno::Reference<uno::XInterface>>(portion, "Bookmark"),
                uno::UNO_QUERY_THROW);
            if (!read.bookmarks.contains(qtText(mark->getName())))
                read.bookmarks[qtText(mark->getName())] = offset;
        } else if (type == "Text") {
            const QString runText = qtText(
                uno::Reference<css::text::XTextRange>(portion, uno::UNO_QUERY_THROW)->getString());
            if (runText.isEmpty())
                continue;
            read.runs.push_back({runText, property<float>(portion, "CharHeight"),
                                 property<css::awt::FontSlant>(portion, "CharPosture") !=
                                     css::awt::FontSlant_NONE});
            offset += runText.size();
        }
    }
}

}  // namespace

std::vector<WriterDocument> writerDocuments(const uno::Reference<uno::XComponentContext>& office)
{
    std::vector<WriterDocument> result;
    const auto components =
        css::frame::Desktop::create(office)->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        const WriterDocument document(components->nextElement(), uno::UNO_QUERY);
        if (document.is())
            result.push_back(document);
    }
    return result;
}

ReadLetter readWriterDocument(const WriterDocument& document)
{
    ReadLetter letter;
    const uno::Reference<XEnumerationAccess> text(document->getText(), uno::UNO_QUERY_THROW);
    const auto paragraphs = text->createEnumeration();
    while (paragraphs->hasMoreElements()) {
        const uno::Reference<XPropertySet> paragraph(paragraphs->nextElement(),
                                                     uno::UNO_QUERY_THROW);
        ReadParagraph read;
        read.text = qtText(
            uno::Reference<css::text::XTextRange>(paragraph, uno::UNO_QUERY_THROW)->getString());
        read.alignment = alignmentName(paragraph->getPropertyValue("ParaAdjust"));
        read.sizePoints = property<float>(paragraph, "CharHeight");
        read.italic =
            property<css::awt::FontSlant>(paragraph, "CharPosture") != css::awt::FontSlant_NONE;
        readPortions(uno::Reference<XEnumerationAccess>(paragraph, uno::UNO_QUERY_THROW), read);
        letter.paragraphs.push_back(read);
    }

    const uno::Reference<css::text::XTextViewCursorSupplier> supplier(
        document->getCurrentController(), uno::UNO_QUERY_THROW);
    const auto caret = supplier->getViewCursor();
    letter.caretSelects = !caret->isCollapsed();
    const uno::Reference<css::text::XParagraphCursor> walk(
        document->getText()->createTextCursorByRange(caret->getStart()), uno::UNO_QUERY_THROW);
    walk->gotoStartOfParagraph(true);
    letter.caretOffset = walk->getString().getLength();
    letter.caretParagraph = 0;
    while (walk->gotoPreviousParagraph(false))
        ++letter.caretParagraph;
    return letter;
}

bool terminateOffice(const uno::Reference<uno::XComponentContext>& office)
{
    try {
        return css::frame::Desktop::create(office)->terminate();
    } catch (const uno::Exception&) {
        return false;  // the connection went down with the office
    }
}

}  // namespace vantrel::testing
