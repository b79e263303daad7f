#pragma once
// A form made smaller than its laid-out size, to fit the screen, keeps every
// control within reach: the control its definition names as the one that
// gives (a list, say) gets shorter and narrower by what the client area
// lacks, and every control lying below it moves up, every one lying right of
// it moves left, by as much. A form that has its laid-out size is left
// exactly as laid out.
#include <windows.h>

#include "ui/scaling.h"

namespace tallix::ui {

// Where a control of a form goes, in pixels at dpi, for its design place:
// the place scaled, less what the form's giving control gives up now.
Place PixelPlace(HWND control, const Place& design, int dpi);

// Works out again what the form's giving control gives up for the client
// area the form has now, and moves and sizes the controls concerned by the
// change. Nothing happens for a form that names no giving control.
void LetControlGive(HWND form);

// Names other giving controls from now on (as FormDefinition's two members
// do): the controls go back to their laid-out places, then give anew.
void SetGivingControls(HWND form, int control, int acrossControl);

}  // namespace tallix::ui
