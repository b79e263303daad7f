// The framework's subclass of every control it sets up: focus memory,
// select-all on focus, keyboard preview to the form, clean-up on destroy,
// and what the control paints itself in the dark look (ui/dark_controls.h).
#include "ui/accessible_name.h"
#include "ui/dark_controls.h"
#include "ui/form_parts.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

// The form that holds a control: its parent, or the grandparent when the
// parent is itself a child window (a control inside a group or a combo box).
HWND FormOfControl(HWND control) {
  HWND parent = GetParent(control);
  if (parent && IsChildWindow(parent)) parent = GetParent(parent);
  return parent;
}

bool IsReadOnlyTabStop(HWND control) {
  const DWORD style = GetWindowLongW(control, GWL_STYLE);
  return (style & WS_TABSTOP) && (style & ES_READONLY) && HasClass(control, L"Edit");
}

// An edit field that gets the focus: all its text selected, or none. A longer
// text keeps the lines in view: the caret goes to the first of them, where
// anywhere else it would scroll the text to itself.
void SelectOnFocus(HWND edit, bool all) {
  if (all) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
  } else if (GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE) {
    const LRESULT top = SendMessageW(edit, EM_LINEINDEX, SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageW(edit, EM_SETSEL, top, top);
  } else {
    SendMessageW(edit, EM_SETSEL, -1, 0);
  }
}

}  // namespace

// The name's subclass goes in first, whenever the name is given: on
// WM_DESTROY the framework's puts back the procedure it found, and the name's
// must be that procedure to get WM_NCDESTROY and let its label go.
void InstallControlSubclass(HWND control, ControlState& state, WNDPROC procedure) {
  AddAccessibleLayer(control);
  state.previousProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  IndexWindowState(control);
}

LRESULT CALLBACK ControlSubclassProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlState* state = ControlStateOf(control);
  WNDPROC previous = state ? state->previousProc : nullptr;
  if (!previous) return DefWindowProcW(control, message, wParam, lParam);
  if (LRESULT answer = 0; OnDarkControlMessage(control, previous, message, wParam, lParam, answer)) return answer;

  switch (message) {
    case WM_SETFOCUS: {
      if (HasClass(control, L"Edit")) SelectOnFocus(control, state->selectAllOnFocus);
      if (FormState* form = FormStateOf(FormOfControl(control))) form->lastFocus = control;
      break;
    }
    case WM_GETDLGCODE: {
      // A read-only field has no use for Tab: a multi-line one would keep
      // the keyboard in it for good.
      LRESULT code = CallWindowProcW(previous, control, message, wParam, lParam);
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      // Nor for Esc, which closes the window.
      const bool dialogKey = msg && (msg->wParam == VK_TAB || msg->wParam == VK_ESCAPE);
      if (IsReadOnlyTabStop(control)) code &= ~(DLGC_WANTTAB | (dialogKey ? DLGC_WANTALLKEYS : 0));
      // Tab into a field that keeps its selection must not select all: that
      // moves the caret to the end and scrolls the text away from where the
      // user was reading.
      if (!state->selectAllOnFocus && HasClass(control, L"Edit")) code &= ~DLGC_HASSETSEL;
      return code;
    }
    case WM_SYSKEYDOWN:
      // Alt+F4 closes the window whichever control has the focus: some
      // controls (Wine's tree view) keep it to themselves.
      if (wParam == VK_F4 && (lParam & (1 << 29))) return DefWindowProcW(control, message, wParam, lParam);
      break;
    case kKeyPreviewMessage: {
      FormDefinition* definition = DefinitionOf(FormOfControl(control));
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (definition && msg)
        if (LRESULT consumed = definition->OnKeyPreview(control, *msg)) return consumed;
      break;
    }
    case WM_DESTROY:
    case WM_NCDESTROY:  // alone when the parent's creation failed
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      ReleaseWindowState(control);
      ReleaseTags(control);
      break;
  }
  const LRESULT answer = CallWindowProcW(previous, control, message, wParam, lParam);
  AfterDarkControlMessage(control, message);
  return answer;
}

}  // namespace tallix::ui
