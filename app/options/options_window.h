#pragma once
// The Options window ("Tallix Options"), modal to the main window.
#include "app/main_window/main_window_context.h"

namespace tallix {

// Shows the current settings; Ok stores and applies them, Cancel, Esc and the
// close box change nothing. Returns when the window has closed.
void ShowOptions(MainWindowContext& main);

}  // namespace tallix
