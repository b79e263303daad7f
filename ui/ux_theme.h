#pragma once
// Visual-styles functions reached on demand. "UxTheme.dll" is absent on old
// systems, so nothing links against it: each use loads the library, looks the
// function up by name and treats a missing library or function as a 0 answer.
#include <windows.h>
#include <uxtheme.h>

namespace tallix::ui {

// Holds the library loaded for one drawing pass: a theme handle must not
// outlive the module that made it, so open, draw and close share one load.
class UxThemeLibrary {
public:
  UxThemeLibrary();
  ~UxThemeLibrary();
  UxThemeLibrary(const UxThemeLibrary&) = delete;
  UxThemeLibrary& operator=(const UxThemeLibrary&) = delete;

  bool Loaded() const { return module_ != nullptr; }

  HTHEME OpenThemeData(HWND window, const wchar_t* classList) const;
  HRESULT CloseThemeData(HTHEME theme) const;
  HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                              const RECT* clip) const;
  HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state,
                                        const RECT* bounds, RECT* content) const;
  HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, const wchar_t* text,
                        int length, DWORD flags, DWORD flags2, const RECT* rect) const;
  BOOL IsThemeActive() const;
  BOOL IsAppThemed() const;

private:
  template <class Fn>
  Fn Find(const char* name) const;

  HMODULE module_ = nullptr;
};

// True when controls of this process are drawn with a visual style right now.
bool ThemingActive();

}  // namespace tallix::ui
