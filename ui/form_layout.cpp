// A form laid out for its DPI: controls placed from their design places,
// fonts and icons made for it, and all of it again when the DPI changes.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "ui/caption_fit.h"
#include "ui/control_helpers.h"
#include "ui/font_spec.h"
#include "ui/form_give.h"
#include "ui/form_parts.h"
#include "ui/placement.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

bool HasMenuBar(HWND form) { return GetMenu(form) != nullptr && !(GetWindowLongW(form, GWL_STYLE) & WS_CHILD); }

// Design values of a control never placed through the framework are read
// back from its pixels.
Place DesignPlaceOf(HWND control) {
  if (const ControlState* state = ControlStateOf(control); state && state->designPlace) return *state->designPlace;
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  const int dpi = DpiOf(control);
  return {MulDiv(rect.left, kDesignDpi, dpi), MulDiv(rect.top, kDesignDpi, dpi),
          MulDiv(rect.right - rect.left, kDesignDpi, dpi), MulDiv(rect.bottom - rect.top, kDesignDpi, dpi)};
}

// Fonts first: a combo box sizes itself to its font, and the place then wins.
BOOL CALLBACK RescaleControl(HWND control, LPARAM dpiValue) {
  const int dpi = static_cast<int>(dpiValue);
  ControlState* state = ControlStateOf(control);
  if (!state) return TRUE;
  if (!state->fontSpec.empty())
    if (HFONT font = FontFromSpec(state->fontSpec, dpi)) {
      state->font = font;
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      if (HasClass(control, DATETIMEPICK_CLASSW))
        SendMessageW(control, DTM_SETMCFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
  if (state->designPlace) {
    const Place place = PixelPlace(control, *state->designPlace, dpi);
    SetWindowPos(control, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (state->iconName) ShowIconForDpi(control, *state, dpi);
  if (state->finish) state->finish(control);
  return TRUE;
}

}  // namespace

bool HasMenuBar(const FormDefinition& definition) { return definition.menuName != nullptr; }

SIZE DesignClientOf(const FormDefinition& definition) {
  return DesignClientOfOuter(definition.width, definition.height, definition.style, definition.exStyle,
                             HasMenuBar(definition));
}

// The window icons drawn for the form's DPI; the form owns them.
void SetFormIcons(HWND form, FormState& state, const FormDefinition& definition, int dpi) {
  if (!definition.iconName) return;
  for (const bool large : {true, false}) {
    HICON icon = LoadIconOfSize(definition.iconName, WindowIconSize(large, dpi));
    if (!icon) continue;
    HICON& kept = large ? state.largeIcon : state.smallIcon;
    SendMessageW(form, WM_SETICON, large ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    if (kept) DestroyIcon(kept);
    kept = icon;
  }
}

// The form moved to a screen of another scale, or the scale changed: the
// system's suggested rectangle, then everything laid out again for the DPI.
void OnFormDpiChanged(HWND form, FormState& state, FormDefinition& definition, int dpi, const RECT* suggested) {
  if (dpi <= 0) return;
  SetLayoutDpi(form, dpi);
  if (suggested)
    SetWindowPos(form, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  // Laid out anew in full; the frame fitted to the screen then says what the
  // giving control gives up at this DPI.
  state.given = {};
  EnumChildWindows(form, RescaleControl, dpi);
  SetClientSize(form, ScaleToDpi(state.designClient.cx, dpi), ScaleToDpi(state.designClient.cy, dpi));
  FitCaptions(form, dpi);
  KeepOnItsMonitor(form);
  SetFormIcons(form, state, definition, dpi);
  definition.OnDpiChanged(form, dpi);
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void PlaceControl(HWND control, const Place& place) {
  if (!IsWindow(control)) return;
  if (ControlState* state = ControlStateOf(control)) state->designPlace = place;
  const int dpi = DpiOf(control);
  const Place pixels = PixelPlace(control, place, dpi);
  SetWindowPos(control, nullptr, pixels.x, pixels.y, pixels.width, pixels.height, SWP_NOZORDER | SWP_NOACTIVATE);
  FitCaption(control, dpi);
}

void MoveControlTo(HWND control, int x, int y) {
  if (!IsWindow(control)) return;
  Place place = DesignPlaceOf(control);
  place.x = x, place.y = y;
  PlaceControl(control, place);
}

void ResizeControlTo(HWND control, int width, int height) {
  if (!IsWindow(control)) return;
  Place place = DesignPlaceOf(control);
  place.width = width, place.height = height;
  PlaceControl(control, place);
}

void SetFormClientSize(HWND form, int width, int height) {
  if (!IsWindow(form)) return;
  if (FormState* state = FormStateOf(form)) state->designClient = {width, height};
  const int dpi = DpiOf(form);
  SetClientSize(form, ScaleToDpi(width, dpi), ScaleToDpi(height, dpi));
  KeepOnItsMonitor(form);
}

void SetFormOuterSize(HWND form, int width, int height) {
  if (!IsWindow(form)) return;
  const DWORD style = GetWindowLongW(form, GWL_STYLE);
  const SIZE client = DesignClientOfOuter(width, height, style, GetWindowLongW(form, GWL_EXSTYLE), HasMenuBar(form));
  const int dpi = DpiOf(form);
  if (dpi != kDesignDpi) {
    SetFormClientSize(form, client.cx, client.cy);
    return;
  }
  // At the design DPI the outer size is kept whatever frame the system draws.
  if (FormState* state = FormStateOf(form)) state->designClient = client;
  SetWindowPos(form, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepOnItsMonitor(form);
}

}  // namespace tallix::ui
