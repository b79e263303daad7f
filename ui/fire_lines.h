#pragma once
// Separator line control, window class "FIRELINES": a line along the top or
// left edge, or a rounded rectangle, over an optionally filled background.
// Create it with FIRELINES (ui/exports.h) and change it with the messages
// below: wParam is the new value, lParam non-zero repaints at once; each
// returns the previous value. In high contrast it draws in the system's
// button colours whatever it was given (ui/contrast.h).
#include <windows.h>

#include <optional>

#include "ui/exports.h"

namespace tallix::ui {

inline constexpr wchar_t kFireLinesClass[] = L"FIRELINES";

enum FireLinesMessage : UINT {
  kFlSetShape = 3072,        // 1 line, 0 rounded rectangle
  kFlSetOrientation = 3073,  // 0 horizontal (top edge), 1 vertical (left edge)
  kFlSetPenColor = 3074,     // COLORREF
  kFlSetPenWidth = 3075,
  kFlSetPenStyle = 3076,   // 0 solid inside the frame, 1 dashed, 2 dotted
  kFlSetRounding = 3077,   // corner rounding of the rectangle
  kFlSetFilled = 3078,     // 1 fill with the background colour, 0 transparent
  kFlSetBackColor = 3080,  // COLORREF; the background brush is remade
};

struct FireLinesInfo {
  int shape = 1;
  int orientation = 0;
  COLORREF penColor = 0;
  int penWidth = 1;
  int penStyle = 0;
  int rounding = 0;
  int filled = 1;
  COLORREF backColor = 0;
};

bool RegisterFireLinesClass();
std::optional<FireLinesInfo> GetFireLinesInfo(HWND line);

}  // namespace tallix::ui
