#pragma once
// The menu bar shows, after an item's caption, the keystroke that runs the
// item too, as the keyboard map has it.
#include <windows.h>

namespace tallix {

void ShowMenuShortcuts(HMENU bar);

// Edit > Grand Total: enabled, with its keystroke, only while the grand total
// is on (Ctrl+G gives change as G does while it is off).
void ShowGrandTotalItem(HMENU bar, bool on);

}  // namespace tallix
