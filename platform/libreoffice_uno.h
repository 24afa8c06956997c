#pragma once
// The letter's word processor through LibreOffice's own automation interface, UNO. Connecting
// attaches to the office that accepts connections on the user's pipe; when none answers it
// starts one (an office already running for the user is asked to open the pipe). An office that
// the user has quit since fails the next letter's first call, setVisible, so that the letter
// connects afresh. Each call is made at once in a new Writer document, which present() brings
// to the front and into focus with the view cursor in its last paragraph. Nothing is written to
// disk.

#include <memory>

#include <QString>

#include "core/ports/document_automation.h"
#include "platform/libreoffice_document.h"

namespace vantrel::platform {

class LibreOfficeUno : public core::DocumentAutomation {
public:
    explicit LibreOfficeUno(LibreOfficeOptions options = {});
    ~LibreOfficeUno() override;

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

    // The office program this link started last, and its process id; empty and 0 while it
    // started none.
    QString startedProgram() const { return m_startedProgram; }
    qint64 startedOffice() const { return m_startedOffice; }

private:
    struct Office;

    Office& office() const;
    // Connects `office` to the office on the pipe, started first when none answers there.
    void reachOffice(Office& office);
    void startOffice();
    void applyFont(core::FontRef font, const CharFormat& format);

    LibreOfficeOptions m_options;
    std::unique_ptr<Office> m_office;
    QString m_startedProgram;
    qint64 m_startedOffice = 0;
};

}  // namespace vantrel::platform
