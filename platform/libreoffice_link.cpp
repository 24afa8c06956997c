#include "platform/libreoffice_link.h"

#include "platform/libreoffice_document.h"
#ifdef VANTREL_LETTER_THROUGH_UNO
#include "platform/libreoffice_uno.h"
#endif

namespace vantrel::platform {

std::unique_ptr<core::DocumentAutomation> makeLibreOfficeLink()
{
#ifdef VANTREL_LETTER_THROUGH_UNO
    return std::make_unique<LibreOfficeUno>();
#else
    return std::make_unique<LibreOfficeDocument>();
#endif
}

const char* letterRoute()
{
#ifdef VANTREL_LETTER_THROUGH_UNO
    return "UNO";
#else
    return "flat document";
#endif
}

}  // namespace vantrel::platform
