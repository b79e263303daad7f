#include "ui/window_kit.h"

namespace tallix::ui {

HINSTANCE ToolkitInstance() { return GetModuleHandleW(nullptr); }

HWND CreateChild(const wchar_t* className, HWND parent, int id, const wchar_t* text, int x, int y, int width,
                 int height, DWORD style, DWORD exStyle) {
  HINSTANCE instance =
      parent ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)) : ToolkitInstance();
  return CreateWindowExW(exStyle, className, text ? text : L"", style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

bool EnsureControlClass(const wchar_t* className, WNDPROC proc) {
  WNDCLASSEXW known{};
  known.cbSize = sizeof(known);
  if (GetClassInfoExW(ToolkitInstance(), className, &known)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = sizeof(void*);
  wc.hInstance = ToolkitInstance();
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool HasClass(HWND window, const wchar_t* className) {
  if (!window || !className || !IsWindow(window)) return false;
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return lstrcmpiW(name, className) == 0;
}

std::wstring WindowText(HWND window) {
  if (!IsWindow(window)) return {};
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

void RepaintNow(HWND window) {
  if (!IsWindow(window)) return;
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

}  // namespace tallix::ui
