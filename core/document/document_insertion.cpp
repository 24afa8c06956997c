#include "core/document/document_insertion.h"

#include <algorithm>
#include <exception>

namespace vantrel::core {

namespace {
constexpr double kGreetingSizePoints = 10;
constexpr double kDateLineSizePoints = 8;
}  // namespace

int dateLineCount(LineCount lines)
{
    switch (lines) {
    case LineCount::One:
        return 1;
    case LineCount::Two:
        return 2;
    case LineCount::Three:
        return 3;
    case LineCount::NotChosen:
        break;
    }
    return 0;
}

DocumentInsertion::DocumentInsertion(DocumentAutomation& automation, DateDisplay& display,
                                     Messages& messages)
    : m_automation(automation), m_display(display), m_messages(messages)
{
}

void DocumentInsertion::insertLetter(const Settings& settings)
{
    // A connection kept from an earlier letter may lead to a word processor that the user has
    // quit since: then the letter is begun once more, on a fresh connection.
    const bool kept = m_application.has_value();
    std::optional<DocumentRef> document = openDocument(!kept);
    if (!document && kept)
        document = openDocument(true);
    if (!document)
        return;

    int pastedLines = 0;
    try {
        pastedLines = buildLetter(*document);
    } catch (const std::exception& error) {
        dropConnection();
        m_messages.showError(error.what());
        return;
    }

    // Each date line on its own: the pasted text may have fewer lines than the setting asks.
    const int count = std::min(dateLineCount(settings.lineCount), pastedLines);
    for (int index = 1; index <= count; ++index) {
        try {
            formatDateLine(*document, index);
        } catch (const std::exception&) {
        }
    }

    // The letter is complete at this point; losing it without a word would leave the user
    // wondering whether anything happened.
    try {
        m_automation.present(*document);
    } catch (const std::exception& error) {
        dropConnection();
        m_messages.showError(error.what());
    }
}

std::optional<DocumentRef> DocumentInsertion::openDocument(bool reportFailure)
{
    try {
        if (!m_application)
            m_application = m_automation.connect();
        m_automation.setVisible(*m_application, true);
        return m_automation.addDocument(*m_application);
    } catch (const std::exception& error) {
        dropConnection();
        if (reportFailure)
            m_messages.showError(error.what());
    }
    return std::nullopt;
}

int DocumentInsertion::buildLetter(DocumentRef document)
{
    const ApplicationRef application = *m_application;
    m_automation.addBookmark(document, kFirstRealParaBookmark);

    const SelectionRef selection = m_automation.selection(application);
    m_automation.font(selection);
    m_automation.typeText(selection, kGreetingLaw);
    m_automation.typeParagraph(selection);
    formatParagraph(document, 1, ParagraphAlignment::Center, kGreetingSizePoints, true);

    m_automation.addBookmark(document, kBodBookmark);
    m_automation.typeText(selection, kGreetingLove);
    m_automation.typeParagraph(selection);
    formatParagraph(document, 2, ParagraphAlignment::Center, kGreetingSizePoints, true);

    const int copiedLines = m_display.copyAllAsRichText();

    const BookmarkRef mark = m_automation.bookmark(document, kFirstRealParaBookmark);
    m_automation.pasteSpecial(m_automation.range(mark), PasteDataType::RichText);
    return copiedLines;
}

// The format and the font are fetched afresh for each setting, the way the object model is
// walked from the document each time.
void DocumentInsertion::formatParagraph(DocumentRef document, int index,
                                        ParagraphAlignment alignment, double sizePoints,
                                        bool italic)
{
    const ParagraphFormatRef format =
        m_automation.paragraphFormat(m_automation.paragraph(document, index));
    paragraphFont(document, index);
    m_automation.setAlignment(format, alignment);

    const FontRef font = paragraphFont(document, index);
    m_automation.setSize(font, sizePoints);
    m_automation.setItalic(font, italic);
}

void DocumentInsertion::formatDateLine(DocumentRef document, int index)
{
    const ParagraphFormatRef format =
        m_automation.paragraphFormat(m_automation.paragraph(document, index));
    paragraphFont(document, index);
    m_automation.setAlignment(format, ParagraphAlignment::Right);

    const FontRef font = paragraphFont(document, index);
    m_automation.setSize(font, kDateLineSizePoints);
}

FontRef DocumentInsertion::paragraphFont(DocumentRef document, int index)
{
    return m_automation.font(m_automation.range(m_automation.paragraph(document, index)));
}

void DocumentInsertion::dropConnection()
{
    if (m_application)
        m_automation.disconnect(*m_application);
    m_application.reset();
}

}  // namespace vantrel::core
