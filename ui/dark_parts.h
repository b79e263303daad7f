#pragma once
// Between the files of the dark look alone: what each kind of control does
// when it goes dark or light again, and the messages it answers while dark.
#include <windows.h>

#include "ui/form_state.h"
#include "ui/window_kit.h"

namespace tallix::ui {

// dark_controls.cpp: the colours of a control in the palette, as its form
// answers WM_CTLCOLOR... for it (a field's or the face's).
struct DarkColors {
  COLORREF text, back;
};
DarkColors DarkColorsOf(HWND control, bool field);

// A colour a control had before it went dark, kept on the control until it
// goes light again (then taken back once). Only the first one kept counts.
void KeepLightColor(HWND control, const wchar_t* name, COLORREF color);
bool TakeLightColor(HWND control, const wchar_t* name, COLORREF& color);

// The scroll bars of a control in the system's dark style where it has one
// (Windows 10 1809 and later, visual styles on); else noted as light.
void ThemeScrollBars(HWND control, bool dark);
bool SystemHasDarkScrollBars();

// The font a control draws its text in (the system's when it was given none).
HGDIOBJ ControlFont(HWND control);

// WM_PAINT or WM_PRINTCLIENT answered by `paint`: into the DC the message
// brings, else between BeginPaint and EndPaint.
template <class Paint>
void PaintInto(HWND window, WPARAM wParam, Paint paint) {
  if (const auto given = reinterpret_cast<HDC>(wParam)) {
    paint(given);
  } else {
    PaintWith(window, paint);
  }
}

// Draws into a bitmap of the area first and then onto `target` in one go: a
// control never shows half its paint.
template <class Draw>
void PaintBuffered(HDC target, const RECT& area, Draw draw) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC memory = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  if (!memory || !bitmap) {
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    draw(target);
    return;
  }
  HGDIOBJ previous = SelectObject(memory, bitmap);
  SetWindowOrgEx(memory, area.left, area.top, nullptr);
  draw(memory);
  SetWindowOrgEx(memory, 0, 0, nullptr);
  BitBlt(target, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

// dark_lists.cpp: list views (with their headers), trees and progress bars
// take the palette's colours, or their own back.
void ThemeCommonControl(HWND control, bool dark);
bool OnDarkListMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);

// dark_buttons.cpp: push buttons, check boxes, option buttons and group
// boxes painted in the palette.
bool IsDarkPaintedButton(HWND control);
bool OnDarkButtonMessage(HWND button, WNDPROC previous, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);

// dark_turned.cpp: a date picker's field, and the calendar it drops while
// dark, painted light and turned dark pixel by pixel.
void PaintDatePicker(HWND picker, WNDPROC previous, HDC target);
void HookDarkCalendar(HWND picker, bool dropped);
// The light colour that comes out as `dark` once turned.
COLORREF LightBeforeTurning(COLORREF dark);

// dark_fields.cpp: a drop-down list's face (one that is not drawn by its
// owner), etched lines, and the sunken edges around fields and panes.
bool IsDarkPaintedDropDown(HWND control);
bool OnDarkFieldMessage(HWND control, WNDPROC previous, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);
void PaintDarkEdges(HWND control);
// A control the framework does not subclass gets its edges painted dark by a
// hook of its own, gone when it goes light again.
void HookDarkEdges(HWND control, bool dark);

}  // namespace tallix::ui
