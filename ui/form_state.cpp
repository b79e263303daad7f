#include "ui/form_state.h"

#include <new>
#include <unordered_map>
#include <variant>

namespace tallix::ui {
namespace {

constexpr wchar_t kStateProperty[] = L"FLY_PTR";

using WindowState = std::variant<FormState, ControlState>;

// Every message to a form or a subclassed control looks its state up, and
// under Wine reading a window property is a round trip to the server: a list
// taking a million lines spent most of its time there. The states of the
// windows whose own procedure releases them are also kept here; others (a
// control set up without subclassing) are found through the property alone.
// Only the thread that runs the windows reads and changes it: no lock.
std::unordered_map<HWND, WindowState*>& Index() {
  static std::unordered_map<HWND, WindowState*> index;
  return index;
}

WindowState* StateOf(HWND window) {
  if (!window) return nullptr;
  const auto found = Index().find(window);
  if (found != Index().end()) return found->second;
  if (!IsWindow(window)) return nullptr;
  return static_cast<WindowState*>(GetPropW(window, kStateProperty));
}

template <class State>
State* Make(HWND window) {
  if (StateOf(window)) return nullptr;
  auto* state = new (std::nothrow) WindowState(std::in_place_type<State>);
  if (state && !SetPropW(window, kStateProperty, state)) {
    delete state;
    return nullptr;
  }
  return state ? std::get_if<State>(state) : nullptr;
}

}  // namespace

FormState* FormStateOf(HWND form) {
  WindowState* state = StateOf(form);
  return state ? std::get_if<FormState>(state) : nullptr;
}

ControlState* ControlStateOf(HWND control) {
  WindowState* state = StateOf(control);
  return state ? std::get_if<ControlState>(state) : nullptr;
}

FormState* MakeFormState(HWND form) { return Make<FormState>(form); }
ControlState* MakeControlState(HWND control) { return Make<ControlState>(control); }

void IndexWindowState(HWND window) {
  if (WindowState* state = StateOf(window)) Index()[window] = state;
}

void ReleaseWindowState(HWND window) {
  Index().erase(window);
  auto* state = static_cast<WindowState*>(RemovePropW(window, kStateProperty));
  if (auto* form = state ? std::get_if<FormState>(state) : nullptr) {
    for (HICON icon : {form->largeIcon, form->smallIcon})
      if (icon) DestroyIcon(icon);
  } else if (auto* control = state ? std::get_if<ControlState>(state) : nullptr) {
    if (control->brush) DeleteObject(control->brush);
    if (control->icon) DestroyIcon(control->icon);
  }
  delete state;
}

}  // namespace tallix::ui
