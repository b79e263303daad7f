#pragma once
// The About window ("About Tallix"): name, version and icon, modal to the
// main window.
#include <windows.h>

namespace tallix {

// Returns when Ok, Esc or the close box has closed it.
void ShowAbout(HWND owner);

}  // namespace tallix
