#pragma once
// The controls of a form in the dark look: the colours each kind asks of its
// form (WM_CTLCOLOR...), those the common controls keep themselves, and the
// pieces Tallix paints itself while dark (buttons, a drop-down list's face, a
// date picker's field, list headers, the edges around fields).
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

// A form's tooltip window, which is none of its children.
void ThemeTooltip(HWND tooltip, bool dark);

// The framework's subclass asks these of every message of its controls.
// Before the control's own procedure: true when the message was answered in
// the dark look (a paint, a custom draw), which the control must not see.
bool OnDarkControlMessage(HWND control, WNDPROC previous, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);
// After it: a control that paints at once on a change of state (a button
// pressed or focused, a drop-down list's choice) is painted dark again.
void AfterDarkControlMessage(HWND control, UINT message);

}  // namespace tallix::ui
