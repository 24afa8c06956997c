#pragma once
// The word processor, driven through the small part of a Word-97-like object model that the
// letter needs. Every object the word processor hands out is a reference of its own kind, so a
// call can only be given the kind of object it applies to. References are plain numbers: an
// adapter keeps whatever they stand for, and a test double can log every call with the object
// it was made on.
//
// Every call except disconnect() may fail by throwing AutomationError, whose text is the word
// processor's own description of the failure.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vantrel::core {

class AutomationError : public std::runtime_error {
public:
    explicit AutomationError(const std::string& message) : std::runtime_error(message) {}
};

template <class Kind> struct AutomationRef {
    std::uint64_t id = 0;
    friend bool operator==(AutomationRef, AutomationRef) = default;
};

using ApplicationRef = AutomationRef<struct ApplicationKind>;
using DocumentRef = AutomationRef<struct DocumentKind>;
using SelectionRef = AutomationRef<struct SelectionKind>;
using ParagraphRef = AutomationRef<struct ParagraphKind>;
using ParagraphFormatRef = AutomationRef<struct ParagraphFormatKind>;
using RangeRef = AutomationRef<struct RangeKind>;
using FontRef = AutomationRef<struct FontKind>;
using BookmarkRef = AutomationRef<struct BookmarkKind>;

// Paragraph alignment, with the object model's numbers.
enum class ParagraphAlignment { Left = 0, Center = 1, Right = 2, Justify = 3 };

// What PasteSpecial takes from the clipboard, with the object model's numbers.
enum class PasteDataType { RichText = 1, Text = 2 };

class DocumentAutomation {
public:
    virtual ~DocumentAutomation() = default;

    // Attaches to a running word processor, or starts one. Throws AutomationError when there is
    // none to attach to and none can be started.
    virtual ApplicationRef connect() = 0;
    // Forgets the connection and every reference obtained through it. The word processor is
    // never told to quit. Never throws.
    virtual void disconnect(ApplicationRef application) = 0;

    // Application.Visible.
    virtual void setVisible(ApplicationRef application, bool visible) = 0;
    // Application.Documents.Add with template and new-template omitted: a new, empty document
    // that becomes the active one, with the insertion point at its start.
    virtual DocumentRef addDocument(ApplicationRef application) = 0;
    // Document.Bookmarks.Add with the range omitted: a bookmark at the insertion point.
    virtual void addBookmark(DocumentRef document, const std::string& name) = 0;
    // Document.Bookmarks.Item: the bookmark of that name; throws when there is none.
    virtual BookmarkRef bookmark(DocumentRef document, const std::string& name) = 0;

    // Application.Selection: the insertion point of the active document.
    virtual SelectionRef selection(ApplicationRef application) = 0;
    // Selection.TypeText: the text (UTF-8, no paragraph marks) goes in at the insertion point,
    // which then stands after it.
    virtual void typeText(SelectionRef selection, const std::string& text) = 0;
    // Selection.TypeParagraph: a paragraph mark at the insertion point.
    virtual void typeParagraph(SelectionRef selection) = 0;

    // Document.Paragraphs.Item(index), index counted from 1; throws when out of range.
    virtual ParagraphRef paragraph(DocumentRef document, int index) = 0;
    // Paragraph.Format.
    virtual ParagraphFormatRef paragraphFormat(ParagraphRef paragraph) = 0;
    // Paragraph.Range: the paragraph with its mark.
    virtual RangeRef range(ParagraphRef paragraph) = 0;
    // Bookmark.Range.
    virtual RangeRef range(BookmarkRef bookmark) = 0;
    // Selection.Font and Range.Font.
    virtual FontRef font(SelectionRef selection) = 0;
    virtual FontRef font(RangeRef range) = 0;

    // ParagraphFormat.Alignment.
    virtual void setAlignment(ParagraphFormatRef format, ParagraphAlignment alignment) = 0;
    // Font.Size, in points.
    virtual void setSize(FontRef font, double points) = 0;
    // Font.Italic.
    virtual void setItalic(FontRef font, bool italic) = 0;

    // Range.PasteSpecial with only the data type given: the clipboard's content of that type
    // replaces the range; rich text arrives as one paragraph per line.
    virtual void pasteSpecial(RangeRef range, PasteDataType dataType) = 0;

    // The document is finished. A word processor driven live has shown it all along and does
    // nothing here; one that builds documents aside hands it to the user now.
    virtual void present(DocumentRef document) = 0;
};

}  // namespace vantrel::core
