#pragma once
// Pop-up hints for the whole program, switched on and off in one place.

namespace vantrel::ui {

// Shows or suppresses the tooltips of every widget of the application. Needs a QApplication;
// the first call installs an application-wide event filter. Hints are on until first switched.
void setHintsEnabled(bool enabled);
bool hintsEnabled();

}  // namespace vantrel::ui
