#include "ui/placement.h"

#include <algorithm>

namespace tallix::ui {
namespace {

MONITORINFO InfoOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor && GetMonitorInfoW(monitor, &info)) return info;
  // Without monitor functions: the primary screen, and its work area as the
  // system reports it.
  info.rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0)) info.rcWork = info.rcMonitor;
  return info;
}

// An owned form is top-level; its owner may be a control of another form.
HWND TopLevel(HWND window) {
  while (window && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

}  // namespace

HMONITOR MonitorForOwner(HWND owner) {
  if (HWND top = TopLevel(owner); top && IsWindow(top)) return MonitorFromWindow(top, MONITOR_DEFAULTTOPRIMARY);
  return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

POINT CentredOn(HMONITOR monitor, SIZE outer) {
  const RECT screen = InfoOf(monitor).rcMonitor;
  return {screen.left + (screen.right - screen.left - outer.cx) / 2,
          screen.top + (screen.bottom - screen.top - outer.cy) / 2};
}

void KeepInWorkArea(HWND window, HMONITOR monitor) {
  if (!IsWindow(window) || IsIconic(window) || IsZoomed(window)) return;
  const RECT work = InfoOf(monitor).rcWork;
  RECT now{};
  GetWindowRect(window, &now);
  const int width = std::min<int>(now.right - now.left, work.right - work.left);
  const int height = std::min<int>(now.bottom - now.top, work.bottom - work.top);
  const int x = std::clamp<int>(now.left, work.left, work.right - width);
  const int y = std::clamp<int>(now.top, work.top, work.bottom - height);
  if (x == now.left && y == now.top && width == now.right - now.left && height == now.bottom - now.top) return;
  SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeepOnItsMonitor(HWND window) {
  if (!IsWindow(window) || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) return;
  KeepInWorkArea(window, MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

}  // namespace tallix::ui
