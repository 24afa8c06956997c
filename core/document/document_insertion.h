#pragma once
// The letter: a new word-processor document that begins with the date text, right-aligned in
// small type, followed by the two greeting lines, centred in italics, and an empty paragraph
// where the user goes on typing.

#include <optional>
#include <string>

#include "core/ports/date_display.h"
#include "core/ports/document_automation.h"
#include "core/ports/messages.h"
#include "core/settings/settings.h"

namespace vantrel::core {

inline constexpr const char* kFirstRealParaBookmark = "FirstRealPara";
inline constexpr const char* kBodBookmark = "Bod";
inline constexpr const char* kGreetingLaw = "Do what thou wilt shall be the whole of the Law.";
inline constexpr const char* kGreetingLove = "Love is the law, love under will.";

// How many paragraphs of the pasted date text are formatted as date lines for the setting
// `Lines`: 1, 2 or 3; none when nothing is chosen.
int dateLineCount(LineCount lines);

class DocumentInsertion {
public:
    DocumentInsertion(DocumentAutomation& automation, DateDisplay& display, Messages& messages);

    // Builds one letter. The connection to the word processor is made on first use and kept;
    // when the word processor kept from an earlier use has gone (the user quit it), a fresh
    // connection is made for this letter. Any failure drops the connection (the next use
    // connects afresh) and is shown with the word processor's own text, except that a date line
    // that cannot be formatted is merely left as it is. Only as many paragraphs are formatted as
    // date lines as the display had lines: when it holds fewer than the setting asks for (a
    // status text, a verse), the greeting lines keep their own format. The date display's text
    // is on the clipboard afterwards.
    void insertLetter(const Settings& settings);

    bool isConnected() const { return m_application.has_value(); }

private:
    // Connects when not connected, shows the word processor and adds the letter's document; on
    // failure drops the connection and, if asked, reports it.
    std::optional<DocumentRef> openDocument(bool reportFailure);
    // Fills `document`; returns how many lines of the date display were pasted.
    int buildLetter(DocumentRef document);
    void formatParagraph(DocumentRef document, int index, ParagraphAlignment alignment,
                         double sizePoints, bool italic);
    void formatDateLine(DocumentRef document, int index);
    FontRef paragraphFont(DocumentRef document, int index);
    void dropConnection();

    DocumentAutomation& m_automation;
    DateDisplay& m_display;
    Messages& m_messages;
    std::optional<ApplicationRef> m_application;
};

}  // namespace vantrel::core
