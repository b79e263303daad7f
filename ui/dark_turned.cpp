// Controls that draw in the system's light colours whatever they are given
// (a date picker's field: its text in the window text colour; a calendar's
// arrow buttons and, with visual styles, all of it) are painted light into a
// bitmap, which is then turned dark pixel by pixel: the light field becomes
// the palette's, black text its light text, and a coloured piece (the chosen
// day, today's ring) keeps its hue.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "services/readable_color.h"
#include "ui/dark_parts.h"
#include "ui/dark_theme.h"
#include "ui/gdi_scope.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

constexpr UINT_PTR kCalendarHookId = 0x7A12;

double Lightness(COLORREF color) {
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  return (std::max({r, g, b}) + std::min({r, g, b})) / 510.0;
}

// The lightness a control's light paint runs between, and that of the dark
// picture it is turned into.
struct Ends {
  double darkest, lightest;
};
Ends TurnedEnds(bool enabled) {
  const DarkPalette& palette = Dark();
  return {Lightness(enabled ? palette.field : palette.face), Lightness(palette.fieldText)};
}

// `render` paints the window's client area, light, into the DC it is given.
template <class Render>
void PaintTurnedOver(HWND window, HDC target, Render render) {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject<HBITMAP> bitmap(CreateDIBSection(target, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDC memory(target);
  if (!bitmap || !memory || !bits) return;
  ScopedSelect useBitmap(memory, bitmap);
  FillRect(memory, &client, GetSysColorBrush(COLOR_WINDOW));
  render(static_cast<HDC>(memory));
  GdiFlush();

  const auto [darkest, lightest] = TurnedEnds(IsWindowEnabled(window) != FALSE);
  auto* pixel = static_cast<std::uint32_t*>(bits);  // 0x00RRGGBB
  std::uint32_t lastIn = ~0u, lastOut = 0;          // most pixels repeat the one before
  for (std::size_t i = 0, count = static_cast<std::size_t>(width) * height; i < count; ++i) {
    const std::uint32_t in = pixel[i] & 0xFFFFFF;
    if (in != lastIn) {
      const Rgb turned = LightnessTurnedOver(MakeRgb(in >> 16 & 0xFF, in >> 8 & 0xFF, in & 0xFF), darkest, lightest);
      lastIn = in;
      lastOut = (turned & 0xFF) << 16 | (turned & 0xFF00) | (turned >> 16 & 0xFF);
    }
    pixel[i] = lastOut;
  }
  BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
}

// A calendar dropped while dark: every paint of it turned over, until it
// closes.
LRESULT CALLBACK DarkCalendarHook(HWND calendar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  const bool paint = message == WM_PAINT || message == WM_PRINTCLIENT;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(calendar, DarkCalendarHook, kCalendarHookId);
  if (!DarkOn() || !(paint || message == WM_ERASEBKGND)) return DefSubclassProc(calendar, message, wParam, lParam);
  if (message == WM_ERASEBKGND) return 1;  // the paint covers it all
  const auto light = [&](HDC dc) {
    DefSubclassProc(calendar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  };
  PaintInto(calendar, wParam, [&](HDC dc) { PaintTurnedOver(calendar, dc, light); });
  return 0;
}

}  // namespace

COLORREF LightBeforeTurning(COLORREF dark) {
  // Turning maps lightness L to d + (1 - L)(l - d); the same map with the
  // ends (l - 1) / (l - d) and l / (l - d) undoes it.
  const auto [d, l] = TurnedEnds(true);
  return LightnessTurnedOver(dark & 0xFFFFFF, (l - 1) / (l - d), l / (l - d));
}

void PaintDatePicker(HWND picker, WNDPROC previous, HDC target) {
  PaintTurnedOver(picker, target, [&](HDC dc) {
    CallWindowProcW(previous, picker, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

void HookDarkCalendar(HWND picker, bool dropped) {
  HWND calendar = DateTime_GetMonthCal(picker);
  if (!calendar) return;
  if (dropped) {
    SetWindowSubclass(calendar, DarkCalendarHook, kCalendarHookId, 0);
  } else {
    RemoveWindowSubclass(calendar, DarkCalendarHook, kCalendarHookId);
  }
  InvalidateRect(calendar, nullptr, TRUE);
}

}  // namespace tallix::ui
