// The dark look given to a form's controls and taken back: the colours a
// control asks of its form, each kind of control handed to the file that
// darkens it (dark_lists, dark_buttons, dark_fields, dark_turned), scroll
// bars, and the colours a control had before, kept on it until light again.
#include "ui/dark_controls.h"

#include <commctrl.h>

#include <cstdint>

#include "ui/dark_parts.h"
#include "ui/dark_theme.h"
#include "ui/form.h"
#include "ui/ux_theme.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

constexpr wchar_t kDarkScrollBars[] = L"TallixDarkScrollBars";

// A colour in a window property, with a mark above its bits: a kept black
// is told from none kept.
constexpr std::uintptr_t kKept = std::uintptr_t{1} << 32;
static_assert(sizeof(std::uintptr_t) > sizeof(COLORREF), "a property holds a colour and a mark beside it");

}  // namespace

// Windows 10 1809 (build 17763) brought the dark style of scroll bars,
// "DarkMode_Explorer"; Wine's themes have none, and draw their light ones.
bool SystemHasDarkScrollBars() {
  static const bool has = [] {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || GetProcAddress(ntdll, "wine_get_version")) return false;
    using Numbers = void(WINAPI*)(DWORD*, DWORD*, DWORD*);
    const auto numbers =
        reinterpret_cast<Numbers>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetNtVersionNumbers")));
    if (!numbers) return false;
    DWORD major = 0, minor = 0, build = 0;
    numbers(&major, &minor, &build);
    return major > 10 || (major == 10 && (build & 0x0FFFFFFF) >= 17763);
  }();
  return has && ThemingActive();
}

namespace {

bool HasScrollBars(HWND control) {
  if (HasClass(control, WC_LISTVIEWW) || HasClass(control, WC_TREEVIEWW)) return true;
  return (GetWindowLongW(control, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) &&
         (HasClass(control, L"Edit") || HasClass(control, L"ListBox"));
}

void ThemeControl(HWND control, bool dark) {
  ThemeCommonControl(control, dark);
  if (HasScrollBars(control)) ThemeScrollBars(control, dark);
  COMBOBOXINFO combo{};
  combo.cbSize = sizeof combo;
  if (HasClass(control, L"ComboBox") && GetComboBoxInfo(control, &combo) && combo.hwndList)
    ThemeScrollBars(combo.hwndList, dark);
  const ControlState* state = ControlStateOf(control);
  if (!state || !state->previousProc) HookDarkEdges(control, dark);
}

BOOL CALLBACK ThemeChild(HWND child, LPARAM dark) {
  ThemeControl(child, dark != 0);
  return TRUE;
}

// The messages a dark control may answer itself; any other goes by at the
// cost of this switch alone.
bool MayAnswerDark(UINT message) {
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_NOTIFY:
    case kReflectBase + WM_NOTIFY: return true;
    default: return false;
  }
}

// The messages on which buttons and drop-down lists paint at once, outside
// WM_PAINT, as the system draws them.
bool PaintsAtOnce(UINT message) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED:
    case WM_COMMAND:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case CB_SETCURSEL:
    case CB_SELECTSTRING:
    case CB_RESETCONTENT:
    case CB_SHOWDROPDOWN: return true;
    default: return false;
  }
}

}  // namespace

DarkColors DarkColorsOf(HWND control, bool field) {
  const DarkPalette& palette = Dark();
  DarkColors colors{field ? palette.fieldText : palette.text, field ? palette.field : palette.face};
  const ControlState* state = ControlStateOf(control);
  if (state && state->colors && state->colors->textSource == ColorSource::kRgb)
    colors.text = ReadableColor(state->colors->text, colors.back);
  if (!IsWindowEnabled(control)) colors.text = palette.grayText;
  return colors;
}

LRESULT DarkControlColor(UINT message, HDC dc, HWND control, const ControlState*) {
  const bool enabled = IsWindowEnabled(control);
  const bool isEdit = HasClass(control, L"Edit");
  // A read-only edit asks as a static does, and is still a field.
  const bool field = (isEdit && enabled) || message == WM_CTLCOLORLISTBOX || (message == WM_CTLCOLOREDIT && enabled);
  const DarkColors colors = DarkColorsOf(control, field);
  SetTextColor(dc, colors.text);
  SetBkColor(dc, colors.back);
  SetBkMode(dc, OPAQUE);
  return reinterpret_cast<LRESULT>(PaletteBrush(colors.back));
}

namespace {

struct OwnedTooltips {
  HWND form;
  bool dark;
};

// Tooltips are popups the form owns, not its children: the framework's and
// any a window made itself (the tape's).
BOOL CALLBACK ThemeOwnedTooltip(HWND window, LPARAM param) {
  const auto& owned = *reinterpret_cast<const OwnedTooltips*>(param);
  if (GetWindow(window, GW_OWNER) == owned.form && HasClass(window, TOOLTIPS_CLASSW)) ThemeTooltip(window, owned.dark);
  return TRUE;
}

}  // namespace

void ThemeChildControls(HWND form, bool dark) {
  EnumChildWindows(form, ThemeChild, dark ? 1 : 0);
  OwnedTooltips owned{form, dark};
  EnumThreadWindows(GetWindowThreadProcessId(form, nullptr), ThemeOwnedTooltip, reinterpret_cast<LPARAM>(&owned));
}

bool OnDarkControlMessage(HWND control, WNDPROC previous, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  if (!MayAnswerDark(message) || !DarkOn()) return false;
  return OnDarkButtonMessage(control, previous, message, wParam, lParam, answer) ||
         OnDarkFieldMessage(control, previous, message, wParam, lParam, answer) ||
         OnDarkListMessage(control, message, wParam, lParam, answer);
}

void AfterDarkControlMessage(HWND control, UINT message) {
  if (!PaintsAtOnce(message) || !IsWindow(control) || !IsWindowVisible(control)) return;
  if (!(IsDarkPaintedButton(control) || IsDarkPaintedDropDown(control)) || !DarkOn()) return;
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

HGDIOBJ ControlFont(HWND control) {
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  return font ? font : GetStockObject(SYSTEM_FONT);
}

void KeepLightColor(HWND control, const wchar_t* name, COLORREF color) {
  if (GetPropW(control, name)) return;
  SetPropW(control, name, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(color) | kKept));
}

bool TakeLightColor(HWND control, const wchar_t* name, COLORREF& color) {
  const auto kept = reinterpret_cast<std::uintptr_t>(RemovePropW(control, name));
  if (!(kept & kKept)) return false;
  color = static_cast<COLORREF>(kept & 0xFFFFFFFF);
  return true;
}

void ThemeScrollBars(HWND control, bool dark) {
  if (!dark) {
    if (RemovePropW(control, kDarkScrollBars)) UxThemeLibrary::Get().SetWindowTheme(control, nullptr, nullptr);
    return;
  }
  if (!SystemHasDarkScrollBars()) {
    NoteDarkFallback(L"scroll bars");
    return;
  }
  if (SUCCEEDED(UxThemeLibrary::Get().SetWindowTheme(control, L"DarkMode_Explorer", nullptr)))
    SetPropW(control, kDarkScrollBars, reinterpret_cast<HANDLE>(1));
}

}  // namespace tallix::ui
