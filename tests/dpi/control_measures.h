#pragma once
// What the DPI layout probe measures of a control beside its place: the
// height its font draws at, and how its caption fits.
#include <windows.h>

namespace tallix::dpi_probe {

HFONT FontOf(HWND control);

// The height of the font's cells as drawn (negative): a bitmap face asked for
// a height it does not have draws at one it has.
int FontHeight(HWND control, HFONT font);

// How many pixels a caption has to spare within the room its control gives
// it (negative: clipped), and for a key's caption how many lie between its
// ink and the key's edge (-1 for anything else).
struct CaptionFit {
  int slack = 0;
  int edge = -1;
};

// The caption's text, in the control's font: on one line within its width,
// or wrapped within its height. A key that shows its image instead of its
// caption has no caption.
CaptionFit FitOf(HWND control, int dpi);

}  // namespace tallix::dpi_probe
