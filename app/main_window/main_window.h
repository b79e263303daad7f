#pragma once
// Tallix's main window: the calculator with its keypad, display, tape, status
// bar, stopwatch bar and menus.
#include <windows.h>

#include <string>

#include "app/main_window/main_window_context.h"

namespace tallix {

// Creates and shows the main window with its settings in `settingsPath`
// (UTF-8); nullptr when it cannot be created or one is open already. The
// message loop is the caller's. The context stays valid until the next call.
MainWindowContext* CreateMainWindow(const std::string& settingsPath);

// The start-up of the program: the main window with Tallix.ini beside the
// executable, and its message loop until the window is destroyed. Returns the
// process exit code.
int ShowMainWindow();

}  // namespace tallix
