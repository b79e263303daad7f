#include "ui/ux_theme.h"

namespace tallix::ui {

const UxThemeLibrary& UxThemeLibrary::Get() {
  static const UxThemeLibrary library;
  return library;
}

UxThemeLibrary::UxThemeLibrary()
    : module_(LoadLibraryW(L"UxTheme.dll")),
      open_(Find<decltype(open_)>("OpenThemeData")),
      close_(Find<decltype(close_)>("CloseThemeData")),
      drawBackground_(Find<decltype(drawBackground_)>("DrawThemeBackground")),
      contentRect_(Find<decltype(contentRect_)>("GetThemeBackgroundContentRect")),
      isThemeActive_(Find<decltype(isThemeActive_)>("IsThemeActive")),
      isAppThemed_(Find<decltype(isAppThemed_)>("IsAppThemed")),
      setWindowTheme_(Find<decltype(setWindowTheme_)>("SetWindowTheme")) {}

template <class Fn>
Fn UxThemeLibrary::Find(const char* name) const {
  if (!module_) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
}

HTHEME UxThemeLibrary::OpenThemeData(HWND window, const wchar_t* classList) const {
  return open_ ? open_(window, classList) : nullptr;
}

HRESULT UxThemeLibrary::CloseThemeData(HTHEME theme) const { return close_ ? close_(theme) : 0; }

HRESULT UxThemeLibrary::DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                            const RECT* clip) const {
  return drawBackground_ ? drawBackground_(theme, dc, part, state, rect, clip) : 0;
}

HRESULT UxThemeLibrary::GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds,
                                                      RECT* content) const {
  return contentRect_ ? contentRect_(theme, dc, part, state, bounds, content) : 0;
}

BOOL UxThemeLibrary::IsThemeActive() const { return isThemeActive_ ? isThemeActive_() : FALSE; }

BOOL UxThemeLibrary::IsAppThemed() const { return isAppThemed_ ? isAppThemed_() : FALSE; }

HRESULT UxThemeLibrary::SetWindowTheme(HWND window, const wchar_t* appName, const wchar_t* idList) const {
  return setWindowTheme_ ? setWindowTheme_(window, appName, idList) : E_NOTIMPL;
}

bool ThemingActive() {
  const UxThemeLibrary& ux = UxThemeLibrary::Get();
  return ux.IsAppThemed() && ux.IsThemeActive();
}

}  // namespace tallix::ui
