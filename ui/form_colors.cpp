// The colours of a form's controls: their own where they have some, the
// user's in high contrast, and both followed when the user changes them.
#include "ui/contrast.h"
#include "ui/dark_controls.h"
#include "ui/dark_theme.h"
#include "ui/form_parts.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

COLORREF Resolve(COLORREF color, ColorSource source) {
  return source == ColorSource::kSystem ? GetSysColor(static_cast<int>(color)) : color;
}

BOOL CALLBACK RefreshSystemBrush(HWND child, LPARAM) {
  ControlState* state = ControlStateOf(child);
  if (state && state->colors && state->colors->backSource == ColorSource::kSystem) {
    if (state->brush) DeleteObject(state->brush);
    state->brush = GetSysColorBrush(static_cast<int>(state->colors->back));
  }
  return TRUE;
}

// Common controls (tree, list view, date picker) take their colours anew only
// when their form passes the change on; then everything is painted again.
BOOL CALLBACK PassOnColorChange(HWND child, LPARAM) {
  SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

// A control's own fixed colours give way to the user's in high contrast.
bool UsesOwnColors(const ControlState* state) {
  if (!state || !state->colors) return false;
  const ControlColors& colors = *state->colors;
  return !HighContrastOn() || (colors.textSource == ColorSource::kSystem && colors.backSource == ColorSource::kSystem);
}

}  // namespace

void OnColorsChanged(HWND form, UINT message) {
  EnumChildWindows(form, RefreshSystemBrush, 0);
  if (message == WM_SYSCOLORCHANGE) EnumChildWindows(form, PassOnColorChange, 0);
  // High contrast switched on ends the dark look, switched off may bring it back.
  ApplyThemeToForm(form);
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void PaintFormFace(HWND form, HDC dc) {
  RECT client;
  GetClientRect(form, &client);
  FillRect(dc, &client, PaletteBrush(Dark().face));
}

LRESULT OnControlColor(HWND form, UINT message, HDC dc, HWND control) {
  const ControlState* state = ControlStateOf(control);
  if (DarkOn()) return DarkControlColor(message, dc, control, state);
  if (!state || !state->colors) state = ControlStateOf(GetFocus());
  if (!UsesOwnColors(state) || !state->brush)
    return DefWindowProcW(form, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  const ControlColors& colors = *state->colors;
  SetTextColor(dc, Resolve(colors.text, colors.textSource));
  if (HasClass(control, L"Edit")) {
    SetBkMode(dc, OPAQUE);
    if (!IsWindowEnabled(control)) {
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetBkColor(dc, Resolve(colors.back, colors.backSource));
  } else {
    SetBkMode(dc, TRANSPARENT);
  }
  return reinterpret_cast<LRESULT>(state->brush);
}

}  // namespace tallix::ui
