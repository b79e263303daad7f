#include "ui/dark_controls.h"

#include "ui/dark_theme.h"
#include "ui/window_kit.h"

namespace tallix::ui {

LRESULT DarkControlColor(UINT message, HDC dc, HWND control, const ControlState* state) {
  const DarkPalette& palette = Dark();
  const bool enabled = IsWindowEnabled(control);
  const bool isEdit = HasClass(control, L"Edit");
  // A read-only edit asks as a static does, and is still a field.
  const bool field = (isEdit && enabled) || message == WM_CTLCOLORLISTBOX || (message == WM_CTLCOLOREDIT && enabled);
  const COLORREF back = field ? palette.field : palette.face;
  COLORREF text = field ? palette.fieldText : palette.text;
  if (state && state->colors && state->colors->textSource == ColorSource::kRgb)
    text = ReadableColor(state->colors->text, back);
  if (!enabled) text = palette.grayText;
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  SetBkMode(dc, OPAQUE);
  return reinterpret_cast<LRESULT>(PaletteBrush(back));
}

void ThemeChildControls(HWND, bool) {}

}  // namespace tallix::ui
