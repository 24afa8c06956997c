#pragma once
#include <string>

namespace vantrel::core {

// The main window's date display, as the letter needs it.
class DateDisplay {
public:
    virtual ~DateDisplay() = default;
    // Selects the whole text and copies it to the clipboard, as rich text with its formatting
    // and as plain text together; the clipboard's previous contents are lost. Then puts the
    // caret at the end of the text, with nothing selected. Returns how many lines were copied
    // (0 for an empty display).
    virtual int copyAllAsRichText() = 0;
};

}  // namespace vantrel::core
