#include "ui/dark_theme.h"

#include <map>
#include <mutex>

#include "services/readable_color.h"
#include "ui/contrast.h"
#include "ui/dark_controls.h"
#include "ui/dark_menu.h"
#include "ui/form_state.h"

namespace tallix::ui {
namespace {

// Near Windows' own dark windows: the face dark enough to read as dark
// (relative luminance 0.014), the text light enough for 13:1 on it, the
// disabled text still 3.7:1 on a key's face.
constexpr DarkPalette kDark{
    .face = RGB(32, 32, 32),
    .text = RGB(230, 230, 230),
    .grayText = RGB(140, 140, 140),
    .field = RGB(25, 25, 25),
    .fieldText = RGB(230, 230, 230),
    .frame = RGB(96, 96, 96),
    .keyFace = RGB(51, 51, 51),
    .keyHot = RGB(64, 64, 64),
    .keyPressed = RGB(40, 40, 40),
    .highlight = RGB(0, 95, 184),
    .highlightText = RGB(255, 255, 255),
    .menuBar = RGB(43, 43, 43),
    .menuHot = RGB(65, 65, 65),
};

ThemeChoice choice = ThemeChoice::kSystem;
bool systemDark = false;
bool systemDarkRead = false;
// What the forms were last given, so that a change of setting that leaves
// the look as it was repaints nothing.
bool lookApplied = false;

// A form given the dark look at least once: going light, it is given the
// system's colours back. One never dark is not touched.
constexpr wchar_t kWasDark[] = L"TallixWasDark";

std::vector<std::wstring>& Fallbacks() {
  static std::vector<std::wstring> pieces;
  return pieces;
}

bool ReadSystemAppsDark() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                    KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  DWORD value = 1, size = sizeof value, type = 0;
  const LONG read = RegQueryValueExW(key, L"AppsUseLightTheme", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return read == ERROR_SUCCESS && type == REG_DWORD && value == 0;
}

// The title bar is the window manager's: dark only where the desktop composes
// the windows (Windows 8 on; Wine does not, and draws its own). Windows 10
// from 2020 on knows attribute 20; those before it knew 19.
void SetDarkTitleBar(HWND form, bool dark) {
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  using IsComposing = HRESULT(WINAPI*)(BOOL*);
  static HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  static auto set =
      dwm ? reinterpret_cast<SetAttribute>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
          : nullptr;
  static auto composing =
      dwm ? reinterpret_cast<IsComposing>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")))
          : nullptr;
  BOOL composed = FALSE;
  if (!set || !composing || FAILED(composing(&composed)) || !composed) {
    if (dark) NoteDarkFallback(L"title bar");
    return;
  }
  const BOOL value = dark ? TRUE : FALSE;
  constexpr DWORD kImmersiveDarkMode = 20, kImmersiveDarkModeBefore20H1 = 19;
  if (FAILED(set(form, kImmersiveDarkMode, &value, sizeof value)) &&
      FAILED(set(form, kImmersiveDarkModeBefore20H1, &value, sizeof value)) && dark)
    NoteDarkFallback(L"title bar");
}

BOOL CALLBACK ApplyToForm(HWND window, LPARAM) {
  if (FormStateOf(window)) ApplyThemeToForm(window);
  return TRUE;
}

// Every form of this thread, when the look drawn is not the look of now.
void FollowLook() {
  if (DarkOn() == lookApplied) return;
  lookApplied = DarkOn();
  EnumThreadWindows(GetCurrentThreadId(), ApplyToForm, 0);
}

}  // namespace

const DarkPalette& Dark() { return kDark; }

void SetThemeChoice(ThemeChoice newChoice) {
  choice = newChoice;
  systemDark = ReadSystemAppsDark();
  systemDarkRead = true;
  FollowLook();
}

bool DarkOn() {
  if (!systemDarkRead) {
    systemDark = ReadSystemAppsDark();
    systemDarkRead = true;
  }
  return DrawsDark(choice, systemDark, HighContrastOn());
}

bool IsAppModeChange(UINT message, LPARAM lParam) {
  const auto* area = reinterpret_cast<const wchar_t*>(lParam);
  return message == WM_SETTINGCHANGE && area && lstrcmpiW(area, L"ImmersiveColorSet") == 0;
}

void OnAppModeChange() {
  systemDark = ReadSystemAppsDark();
  systemDarkRead = true;
  FollowLook();
}

COLORREF ReadableColor(COLORREF color, COLORREF background, double ratio) {
  return ReadableOn(color & 0xFFFFFF, background & 0xFFFFFF, ratio);
}

HBRUSH PaletteBrush(COLORREF color) {
  static std::map<COLORREF, HBRUSH> brushes;
  HBRUSH& brush = brushes[color];
  if (!brush) brush = CreateSolidBrush(color);
  return brush;
}

void ApplyThemeToForm(HWND form) {
  const bool dark = DarkOn();
  lookApplied = dark;
  if (!dark && !GetPropW(form, kWasDark)) return;
  if (dark) SetPropW(form, kWasDark, reinterpret_cast<HANDLE>(1));
  SetDarkTitleBar(form, dark);
  ThemeChildControls(form, dark);
  ThemeMenus(form, dark);
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

std::vector<std::wstring> DarkFallbacks() { return Fallbacks(); }

void NoteDarkFallback(const wchar_t* piece) {
  for (const std::wstring& known : Fallbacks())
    if (known == piece) return;
  Fallbacks().emplace_back(piece);
}

}  // namespace tallix::ui
