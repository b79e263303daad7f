#pragma once
// A control's design size scaled to a DPI can be a pixel or more too small
// for its caption: text does not grow in proportion (glyphs round to whole
// pixels, hinting, another face above 96 DPI). The framework then makes the
// control just large enough, into the free room beside it where there is
// some. At the design DPI nothing changes.
#include <windows.h>

namespace tallix::ui {

// Makes the control's caption, in the font it has now, fit within it at dpi.
void FitCaption(HWND control, int dpi);

// The same for every child control of a form.
void FitCaptions(HWND form, int dpi);

}  // namespace tallix::ui
