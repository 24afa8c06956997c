#pragma once
// The letter as the word-processor link builds it before handing it over: paragraphs of
// formatted runs, an insertion point and bookmarks, all as positions in the text. A position
// counts characters (UTF-16 units), each paragraph mark counting as one.

#include <map>
#include <optional>
#include <vector>

#include <QString>

#include "core/ports/document_automation.h"

namespace vantrel::platform {

struct CharFormat {
    std::optional<double> sizePoints;
    std::optional<bool> italic;
    std::optional<bool> bold;
    std::optional<bool> underline;
    std::optional<QString> family;
    std::optional<QString> color;  // "#rrggbb"

    // This format with every property `over` sets taking its place.
    CharFormat overlaidWith(const CharFormat& over) const;
    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct TextRun {
    QString text;
    CharFormat format;
};

struct Paragraph {
    std::vector<TextRun> runs;
    // The paragraph mark's own format: what text typed into an empty paragraph takes.
    CharFormat markFormat;
    core::ParagraphAlignment alignment = core::ParagraphAlignment::Left;

    QString text() const;
};

class TextDocument {
public:
    TextDocument();

    const std::vector<Paragraph>& paragraphs() const { return m_paragraphs; }
    const std::map<QString, int>& bookmarks() const { return m_bookmarks; }
    int insertionPoint() const { return m_insertionPoint; }
    int length() const;

    // Start position of paragraph `index` (counted from 0); throws when out of range.
    int paragraphStart(int index) const;

    // Text (no paragraph marks) at the insertion point, in the format of the text before it,
    // overlaid with the insertion point's own format; the insertion point moves after it.
    void typeText(const QString& text);
    void typeParagraph();
    // What a font change on the collapsed insertion point sets for the text typed next.
    void setInsertionFormat(const CharFormat& format);

    void addBookmark(const QString& name);
    // Position of a bookmark; throws when there is none of that name.
    int bookmark(const QString& name) const;

    // Pasted paragraphs go in at `position`, each ending with its own mark, so that the text
    // after them starts a paragraph of its own.
    void insertParagraphs(int position, const std::vector<Paragraph>& pasted);

    // Index counted from 0; throw when out of range.
    void setAlignment(int paragraph, core::ParagraphAlignment alignment);
    // Sets the given properties on every run of the paragraph and on its mark.
    void setParagraphFont(int paragraph, const CharFormat& format);

    struct Place {
        int paragraph;  // counted from 0
        int offset;     // within the paragraph's text
    };
    // Where a position falls; throws when outside the document.
    Place placeOf(int position) const;

private:
    const Paragraph& checked(int paragraph) const;
    // Inserts without moving what stands at `position` itself; everything after moves on.
    void insertRun(int position, const TextRun& run);
    void insertMark(int position);
    void shiftAfter(int position, int by);
    CharFormat formatBefore(int position) const;

    std::vector<Paragraph> m_paragraphs;
    std::map<QString, int> m_bookmarks;
    int m_insertionPoint = 0;
    CharFormat m_insertionFormat;
};

// The document as a flat OpenDocument text file (one XML file), bookmarks included.
QByteArray flatOpenDocumentText(const TextDocument& document);

}  // namespace vantrel::platform
