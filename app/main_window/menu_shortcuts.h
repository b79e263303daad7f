#pragma once
// The menu bar shows, after an item's caption, the keystroke that runs the
// item too, as the keyboard map has it.
#include <windows.h>

namespace tallix {

void ShowMenuShortcuts(HMENU bar);

}  // namespace tallix
