#include "ui/scaling.h"

#include <commctrl.h>

#include <unordered_map>

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

// The forms' layout DPIs, read on every paint of a key; the thread that runs
// the windows alone reads and changes them.
std::unordered_map<HWND, int>& LayoutDpis() {
  static std::unordered_map<HWND, int> dpis;
  return dpis;
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
  for (HWND up = window; up && IsWindow(up); up = GetParent(up)) {
    if (const auto found = LayoutDpis().find(up); found != LayoutDpis().end()) return found->second;
    if (!(GetWindowLongW(up, GWL_STYLE) & WS_CHILD)) break;
  }
  return ReportedDpi(window);
}

void SetLayoutDpi(HWND window, int dpi) {
  if (window && dpi > 0) LayoutDpis()[window] = dpi;
}

void ForgetLayoutDpi(HWND window) { LayoutDpis().erase(window); }

int Scaled(HWND window, int value) { return ScaleToDpi(value, DpiOf(window)); }

SIZE DesignClientOfOuter(int width, int height, DWORD style, DWORD exStyle, bool hasMenu) {
  const RECT frame = FrameAround(RECT{0, 0, 0, 0}, style, exStyle, hasMenu, kDesignDpi);
  return {width - (frame.right - frame.left), height - (frame.bottom - frame.top)};
}

SIZE OuterOfClient(SIZE client, DWORD style, DWORD exStyle, bool hasMenu, int dpi) {
  const RECT outer = FrameAround(RECT{0, 0, client.cx, client.cy}, style, exStyle, hasMenu, dpi);
  return {outer.right - outer.left, outer.bottom - outer.top};
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
