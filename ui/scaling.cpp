#include "ui/scaling.h"

#include <commctrl.h>

#include "ui/caption_fit.h"
#include "ui/control_helpers.h"
#include "ui/form.h"
#include "ui/form_give.h"
#include "ui/placement.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

// Looked up at run time: Windows 7 and 8 have none of them, and there the
// system DPI is the only one.
struct DpiFunctions {
  UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
  UINT(WINAPI* dpiForSystem)() = nullptr;
  BOOL(WINAPI* adjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  int(WINAPI* metricsForDpi)(int, UINT) = nullptr;
  HRESULT(WINAPI* iconWithScaleDown)(HINSTANCE, PCWSTR, int, int, HICON*) = nullptr;

  DpiFunctions() {
    if (HMODULE user = GetModuleHandleW(L"user32.dll")) {
      Find(user, "GetDpiForWindow", dpiForWindow);
      Find(user, "GetDpiForSystem", dpiForSystem);
      Find(user, "AdjustWindowRectExForDpi", adjustForDpi);
      Find(user, "GetSystemMetricsForDpi", metricsForDpi);
    }
    if (HMODULE controls = GetModuleHandleW(L"comctl32.dll"))
      Find(controls, "LoadIconWithScaleDown", iconWithScaleDown);
  }

  template <class Fn>
  static void Find(HMODULE module, const char* name, Fn& function) {
    function = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
};

const DpiFunctions& Dpi() {
  static const DpiFunctions functions;
  return functions;
}

int Valid(int dpi) { return dpi > 0 ? dpi : kDesignDpi; }

RECT FrameAround(RECT client, DWORD style, DWORD exStyle, bool hasMenu, int dpi) {
  if (Dpi().adjustForDpi)
    Dpi().adjustForDpi(&client, style, hasMenu, exStyle, static_cast<UINT>(dpi));
  else
    AdjustWindowRectEx(&client, style, hasMenu, exStyle);
  return client;
}

bool HasMenuBar(HWND form) { return GetMenu(form) != nullptr && !(GetWindowLongW(form, GWL_STYLE) & WS_CHILD); }

// Design values of a control never placed through the framework are read
// back from its pixels.
Place DesignPlaceOf(HWND control) {
  if (FlyRecord* record = GetFlyRecord(control); record && record->hasDesignPlace) return record->designPlace;
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  const int dpi = DpiOf(control);
  return {MulDiv(rect.left, kDesignDpi, dpi), MulDiv(rect.top, kDesignDpi, dpi),
          MulDiv(rect.right - rect.left, kDesignDpi, dpi), MulDiv(rect.bottom - rect.top, kDesignDpi, dpi)};
}

}  // namespace

int ScaleToDpi(int value, int dpi) { return MulDiv(value, Valid(dpi), kDesignDpi); }

int SystemDpi() {
  if (Dpi().dpiForSystem) return Valid(static_cast<int>(Dpi().dpiForSystem()));
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return Valid(dpi);
}

int ReportedDpi(HWND window) {
  if (window && Dpi().dpiForWindow) return Valid(static_cast<int>(Dpi().dpiForWindow(window)));
  return SystemDpi();
}

int DpiOf(HWND window) {
  if (HWND form = FindParentForm(window))
    if (FlyRecord* record = GetFlyRecord(form); record && record->isForm && record->dpi > 0) return record->dpi;
  return ReportedDpi(window);
}

int Scaled(HWND window, int value) { return ScaleToDpi(value, DpiOf(window)); }

void PlaceControl(HWND control, const Place& place) {
  if (!IsWindow(control)) return;
  if (FlyRecord* record = GetFlyRecord(control)) {
    record->designPlace = place;
    record->hasDesignPlace = 1;
  }
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
  if (FlyRecord* record = GetFlyRecord(form)) record->designClient = {width, height};
  const int dpi = DpiOf(form);
  SetClientSize(form, ScaleToDpi(width, dpi), ScaleToDpi(height, dpi));
  KeepOnItsMonitor(form);
}

SIZE DesignClientOfOuter(int width, int height, DWORD style, DWORD exStyle, bool hasMenu) {
  const RECT frame = FrameAround(RECT{0, 0, 0, 0}, style, exStyle, hasMenu, kDesignDpi);
  return {width - (frame.right - frame.left), height - (frame.bottom - frame.top)};
}

SIZE OuterOfClient(SIZE client, DWORD style, DWORD exStyle, bool hasMenu, int dpi) {
  const RECT outer = FrameAround(RECT{0, 0, client.cx, client.cy}, style, exStyle, hasMenu, dpi);
  return {outer.right - outer.left, outer.bottom - outer.top};
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
  if (FlyRecord* record = GetFlyRecord(form)) record->designClient = client;
  SetWindowPos(form, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepOnItsMonitor(form);
}

int WindowIconSize(bool large, int dpi) {
  const int metric = large ? SM_CXICON : SM_CXSMICON;
  if (Dpi().metricsForDpi) return Dpi().metricsForDpi(metric, static_cast<UINT>(Valid(dpi)));
  return ScaleToDpi(large ? 32 : 16, dpi);
}

HICON LoadIconOfSize(const wchar_t* name, int pixels) {
  HICON icon = nullptr;
  if (Dpi().iconWithScaleDown && SUCCEEDED(Dpi().iconWithScaleDown(ToolkitInstance(), name, pixels, pixels, &icon)))
    return icon;
  return static_cast<HICON>(LoadImageW(ToolkitInstance(), name, IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
}

}  // namespace tallix::ui
