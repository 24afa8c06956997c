#pragma once
// Reads back, through UNO, what a running office holds: its Writer documents, and for each one
// the paragraphs as the flat-file reader gives them, and where the view cursor stands.

#include <vector>

#include <QString>

#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "tests/platform/odf_reading.h"

namespace vantrel::testing {

using WriterDocument = css::uno::Reference<css::text::XTextDocument>;

// Every Writer document the office has open.
std::vector<WriterDocument>
writerDocuments(const css::uno::Reference<css::uno::XComponentContext>& office);

struct ReadLetter {
    std::vector<ReadParagraph> paragraphs;
    int caretParagraph = -1;  // the view cursor's paragraph, counted from 0
    int caretOffset = -1;     // its place in that paragraph's text
    bool caretSelects = false;
};

ReadLetter readWriterDocument(const WriterDocument& document);

// Asks the office to end; false when it had gone already.
bool terminateOffice(const css::uno::Reference<css::uno::XComponentContext>& office);

}  // namespace vantrel::testing
