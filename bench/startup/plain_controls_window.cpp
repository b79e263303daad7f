// The second baseline of the start-up benchmark, and the floor Tallix can reach
// without changing what its window shows: the main window's 64 controls as
// plain system controls (push buttons for the themed keys, an etched static for
// the separator line), with the same fonts, menu, manifest, tooltips and common
// controls, built with the same compiler and flags. No settings, no engine.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <map>
#include <string>

#include "app/main_window/control_table.h"
#include "ui/font_spec.h"

namespace {

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

HFONT FontFor(const wchar_t* specText) {
  static std::map<std::wstring, HFONT> fonts;
  if (!specText || !*specText) return nullptr;
  auto found = fonts.find(specText);
  if (found != fonts.end()) return found->second;
  HFONT font = nullptr;
  if (auto spec = tallix::ui::ParseFontSpec(specText)) {
    font = CreateFontW(spec->height, 0, 0, 0, spec->weight, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, spec->face.c_str());
  }
  fonts.emplace(specText, font);
  return font;
}

void CreatePlainControl(HWND window, HINSTANCE instance, const tallix::ui::ControlSpec& row) {
  const std::wstring className = row.className;
  const wchar_t* plainClass = row.className;
  DWORD style = row.style;
  if (className == L"TB_XPBUTTON") {
    plainClass = L"BUTTON";
    style = WS_TABSTOP | BS_PUSHBUTTON;
  } else if (className == L"FIRELINES") {
    plainClass = L"STATIC";
    style = SS_ETCHEDHORZ;
  }
  style |= WS_CHILD | (row.hidden ? 0 : WS_VISIBLE);
  HWND control = CreateWindowExW(row.exStyle, plainClass, row.text, style, row.x, row.y, row.width, row.height, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
  if (HFONT font = FontFor(row.properties.fontSpec))
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
}

void AddTooltips(HWND window, HINSTANCE instance) {
  HWND tooltip =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
  SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 300);
  for (const tallix::TooltipSpec& tip : tallix::MainWindowTooltips()) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, tip.id));
    tool.lpszText = const_cast<wchar_t*>(tip.text);
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
  InitCommonControlsEx(&controls);
  WNDCLASSW windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = PlainProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"IMAGE_CALCULATOR3");
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"TALLIX_PLAIN_CONTROLS_WINDOW";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE, windowClass.lpszClassName, L"Plain controls",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                CW_USEDEFAULT, CW_USEDEFAULT, 513, 344, nullptr, LoadMenuW(instance, L"FORM1_TOPMENU"),
                                instance, nullptr);
  for (const tallix::ui::ControlSpec& row : tallix::MainWindowControls()) CreatePlainControl(window, instance, row);
  AddTooltips(window, instance);
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
