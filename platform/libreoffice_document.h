#pragma once
// The letter's word processor on a Linux desktop: LibreOffice Writer. The object-model calls
// build the document here, in memory; when it is finished it is written as a flat
// OpenDocument text file into a private temporary folder and Writer is started on it as on a
// template, so the user sees a new, untitled document.

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/ports/document_automation.h"
#include "platform/libreoffice_document_model.h"
#include "platform/libreoffice_objects.h"

class QTemporaryDir;

namespace vantrel::platform {

struct ClipboardContent {
    QString html;  // empty: no rich text
    QString plainText;
};

// The clipboard's rich text as paragraphs: one per line, with each line's formatting.
std::vector<Paragraph> paragraphsFromHtml(const QString& html);
// Plain text as paragraphs, one per line (CR LF, LF or CR), in `format`.
std::vector<Paragraph> paragraphsFromPlainText(const QString& text, const CharFormat& format);

struct LibreOfficeOptions {
    // Where to look for `programNames` after the search path (when `useSearchPath`).
    QStringList programNames = {"soffice", "libreoffice"};
    bool useSearchPath = true;
    QStringList folders = {"/usr/lib/libreoffice/program"};
    // Flat documents: when not empty, finished documents are written into this folder as
    // letter-1.fodt, letter-2.fodt, ... and Writer is not started.
    QString keepDocumentsIn;
    // UNO: the pipe the office accepts connections on (private to the user), what an office
    // started for the letter is given besides, and how long it may take to answer.
    QString pipeName = "vantrel";
    QStringList officeArguments;
    int startSeconds = 60;
    // How long one call may wait for the office before the connection is given up.
    int callSeconds = 30;
    // What PasteSpecial reads; the system clipboard when not set.
    std::function<ClipboardContent()> clipboard;
};

// The clipboard's rich and plain text.
ClipboardContent systemClipboardContent();
// The word processor's program by `options`; empty when there is none.
QString findLibreOffice(const LibreOfficeOptions& options);
// What to say when findLibreOffice finds nothing: where it looked, and what to install.
std::string libreOfficeNotFoundMessage(const LibreOfficeOptions& options);
// What to install when the office lacks Writer.
std::string writerMissingAdvice();
// The paragraphs PasteSpecial of `dataType` inserts, from `content`; throws AutomationError when
// the clipboard holds nothing of that type.
std::vector<Paragraph> pastedParagraphs(const ClipboardContent& content,
                                        core::PasteDataType dataType);

class LibreOfficeDocument : public core::DocumentAutomation {
public:
    explicit LibreOfficeDocument(LibreOfficeOptions options = {});
    ~LibreOfficeDocument() override;

    core::ApplicationRef connect() override;
    void disconnect(core::ApplicationRef application) override;
    void setVisible(core::ApplicationRef application, bool visible) override;
    core::DocumentRef addDocument(core::ApplicationRef application) override;
    void addBookmark(core::DocumentRef document, const std::string& name) override;
    core::BookmarkRef bookmark(core::DocumentRef document, const std::string& name) override;
    core::SelectionRef selection(core::ApplicationRef application) override;
    void typeText(core::SelectionRef selection, const std::string& text) override;
    void typeParagraph(core::SelectionRef selection) override;
    core::ParagraphRef paragraph(core::DocumentRef document, int index) override;
    core::ParagraphFormatRef paragraphFormat(core::ParagraphRef paragraph) override;
    core::RangeRef range(core::ParagraphRef paragraph) override;
    core::RangeRef range(core::BookmarkRef bookmark) override;
    core::FontRef font(core::SelectionRef selection) override;
    core::FontRef font(core::RangeRef range) override;
    void setAlignment(core::ParagraphFormatRef format, core::ParagraphAlignment alignment) override;
    void setSize(core::FontRef font, double points) override;
    void setItalic(core::FontRef font, bool italic) override;
    void pasteSpecial(core::RangeRef range, core::PasteDataType dataType) override;
    void present(core::DocumentRef document) override;

    // The program found by the last connect (empty before).
    QString program() const { return m_program; }
    // Files written by present(), oldest first.
    const QStringList& writtenDocuments() const { return m_written; }

private:
    // What a reference stands for. Paragraphs are held by number and bookmarks by name, and
    // found again at each use.
    struct ApplicationObject {};
    struct DocumentObject {
        int document;
    };
    struct SelectionObject {};
    struct ParagraphObject {
        int document;
        int index;
    };
    struct FormatObject {
        int document;
        int index;
    };
    struct BookmarkObject {
        int document;
        QString name;
    };
    struct RangeObject {
        int document;
        int paragraph;
        QString bookmark;
    };  // paragraph 0: bookmark
    struct FontObject {
        bool selection;
        RangeObject range;
    };
    using Object = std::variant<ApplicationObject, DocumentObject, SelectionObject, ParagraphObject,
                                FormatObject, BookmarkObject, RangeObject, FontObject>;

    template <class Kind> std::uint64_t hand(Kind object) { return m_objects.hand(object); }
    template <class Kind> const Kind& lookUp(std::uint64_t id) const;
    TextDocument& documentAt(int document);
    TextDocument& activeDocument();
    void requireConnection() const;
    void applyFont(const FontObject& font, const CharFormat& format);
    QString writeDocument(const TextDocument& document);

    LibreOfficeOptions m_options;
    QString m_program;
    bool m_visible = false;
    std::vector<std::unique_ptr<TextDocument>> m_documents;
    AutomationObjects<Object> m_objects;
    std::unique_ptr<QTemporaryDir> m_folder;
    QStringList m_written;
};

}  // namespace vantrel::platform
