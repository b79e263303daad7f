#pragma once
// The menu bar and menus of a form in the dark look, drawn by Tallix.
#include <windows.h>

namespace tallix::ui {

// The form's menus made ready to be drawn dark, or given back to the system.
void ThemeMenus(HWND form, bool dark);

// The menu drawing messages of a form while dark; true when answered.
bool OnDarkMenuMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace tallix::ui
