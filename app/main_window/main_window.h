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

// What the side windows, the options window and the tape files use of the
// main window while it exists (nullptr, false or empty text otherwise).
class Engine;
Engine* MainWindowEngine();
// Full path of Tallix.ini (UTF-8).
std::string MainSettingsPath();
// The always-on-top setting in memory; setting it places the window in or
// out of the topmost band and shows the "[O]" key accordingly. The caller
// writes "TopMost" itself.
bool IsAlwaysOnTop();
void SetAlwaysOnTop(bool on);
// The "Laptop 10 Key" label beside the display.
void ShowLaptopLabel(bool shown);

}  // namespace tallix
