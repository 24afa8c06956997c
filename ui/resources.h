#pragma once
// The program's icons are compiled into the program; this makes them reachable under
// ":/vantrel/icons/...". Safe to call more than once.

namespace vantrel::ui {

void loadResources();

}  // namespace vantrel::ui
