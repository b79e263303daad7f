// The window procedure every form shares: creation and destruction, the
// keyboard's start and default button, and each message handed to the part
// of the framework, or of the definition, that answers it.
#include "ui/caption_fit.h"
#include "ui/control_helpers.h"
#include "ui/dark_menu.h"
#include "ui/dark_theme.h"
#include "ui/form_give.h"
#include "ui/form_parts.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

HWND activeForm = nullptr;

LRESULT OnFormCreate(HWND form, const CREATESTRUCTW& create) {
  auto* context = static_cast<CreateContext*>(create.lpCreateParams);
  FormState* state = MakeFormState(form);
  if (!state || !context) return -1;
  const int dpi = ReportedDpi(form);
  SetLayoutDpi(form, dpi);
  IndexWindowState(form);
  FormDefinition& definition = *context->definition;
  state->definition = &definition;
  state->givingControl = definition.givingControl;
  state->givingAcross = definition.givingAcrossControl;
  definition.window = form;
  SetTagProperty(form, L"");
  SetTagProperty2(form, L"");
  CreateFormControls(form, definition, dpi);
  FitCaptions(form, dpi);
  state->designClient = DesignClientOf(definition);
  // At the design DPI the window keeps the outer size it was made with.
  if (dpi != kDesignDpi)
    SetClientSize(form, ScaleToDpi(state->designClient.cx, dpi), ScaleToDpi(state->designClient.cy, dpi));
  SetFormIcons(form, *state, definition, dpi);
  ApplyThemeToForm(form);
  return definition.OnCreate(form, context->value);
}

void OnFormDestroy(HWND form, FormState& state) {
  if (state.definition && state.definition->window == form) state.definition->window = nullptr;
  if (activeForm == form) activeForm = nullptr;
  // A modal form destroyed without closing must not leave its owner disabled.
  if (state.modal && IsWindow(state.modalOwner) && !IsWindowEnabled(state.modalOwner)) ReenableOwner(state);
  ForgetLayoutDpi(form);
  ReleaseWindowState(form);
  ReleaseTags(form);
}

bool IsOptionButton(HWND control) {
  const DWORD type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return HasClass(control, L"Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

// The push button that the form's table declares the default one; 0 for none.
int DefaultButtonOf(const FormDefinition& definition) {
  for (const ControlSpec& row : definition.controls) {
    const bool button = row.className && lstrcmpiW(row.className, L"BUTTON") == 0;
    if (button && (row.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return row.id;
  }
  return 0;
}

// Where the keyboard starts in a form that put the focus nowhere itself: its
// first tab stop, so that a key stroke always has a visible target. A group
// of option buttons is entered at the one checked, as Tab enters it: an
// option that gets the focus is chosen.
HWND FirstFocus(HWND form) {
  HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
  if (!first || !IsOptionButton(first)) return first;
  HWND option = first;
  do {
    if (SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED) return option;
    option = GetNextDlgGroupItem(form, option, FALSE);
  } while (option && option != first && IsOptionButton(option));
  return first;
}

LRESULT CALLBACK FormProcedure(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnFormCreate(form, *reinterpret_cast<CREATESTRUCTW*>(lParam));
  FormState* state = FormStateOf(form);
  FormDefinition* definition = state ? state->definition : nullptr;
  if (!definition) return DefWindowProcW(form, message, wParam, lParam);

  // Before the form's own handling, which may rely on the controls' places.
  if (message == WM_SIZE) LetControlGive(form);
  LRESULT answer = 0;
  bool answered = definition->OnMessage(form, message, wParam, lParam, answer);
  switch (message) {
    case WM_DESTROY:
    case WM_NCDESTROY:  // alone when creation failed
      OnFormDestroy(form, *state);
      return answered ? answer : DefWindowProcW(form, message, wParam, lParam);
    case WM_CLOSE:
      if (answered) return answer;
      if (state->modal) {
        ReenableOwner(*state);
        ShowWindow(form, SW_HIDE);
      }
      DestroyWindow(form);
      return 0;
  }
  if (answered) return answer;
  if (DarkOn() && OnDarkMenuMessage(form, message, wParam, lParam, answer)) return answer;

  switch (message) {
    case WM_ACTIVATE: activeForm = LOWORD(wParam) != WA_INACTIVE ? form : nullptr; break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (LRESULT handled = OnControlEvent(form, *definition, message, wParam, lParam)) return handled;
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item && Reflect(item->hwndItem, message, wParam, lParam)) return TRUE;
      break;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        SendMessageW(form, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case DM_GETDEFID:
      // Enter in a field presses the form's default button, as in a dialog.
      if (const int id = DefaultButtonOf(*definition)) return MAKELRESULT(id, DC_HASDEFID);
      break;
    case WM_SETFOCUS:
      if (HWND target = (state->lastFocus && IsWindow(state->lastFocus)) ? state->lastFocus : FirstFocus(form)) {
        SetFocus(target);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      OnFormDpiChanged(form, *state, *definition, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ERASEBKGND:
      if (!DarkOn()) break;
      PaintFormFace(form, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_SETTINGCHANGE:
      // Windows' app mode changed: every form follows, this one among them.
      if (IsAppModeChange(message, lParam)) OnAppModeChange();
      [[fallthrough]];  // high contrast switched on or off among others
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: OnColorsChanged(form, message); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return OnControlColor(form, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  }
  return DefWindowProcW(form, message, wParam, lParam);
}

}  // namespace

void ReenableOwner(const FormState& state) {
  if (!state.modal || !IsWindow(state.modalOwner)) return;
  EnableWindow(state.modalOwner, TRUE);
  SetActiveWindow(state.modalOwner);
}

bool EnsureFormClass(const FormDefinition& definition) {
  std::wstring className = definition.ClassName();
  HINSTANCE instance = ToolkitInstance();
  WNDCLASSEXW known{};
  known.cbSize = sizeof(known);
  if (GetClassInfoExW(instance, className.c_str(), &known)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = FormProcedure;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, definition.iconName, IMAGE_ICON, 32, 32, LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, definition.iconName, IMAGE_ICON, 16, 16, LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className.c_str();
  return RegisterClassExW(&wc) != 0;
}

HWND ActiveForm() { return activeForm; }

}  // namespace tallix::ui
