// A form's control notifications and menu commands: first to the control
// that caused them, then to the handler its definition bound to them.
#include "ui/form_parts.h"

namespace tallix::ui {
namespace {

// A command handler that runs the action and reports the message handled.
ControlHandler AnsweredBy(std::function<void()> action) {
  return [action = std::move(action)](const ControlEvent&) -> LRESULT {
    action();
    return 1;
  };
}

}  // namespace

void FormDefinition::Bind(UINT message, int id, int code, ControlHandler handler) {
  handlers_[{message, id, code}] = std::move(handler);
}

void FormDefinition::OnClick(int id, std::function<void()> action) {
  Bind(WM_COMMAND, id, BN_CLICKED, AnsweredBy(std::move(action)));
}

void FormDefinition::OnCommand(int id, std::function<void()> action) {
  Bind(WM_COMMAND, id, kAnyCode, AnsweredBy(std::move(action)));
}

LRESULT FormDefinition::Dispatch(const ControlEvent& event) {
  auto found = handlers_.find({event.message, event.id, event.code});
  if (found == handlers_.end()) found = handlers_.find({event.message, event.id, kAnyCode});
  return found != handlers_.end() ? found->second(event) : OnControlEvent(event);
}

FormDefinition* DefinitionOf(HWND form) {
  const FormState* state = FormStateOf(form);
  return state ? state->definition : nullptr;
}

LRESULT Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!control || !ControlStateOf(control)) return 0;
  return SendMessageW(control, kReflectBase + message, wParam, lParam);
}

LRESULT OnControlEvent(HWND form, FormDefinition& definition, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlEvent event{form, message, 0, 0, nullptr, 0, wParam, lParam};
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) return 0;
    event.control = header->hwndFrom;
    event.id = static_cast<int>(header->idFrom);
    event.code = static_cast<int>(header->code);
  } else {
    event.control = reinterpret_cast<HWND>(lParam);
    event.id = message == WM_COMMAND ? LOWORD(wParam) : GetDlgCtrlID(event.control);
    event.code = message == WM_COMMAND ? HIWORD(wParam) : LOWORD(wParam);
  }
  if (LRESULT reflected = Reflect(event.control, message, wParam, lParam)) return reflected;
  if (const ControlState* state = ControlStateOf(event.control)) event.controlValue = state->value;
  return definition.Dispatch(event);
}

}  // namespace tallix::ui
