// The key sink: a never-visible edit field that keeps the keyboard focus, so
// that every key press reaches the keyboard mapping. Keys typed while the
// display has the focus are handed on as if the key sink had them. Tab leaves
// it for the number system's option buttons, as in a dialog.
#include "app/main_window/key_sink.h"

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window_impl.h"
#include "engine/keyboard_shortcut.h"

namespace tallix {

namespace {

// A key held down repeats; Grand Total pressed again at once clears the grand
// total it has just shown, so a held Ctrl+G presses it once.
bool IsHeldGrandTotal(const EngineState& state, WPARAM key, LPARAM flags) {
  const bool repeated = (flags & (LPARAM{1} << 30)) != 0;
  return repeated && state.grandTotalOn &&
         CommandRunBy(static_cast<int>(key), state.shiftDown, state.displayMode, state.ctrlDown) ==
             MenuCommand::GrandTotal;
}

}  // namespace

LRESULT CALLBACK KeySinkProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool isKeySink = GetDlgCtrlID(edit) == ids::kKeySink;
  if (message == WM_GETDLGCODE && isKeySink) {
    LRESULT code = ui::ControlSubclassProcedure(edit, message, wParam, lParam);
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) code &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
    return code;
  }
  if (message == WM_KEYDOWN || message == WM_KEYUP) {
    auto* self = dynamic_cast<MainWindow*>(ui::DefinitionOf(GetParent(edit)));
    if (self && message == WM_KEYDOWN && IsHeldGrandTotal(self->CalculatorEngine().state(), wParam, lParam)) return 0;
    if (self && message == WM_KEYDOWN) {
      if (!isKeySink) self->FocusKeySink();
      wParam = static_cast<WPARAM>(self->CalculatorEngine().OnKeyDown(static_cast<int>(wParam)));
    } else if (self && isKeySink) {
      self->CalculatorEngine().OnKeyUp(static_cast<int>(wParam));
    }
  }
  return ui::ControlSubclassProcedure(edit, message, wParam, lParam);
}

bool MainWindow::IsNumberSystemOption(HWND control) const {
  const int id = GetDlgCtrlID(control);
  return control && GetParent(control) == window && id >= ids::kOptionDec && id <= ids::kOptionOct;
}

// On the option buttons the arrows choose a system and the focus stays, so
// that the next arrow goes on; Tab goes back to the key sink, and any other
// key goes there too and counts as typed there. A mouse button ends it all.
LRESULT MainWindow::OnKeyPreview(HWND control, const MSG& message) {
  const UINT kind = message.message;
  const WPARAM key = message.wParam;
  if (kind == WM_LBUTTONDOWN || kind == WM_RBUTTONDOWN || kind == WM_MBUTTONDOWN || kind == WM_NCLBUTTONDOWN) {
    keyboardOnOptions_ = false;
    return 0;
  }
  HWND sink = Control(ids::kKeySink);
  if (control == sink && kind == WM_KEYDOWN && key == VK_TAB) keyboardOnOptions_ = true;
  if (!IsNumberSystemOption(control) || (kind != WM_KEYDOWN && kind != WM_KEYUP)) return 0;
  const bool choosing = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_SPACE;
  if (choosing) return 0;  // the dialog keys, and the button's own click on Space
  // Releases, Shift and Ctrl only keep the mapping's state.
  if (kind == WM_KEYDOWN && key != VK_SHIFT && key != VK_CONTROL) {
    keyboardOnOptions_ = false;
    FocusKeySink();
    if (key == VK_TAB) return 1;
  }
  SendMessageW(sink, kind, key, message.lParam);
  return 1;
}

}  // namespace tallix
