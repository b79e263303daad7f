#pragma once
// Visual-styles functions reached on demand. "UxTheme.dll" is absent on old
// systems, so nothing links against it: the library is looked for once, its
// functions are looked up by name, and a missing library or function answers 0.
#include <windows.h>
#include <uxtheme.h>

namespace tallix::ui {

// The library for the life of the process. Loading it for every drawing pass
// cost more than the drawing, and theme handles may then be kept: they never
// outlive the module that made them.
class UxThemeLibrary {
 public:
  static const UxThemeLibrary& Get();
  UxThemeLibrary(const UxThemeLibrary&) = delete;
  UxThemeLibrary& operator=(const UxThemeLibrary&) = delete;

  HTHEME OpenThemeData(HWND window, const wchar_t* classList) const;
  HRESULT CloseThemeData(HTHEME theme) const;
  HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip) const;
  HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds,
                                        RECT* content) const;
  BOOL IsThemeActive() const;
  BOOL IsAppThemed() const;
  // A window's own visual style: another class's look (appName), none at all
  // (L"", L""), or back to the usual (nullptr, nullptr).
  HRESULT SetWindowTheme(HWND window, const wchar_t* appName, const wchar_t* idList) const;

 private:
  UxThemeLibrary();
  template <class Fn>
  Fn Find(const char* name) const;

  HMODULE module_ = nullptr;
  HTHEME(WINAPI* open_)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* close_)(HTHEME) = nullptr;
  HRESULT(WINAPI* drawBackground_)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* contentRect_)(HTHEME, HDC, int, int, const RECT*, RECT*) = nullptr;
  BOOL(WINAPI* isThemeActive_)() = nullptr;
  BOOL(WINAPI* isAppThemed_)() = nullptr;
  HRESULT(WINAPI* setWindowTheme_)(HWND, LPCWSTR, LPCWSTR) = nullptr;
};

// True when controls of this process are drawn with a visual style right now.
bool ThemingActive();

}  // namespace tallix::ui
