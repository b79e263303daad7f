#pragma once
// The two shapes Tallix draws on any DC, a screen's or a printer's: a filled
// box and a solid line. Each makes and frees its own brush or pen, leaving
// the DC's selection as it found it.
#include <windows.h>

namespace tallix {

void FillBox(HDC dc, const RECT& box, COLORREF colour);
// A line through `count` points, `width` pixels wide with square ends, so
// that a one-pixel line covers exactly the pixels GDI's thin pens do.
void DrawPolyline(HDC dc, const POINT* points, int count, COLORREF colour, int width);

}  // namespace tallix
