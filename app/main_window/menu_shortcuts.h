#pragma once
// The menu bar shows, after an item's caption, the keystroke that runs the
// item too, as the keyboard map has it.
#include <windows.h>

#include "engine/keyboard_shortcut.h"

namespace tallix {

void ShowMenuShortcuts(HMENU bar);

// The menu item that runs `command`; 0 for none.
UINT MenuItemOf(MenuCommand command);

// Edit > Grand Total: enabled, with its keystroke, only while the grand total
// is on (Ctrl+G gives change as G does while it is off).
void ShowGrandTotalItem(HMENU bar, bool on);

// Edit > Find Next and Find Previous: enabled while the find box is open, as
// F3 and Shift+F3 find only then.
void ShowFindItems(HMENU bar, bool open);

}  // namespace tallix
