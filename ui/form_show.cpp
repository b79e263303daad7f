// Forms shown and closed: a modeless form returned at once, a modal one run
// in its own message loop until CloseForm; and the loop the program runs.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <utility>

#include "ui/dark_controls.h"
#include "ui/dark_theme.h"
#include "ui/form_parts.h"
#include "ui/placement.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

HWND TopLevelOf(HWND window) {
  while (window && IsChildWindow(window)) window = GetParent(window);
  return window;
}

INT_PTR RunModal(HWND form, FormDefinition& definition, FormState& state, HWND owner) {
  state.modalOwner = TopLevelOf(owner);
  state.modal = true;
  if (state.modalOwner) EnableWindow(state.modalOwner, FALSE);
  ShowWindow(form, SW_SHOWNORMAL);
  UpdateWindow(form);

  MSG message;
  bool quit = false;
  while (IsWindow(form)) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = got == 0;
      break;
    }
    if (!PreTranslateFormMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (IsWindow(form)) CloseForm(form, definition.modalResult);
  // The quit request belongs to the outer loop too.
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
  return std::exchange(definition.modalResult, 0);
}

}  // namespace

bool IsChildWindow(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

INT_PTR ShowForm(FormDefinition& definition, HWND owner, bool modal, LPARAM value) {
  if (!EnsureFormClass(definition)) return -1;
  definition.modalResult = 0;
  // The size for the DPI the form will most likely get; made exact once the
  // window knows its own.
  const int dpi = owner ? DpiOf(owner) : SystemDpi();
  SIZE outer{definition.width, definition.height};
  if (dpi != kDesignDpi) {
    const SIZE design = DesignClientOf(definition);
    outer = OuterOfClient({ScaleToDpi(design.cx, dpi), ScaleToDpi(design.cy, dpi)}, definition.style,
                          definition.exStyle, HasMenuBar(definition), dpi);
  }
  const HMONITOR monitor = MonitorForOwner(owner);
  const POINT corner = CentredOn(monitor, outer);
  HINSTANCE instance = ToolkitInstance();
  HMENU menu = definition.menuName ? LoadMenuW(instance, definition.menuName) : nullptr;
  CreateContext context{&definition, value};
  HWND form =
      CreateWindowExW(definition.exStyle, definition.ClassName().c_str(), definition.caption.c_str(), definition.style,
                      corner.x, corner.y, outer.cx, outer.cy, owner, menu, instance, &context);
  if (!form) {
    if (menu) DestroyMenu(menu);
    return -1;
  }
  // Once the form has its size for its DPI and has placed itself.
  if (!IsChildWindow(form)) KeepInWorkArea(form, monitor);
  FormState* state = FormStateOf(form);
  if (!modal || (definition.exStyle & WS_EX_MDICHILD) || !state) {
    ShowWindow(form, (definition.exStyle & WS_EX_NOACTIVATE) ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
    UpdateWindow(form);
    return reinterpret_cast<INT_PTR>(form);
  }
  return RunModal(form, definition, *state, owner);
}

INT_PTR ShowOrFocusForm(FormDefinition& definition, HWND owner, LPARAM value) {
  if (!IsWindow(definition.window)) return ShowForm(definition, owner, false, value);
  ShowWindow(definition.window, SW_SHOWNORMAL);
  SetFocus(definition.window);
  return reinterpret_cast<INT_PTR>(definition.window);
}

void CloseForm(HWND form, INT_PTR result) {
  if (!IsWindow(form)) return;
  if (FormDefinition* definition = DefinitionOf(form)) definition->modalResult = result;
  const FormState* state = FormStateOf(form);
  if (state && state->modal) {
    ReenableOwner(*state);
    // Wakes a modal loop that waits for a message so it notices the form is gone.
    PostMessageW(nullptr, WM_NULL, 0, 0);
  }
  DestroyWindow(form);
}

HWND FindParentForm(HWND window) {
  while (window && IsWindow(window)) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (wcsncmp(name, L"FORM_", 5) == 0 || !IsChildWindow(window)) return window;
    window = GetParent(window);
  }
  return nullptr;
}

bool PreTranslateFormMessage(MSG& message) {
  if (HWND focus = GetFocus())
    if (SendMessageW(focus, kKeyPreviewMessage, 0, reinterpret_cast<LPARAM>(&message))) return true;
  HWND active = GetActiveWindow();
  HWND form = active ? FindParentForm(active) : nullptr;
  return form && IsDialogMessageW(form, &message);
}

int RunMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
    if (PreTranslateFormMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : -1;
}

HWND AddTooltip(HWND control, const std::wstring& text) {
  if (!IsWindow(control)) return nullptr;
  HWND form = FindParentForm(control);
  FormState* state = FormStateOf(form);
  if (!state) return nullptr;
  if (!state->tooltip || !IsWindow(state->tooltip)) {
    state->tooltip = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, ToolkitInstance(), nullptr);
    if (!state->tooltip) return nullptr;
    SendMessageW(state->tooltip, TTM_SETMAXTIPWIDTH, 0, 300);
    // Made after the form was given its look.
    if (DarkOn()) ThemeTooltip(state->tooltip, true);
  }
  TOOLINFOW tool{};
  // The version-2 size is understood by every comctl32, with or without a
  // common-controls 6 manifest.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(state->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return state->tooltip;
}

}  // namespace tallix::ui
