#pragma once
// The letter's word processor as this build reaches it: through LibreOffice's automation
// interface, UNO, when the build found LibreOffice's SDK and the module that holds the link
// loads with the office's UNO runtime; otherwise through a flat document that Writer opens as
// a template.

#include <memory>

#include "core/ports/document_automation.h"

namespace vantrel::platform {

std::unique_ptr<core::DocumentAutomation> makeLibreOfficeLink();

// How the letter reaches Writer: "UNO" or "flat document".
const char* letterRoute();

}  // namespace vantrel::platform
