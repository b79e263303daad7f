// The key sink: a never-visible edit field that keeps the keyboard focus, so
// that every key press reaches the keyboard mapping. Keys typed while the
// display has the focus are handed on as if the key sink had them.
#include "app/main_window/key_sink.h"

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window_impl.h"

namespace tallix {

LRESULT CALLBACK KeySinkProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_KEYUP) {
    const ui::FlyRecord* form = ui::GetFlyRecord(GetParent(edit));
    auto* self = form && form->isForm ? dynamic_cast<MainWindow*>(form->definition) : nullptr;
    const bool isKeySink = GetDlgCtrlID(edit) == ids::kKeySink;
    if (self && message == WM_KEYDOWN) {
      if (!isKeySink) self->FocusKeySink();
      wParam = static_cast<WPARAM>(self->CalculatorEngine().OnKeyDown(static_cast<int>(wParam)));
    } else if (self && isKeySink) {
      self->CalculatorEngine().OnKeyUp(static_cast<int>(wParam));
    }
  }
  return ui::ControlSubclassProcedure(edit, message, wParam, lParam);
}

}  // namespace tallix
