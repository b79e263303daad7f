#pragma once
// The Help window ("Tallix Help"): the topic tree and the chosen topic's text,
// modeless and owned by the main window; at most one is open.
#include "app/main_window/main_window_context.h"

namespace tallix {

// The "Help" key and F1: an open Help window comes to the front, else one
// opens at the overview.
void FocusOrOpenHelp(MainWindowContext& main);

// The Help menu: an open Help window closes and a new one opens at `topic`
// ("Keyboard Equivalents" for 500, the overview for any other).
void ReopenHelp(MainWindowContext& main, int topic);

}  // namespace tallix
