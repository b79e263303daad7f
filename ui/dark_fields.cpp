// The fields that paint their own light colours whatever their form answers:
// a drop-down list's face and arrow, a date picker's field (dark_turned.cpp),
// etched lines, and the sunken edges the system draws around fields and
// panes in its light 3-D colours.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/dark_parts.h"
#include "ui/dark_theme.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

constexpr UINT_PTR kEdgeHookId = 0x7A11;

using Painter = void (*)(HWND control, WNDPROC previous, HDC dc);

bool FocusHidden(HWND control) { return (SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0; }

// A small triangle pointing down, centred in the area.
void DrawDownArrow(HWND control, HDC dc, const RECT& area, COLORREF color) {
  const int half = Scaled(control, 4), depth = Scaled(control, 4);
  const int x = (area.left + area.right) / 2, y = (area.top + area.bottom - depth) / 2;
  const POINT corners[] = {{x - half, y}, {x + half, y}, {x, y + depth}};
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
  ScopedSelect usePen(dc, pen);
  ScopedSelect useBrush(dc, PaletteBrush(color));
  Polygon(dc, corners, 3);
}

void PaintDropDown(HWND combo, WNDPROC, HDC target) {
  RECT client{};
  GetClientRect(combo, &client);
  PaintBuffered(target, client, [&](HDC dc) {
    const DarkPalette& palette = Dark();
    const bool enabled = IsWindowEnabled(combo);
    FillRect(dc, &client, PaletteBrush(palette.frame));
    RECT inside = client;
    InflateRect(&inside, -1, -1);
    FillRect(dc, &inside, PaletteBrush(enabled ? palette.field : palette.face));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(combo, &info)) return;

    const bool pressed = (info.stateButton & STATE_SYSTEM_PRESSED) != 0;
    FillRect(dc, &info.rcButton, PaletteBrush(pressed ? palette.keyPressed : palette.keyFace));
    DrawDownArrow(combo, dc, info.rcButton, enabled ? palette.text : palette.grayText);

    const bool focused = GetFocus() == combo && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0);
    if (focused) FillRect(dc, &info.rcItem, PaletteBrush(palette.highlight));
    std::wstring text;
    if (const LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0); chosen >= 0) {
      text.resize(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(combo, CB_GETLBTEXTLEN, chosen, 0))) + 1);
      text.resize(static_cast<std::size_t>(
          std::max<LRESULT>(0, SendMessageW(combo, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text.data())))));
    }
    ScopedSelect font(dc, ControlFont(combo));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, focused ? palette.highlightText : enabled ? palette.fieldText : palette.grayText);
    RECT place = info.rcItem;
    place.left += Scaled(combo, 2);
    DrawTextW(dc, text.c_str(), -1, &place, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (focused && !FocusHidden(combo)) DrawFocusRect(dc, &info.rcItem);
  });
}

// SS_ETCHEDHORZ, SS_ETCHEDVERT, SS_ETCHEDFRAME: a line of the palette's.
void PaintEtched(HWND line, WNDPROC, HDC dc) {
  RECT client{};
  GetClientRect(line, &client);
  FillRect(dc, &client, PaletteBrush(Dark().face));
  const DWORD type = GetWindowLongW(line, GWL_STYLE) & SS_TYPEMASK;
  const int thickness = Scaled(line, 1);
  RECT edge = client;
  if (type == SS_ETCHEDHORZ) edge.bottom = edge.top + thickness;
  if (type == SS_ETCHEDVERT) edge.right = edge.left + thickness;
  if (type == SS_ETCHEDFRAME) {
    FrameRect(dc, &edge, PaletteBrush(Dark().frame));
    return;
  }
  FillRect(dc, &edge, PaletteBrush(Dark().frame));
}

Painter PainterOf(HWND control) {
  if (IsDarkPaintedDropDown(control)) return PaintDropDown;
  if (HasClass(control, DATETIMEPICK_CLASSW)) return PaintDatePicker;
  if (HasClass(control, L"Static")) {
    const DWORD type = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
    if (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT || type == SS_ETCHEDFRAME) return PaintEtched;
  }
  return nullptr;
}

bool HasEdges(HWND control) {
  return (GetWindowLongW(control, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) ||
         (GetWindowLongW(control, GWL_STYLE) & WS_BORDER);
}

LRESULT CALLBACK DarkEdgeHook(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, DarkEdgeHook, kEdgeHookId);
  const LRESULT answer = DefSubclassProc(control, message, wParam, lParam);
  if (message == WM_NCPAINT && DarkOn()) PaintDarkEdges(control);
  return answer;
}

}  // namespace

bool IsDarkPaintedDropDown(HWND control) {
  const DWORD style = GetWindowLongW(control, GWL_STYLE);
  return HasClass(control, L"ComboBox") && (style & 3) == CBS_DROPDOWNLIST &&
         !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE));
}

bool OnDarkFieldMessage(HWND control, WNDPROC previous, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  if (message == WM_NCPAINT) {
    if (!HasEdges(control)) return false;
    answer = CallWindowProcW(previous, control, message, wParam, lParam);
    PaintDarkEdges(control);
    return true;
  }
  if (message != WM_PAINT && message != WM_PRINTCLIENT && message != WM_ERASEBKGND) return false;
  const Painter paint = PainterOf(control);
  if (!paint) return false;
  answer = message == WM_ERASEBKGND ? 1 : 0;  // the paint covers it all
  if (message == WM_ERASEBKGND) return true;
  PaintInto(control, wParam, [&](HDC dc) { paint(control, previous, dc); });
  return true;
}

// Over the system's 3-D edge: an outer line of the frame colour, the rest of
// the field's, so that a field stands out as a flat dark box.
void PaintDarkEdges(HWND control) {
  if (!HasEdges(control)) return;
  RECT outer{};
  GetWindowRect(control, &outer);
  POINT origin{0, 0};
  ClientToScreen(control, &origin);
  const int thickness = std::min(origin.x - outer.left, origin.y - outer.top);
  if (thickness <= 0) return;
  HDC window = GetWindowDC(control);
  if (!window) return;
  RECT ring{0, 0, outer.right - outer.left, outer.bottom - outer.top};
  for (int step = 0; step < thickness; ++step) {
    FrameRect(window, &ring, PaletteBrush(step == 0 ? Dark().frame : Dark().field));
    InflateRect(&ring, -1, -1);
  }
  ReleaseDC(control, window);
}

void HookDarkEdges(HWND control, bool dark) {
  if (!HasEdges(control)) return;
  if (dark) {
    SetWindowSubclass(control, DarkEdgeHook, kEdgeHookId, 0);
  } else {
    RemoveWindowSubclass(control, DarkEdgeHook, kEdgeHookId);
  }
}

}  // namespace tallix::ui
