#include "ui/dark_menu.h"

namespace tallix::ui {

void ThemeMenus(HWND, bool) {}

bool OnDarkMenuMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

}  // namespace tallix::ui
