#include "ui/ux_theme.h"

namespace tallix::ui {

UxThemeLibrary::UxThemeLibrary() : module_(LoadLibraryW(L"UxTheme.dll")) {}

UxThemeLibrary::~UxThemeLibrary() {
  if (module_) FreeLibrary(module_);
}

template <class Fn>
Fn UxThemeLibrary::Find(const char* name) const {
  if (!module_) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
}

HTHEME UxThemeLibrary::OpenThemeData(HWND window, const wchar_t* classList) const {
  auto fn = Find<HTHEME(WINAPI*)(HWND, LPCWSTR)>("OpenThemeData");
  return fn ? fn(window, classList) : nullptr;
}

HRESULT UxThemeLibrary::CloseThemeData(HTHEME theme) const {
  auto fn = Find<HRESULT(WINAPI*)(HTHEME)>("CloseThemeData");
  return fn ? fn(theme) : 0;
}

HRESULT UxThemeLibrary::DrawThemeBackground(HTHEME theme, HDC dc, int part, int state,
                                            const RECT* rect, const RECT* clip) const {
  auto fn = Find<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(
      "DrawThemeBackground");
  return fn ? fn(theme, dc, part, state, rect, clip) : 0;
}

HRESULT UxThemeLibrary::GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state,
                                                      const RECT* bounds, RECT* content) const {
  auto fn = Find<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, RECT*)>(
      "GetThemeBackgroundContentRect");
  return fn ? fn(theme, dc, part, state, bounds, content) : 0;
}

HRESULT UxThemeLibrary::DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text,
                                      int length, DWORD flags, DWORD flags2,
                                      const RECT* rect) const {
  auto fn = Find<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*)>(
      "DrawThemeText");
  return fn ? fn(theme, dc, part, state, text, length, flags, flags2, rect) : 0;
}

BOOL UxThemeLibrary::IsThemeActive() const {
  auto fn = Find<BOOL(WINAPI*)()>("IsThemeActive");
  return fn ? fn() : FALSE;
}

BOOL UxThemeLibrary::IsAppThemed() const {
  auto fn = Find<BOOL(WINAPI*)()>("IsAppThemed");
  return fn ? fn() : FALSE;
}

bool ThemingActive() {
  UxThemeLibrary ux;
  return ux.IsAppThemed() && ux.IsThemeActive();
}

}  // namespace tallix::ui
