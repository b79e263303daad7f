#pragma once
// A control's design size scaled to a DPI can be a pixel or more too small
// for its caption: text does not grow in proportion (glyphs round to whole
// pixels, hinting, another face above 96 DPI). The framework then makes the
// control just large enough, into the free room beside it where there is
// some. At the design DPI nothing changes.
#include <windows.h>

namespace tallix::ui {

// Drawn glyphs can reach a pixel past the width the font reports for them.
inline constexpr int kGlyphOverreach = 1;
// Pixels of face a key's centred caption keeps clear at each edge of the key,
// where the key is large enough for that.
inline constexpr int kCaptionEdge = 1;

// The room a key gives its centred caption, `needed` pixels wide (or high), in
// one direction: its content area low..high, or where the caption does not fit
// there, the face faceLow..faceHigh (a theme's content area can be narrower
// than a short caption on a small key, "Feed" and "+Tax" on 28 pixels, or
// lower than its font, the descender of "Lap" on 18), less kCaptionEdge at
// each end where the caption fits within that. As the content area lies in
// the middle of the face, the caption stays where it was.
void WidenForCaption(LONG& low, LONG& high, LONG faceLow, LONG faceHigh, LONG needed);

// Makes the control's caption, in the font it has now, fit within it at dpi.
void FitCaption(HWND control, int dpi);

// The same for every child control of a form.
void FitCaptions(HWND form, int dpi);

}  // namespace tallix::ui
