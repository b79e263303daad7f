#pragma once
// Tallix's main window: the calculator with its keypad, display, tape, status
// bar, stopwatch bar and menus.
#include <windows.h>

#include <string>

namespace tallix {

inline constexpr wchar_t kMainWindowClass[] = L"FORM_TALLIX_FORM1_CLASS";

// Creates and shows the main window with its settings in `settingsPath`
// (UTF-8); nullptr when the window cannot be created. The message loop is the
// caller's.
HWND CreateMainWindow(const std::string& settingsPath);

// The start-up of the program: the main window with Tallix.ini beside the
// executable, and its message loop until the window is destroyed. Returns the
// process exit code.
int ShowMainWindow();

// The main window while it exists, else nullptr.
HWND MainWindowHandle();

}  // namespace tallix
