#pragma once
// The controls of a form in the dark look: the colours each kind asks of its
// form (WM_CTLCOLOR...), those the common controls keep themselves, and the
// buttons, which Tallix paints itself while dark.
#include <windows.h>

#include "ui/form_state.h"

namespace tallix::ui {

// WM_CTLCOLOR... answered in the dark palette: fields (edits, lists, a
// drop-down's face) on the field colour, the rest on the window's face; a
// control's own text colour kept in hue and made readable.
LRESULT DarkControlColor(UINT message, HDC dc, HWND control, const ControlState* state);

// Every control of the form, grandchildren included, given the look: dark,
// or back to the system's own.
void ThemeChildControls(HWND form, bool dark);

}  // namespace tallix::ui
