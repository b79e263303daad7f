#pragma once
// The small pattern every toolkit window follows: one static window procedure
// per window kind finds the C++ object of the window and hands it the message;
// the object's WndProc switches to named handlers. A kind describes itself
// with three static functions:
//   static T* FromWindow(HWND);         where the object lives (extra bytes, property)
//   static T* Attach(HWND, CREATESTRUCTW*);   make it on WM_CREATE (nullptr fails creation)
//   static void Detach(HWND);           free it after WM_DESTROY was handled
#include <windows.h>

#include <string>

namespace tallix::ui {

// Everything a control needs at creation, so that making one is a single call.
struct CreateArgs {
  HWND parent = nullptr;
  int id = 0;
  const wchar_t* text = L"";
  int x = 0, y = 0, width = 0, height = 0;
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD exStyle = 0;
};

// Child window of the given class with the parent's instance.
HWND CreateChild(const wchar_t* className, const CreateArgs& args, void* createParam = nullptr);

// The module that holds the toolkit's classes (the executable).
HINSTANCE ToolkitInstance();

// Registers a control class unless a class of that name is already known to
// the process: global, redrawn on resize, no cursor, icon or background, one
// pointer of window data for the control's object.
bool EnsureControlClass(const wchar_t* className, WNDPROC proc);

// Objects kept in the first pointer of the window's extra bytes.
template <class T>
struct ExtraBytesSlot {
  static T* Get(HWND window) { return reinterpret_cast<T*>(GetWindowLongPtrW(window, 0)); }
  static void Set(HWND window, T* object) { SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(object)); }
};

template <class T>
LRESULT CALLBACK DispatchToObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  T* self = T::FromWindow(window);
  if (!self && message == WM_CREATE) {
    self = T::Attach(window, reinterpret_cast<CREATESTRUCTW*>(lParam));
    if (!self) return -1;
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = self->WndProc(message, wParam, lParam);
  if (message == WM_DESTROY) T::Detach(window);
  return result;
}

// True for a live window whose class name matches (case-insensitive).
bool HasClass(HWND window, const wchar_t* className);

// Whole window text, however long.
std::wstring WindowText(HWND window);

// Invalidates the whole window and paints it at once.
void RepaintNow(HWND window);

}  // namespace tallix::ui
