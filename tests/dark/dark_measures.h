#pragma once
// What the dark look is measured by, in a picture of a form as the screen
// shows it (ui::test::ScreenPixels): colours as the eye reads them, a form's
// own face, the ink of a caption or a line against what lies behind it.
#include <windows.h>

#include <optional>
#include <vector>

#include "tests/ui/ui_test_support.h"

namespace tallix::dark_test {

using ui::test::Pixels;

// Relative luminance, 0 for black to 1 for white.
double Luminance(COLORREF colour);
// The contrast ratio, 1 to 21.
double Contrast(COLORREF a, COLORREF b);

// The colour most pixels of `area` (picture coordinates) have: a face behind
// text and lines.
COLORREF CommonColour(const Pixels& shot, const RECT& area);
double MeanLuminance(const Pixels& shot, const RECT& area);
// The pixel of `area` that stands out most against `background`: the ink of
// a caption or a line, where a glyph covers a pixel whole.
COLORREF StrongestInk(const Pixels& shot, const RECT& area, COLORREF background);

// The form's own face: the colour most of its client area shows where no
// control lies (a group box's frame is no cover). None when controls cover it all.
std::optional<COLORREF> FaceColour(const Pixels& shot, HWND form);

// Every control of the form shown now, grandchildren included.
std::vector<HWND> VisibleControls(HWND form);

// Where a label, a group box, a check box or an option button draws its
// caption, in the picture's coordinates: a label's client area, the strip of
// a group box's frame its caption interrupts, what lies beside the box of a
// check box. None for other controls and for those without a caption.
std::optional<RECT> CaptionArea(const Pixels& shot, HWND form, HWND control);

// Dark as the background of a window must be, and light as Windows' own light windows are.
inline bool IsDark(COLORREF face) { return Luminance(face) <= 0.05; }
inline bool IsLight(COLORREF face) { return Luminance(face) >= 0.5; }

}  // namespace tallix::dark_test
