#pragma once
// Every form is designed in pixels of a 96-DPI screen. Here those design
// values become pixels of the screen a window is on: the form framework
// scales its forms and controls with these, and a window that works out a
// place or a size itself hands the framework its design value, never pixels.
// A design value scales as MulDiv(value, dpi, 96), so at 96 DPI nothing moves.
#include <windows.h>

namespace tallix::ui {

inline constexpr int kDesignDpi = 96;

// Client coordinates and size of a control, in design pixels.
struct Place {
  int x = 0, y = 0, width = 0, height = 0;
};

// value (design pixels) at dpi.
int ScaleToDpi(int value, int dpi);

// The DPI of the screen as the system reports it to this process.
int SystemDpi();

// The DPI the system reports for a window (its screen's for a window aware
// of each screen's DPI), else the system's.
int ReportedDpi(HWND window);

// The DPI a window is laid out for: that of the nearest window up from it
// (itself included, up to its top-level window) whose layout DPI is known,
// else the window's own as the system reports it, else the system's.
int DpiOf(HWND window);
// The form framework says here which DPI a form is laid out for, also after
// WM_DPICHANGED, and forgets it when the form is destroyed.
void SetLayoutDpi(HWND window, int dpi);
void ForgetLayoutDpi(HWND window);

// value (design pixels) at the DPI of window.
int Scaled(HWND window, int value);

// The design client area that an outer size leaves inside a 96-DPI frame of
// the given styles.
SIZE DesignClientOfOuter(int width, int height, DWORD style, DWORD exStyle, bool hasMenu);
// The outer size that holds a client area of the given size at dpi.
SIZE OuterOfClient(SIZE client, DWORD style, DWORD exStyle, bool hasMenu, int dpi);

// An icon resource of the executable, pixels wide and high, scaled down from
// the closest larger image the resource holds. The caller owns it.
HICON LoadIconOfSize(const wchar_t* name, int pixels);
// The large (SM_CXICON) or small (SM_CXSMICON) window icon size at dpi.
int WindowIconSize(bool large, int dpi);

}  // namespace tallix::ui
