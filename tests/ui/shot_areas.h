#pragma once
// A control's part of a picture of its form as the screen shows it
// (ScreenPixels): where it and its client area lie in the picture, a pixel of it,
// and how many of its pixels are near a colour.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "tests/ui/ui_test_support.h"

namespace tallix::ui::test {

// A rectangle of the screen in the coordinates of the form's picture, within it.
inline RECT InShot(const Pixels& shot, HWND form, RECT onScreen) {
  RECT window{};
  GetWindowRect(form, &window);
  OffsetRect(&onScreen, -window.left, -window.top);
  const RECT picture{0, 0, shot.width, shot.height};
  IntersectRect(&onScreen, &onScreen, &picture);
  return onScreen;
}

// A control's client area (the form's own, for the form) in the coordinates
// of the form's picture, within the picture.
inline RECT ClientInShot(const Pixels& shot, HWND form, HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return InShot(shot, form, client);
}

inline bool Near(COLORREF a, COLORREF b, int tolerance = 24) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Pixels of the form's picture within a control's client area, near `colour`.
inline int CountNear(const Pixels& shot, HWND form, HWND control, COLORREF colour, int tolerance = 24) {
  const RECT area = ClientInShot(shot, form, control);
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) n += Near(shot.At(x, y), colour, tolerance);
  return n;
}

// The pixel at (x, y) of a control's client area (negative: from the far edge).
inline COLORREF PixelOf(const Pixels& shot, HWND form, HWND control, int x, int y) {
  RECT client{};
  GetClientRect(control, &client);
  POINT point{x < 0 ? client.right + x : x, y < 0 ? client.bottom + y : y};
  ClientToScreen(control, &point);
  RECT window{};
  GetWindowRect(form, &window);
  return shot.At(std::clamp<int>(point.x - window.left, 0, shot.width - 1),
                 std::clamp<int>(point.y - window.top, 0, shot.height - 1));
}

// The pointer to the screen's far corner: a key under it would show hot, and
// a tooltip could come up over the window being looked at.
inline void PointerOutOfTheWay() { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }

}  // namespace tallix::ui::test
