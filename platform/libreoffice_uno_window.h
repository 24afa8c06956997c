#pragma once
// The office's windows as the desktop sees them. Needs the UNO SDK's headers (target vantrel_uno).

#include <com/sun/star/awt/XWindow.hpp>

namespace vantrel::platform {

// Asks the window manager to give the office's window the keyboard focus, on behalf of the user
// who asked for it a moment ago. Does nothing away from X11.
void focusOnX11(const css::uno::Reference<css::awt::XWindow>& window);

}  // namespace vantrel::platform
