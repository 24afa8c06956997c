// The entry point of the letter's UNO module, which the program loads when it sets up the letter
// (libreoffice_link.cpp says why it is a module of its own).

#include "platform/libreoffice_uno.h"

extern "C" __attribute__((visibility("default"))) vantrel::core::DocumentAutomation*
vantrelMakeUnoLink()
{
    return new vantrel::platform::LibreOfficeUno();
}
