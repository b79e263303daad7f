#pragma once
// The key sink: a never-visible edit field that keeps the keyboard focus, so
// that every key press reaches the keyboard mapping.
#include <windows.h>

namespace tallix {

// Subclass procedure of the key sink and of the display: key strokes go to the
// main window's engine; those typed while the display has the focus count as
// the key sink's, which takes the focus back.
LRESULT CALLBACK KeySinkProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tallix
