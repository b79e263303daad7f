#pragma once
// The small pattern every toolkit window follows: one static window procedure
// per window kind finds the C++ object of the window and hands it the message;
// the object's WndProc switches to named handlers.
#include <windows.h>

#include <new>
#include <string>

namespace tallix::ui {

// Child window of the given class with the parent's instance; a null text is empty.
HWND CreateChild(const wchar_t* className, HWND parent, int id, const wchar_t* text, int x, int y, int width,
                 int height, DWORD style, DWORD exStyle);

// The module that holds the toolkit's classes (the executable).
HINSTANCE ToolkitInstance();

// Registers a control class unless a class of that name is already known to
// the process: global, redrawn on resize, no cursor, icon or background, one
// pointer of window data for the control's object.
bool EnsureControlClass(const wchar_t* className, WNDPROC proc);

// The window's object, kept in the first pointer of its extra bytes.
template <class T>
T* ObjectOf(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, 0));
}

// The window procedure of a kind T: its object is made as T(window) on
// WM_CREATE (no memory fails the creation) and freed after WM_DESTROY was
// handled.
template <class T>
LRESULT CALLBACK DispatchToObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  T* self = ObjectOf<T>(window);
  if (!self && message == WM_CREATE) {
    self = new (std::nothrow) T(window);
    if (!self) return -1;
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = self->WndProc(message, wParam, lParam);
  if (message == WM_DESTROY) {
    delete self;
    SetWindowLongPtrW(window, 0, 0);
  }
  return result;
}

// WM_PAINT's answer: `draw` paints the window into the paint DC.
template <class Draw>
LRESULT PaintWith(HWND window, Draw draw) {
  PAINTSTRUCT ps;
  if (HDC dc = BeginPaint(window, &ps)) draw(dc);
  EndPaint(window, &ps);
  return 0;
}

// True for a live window whose class name matches (case-insensitive).
bool HasClass(HWND window, const wchar_t* className);

// Whole window text, however long.
std::wstring WindowText(HWND window);

// Invalidates the whole window and paints it at once.
void RepaintNow(HWND window);

}  // namespace tallix::ui
