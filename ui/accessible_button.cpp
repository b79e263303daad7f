#include "ui/accessible_button.h"

#include <new>
#include <optional>

#include "ui/accessible_name.h"
#include "ui/accessible_object.h"
#include "ui/control_helpers.h"

namespace tallix::ui {
namespace {

class KeyAccessible : public DelegatingAccessible {
 public:
  KeyAccessible(HWND key, KeyStateReader stateOf) : DelegatingAccessible(key), stateOf_(stateOf) {}

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return DelegatingAccessible::get_accName(child, name);
    const std::wstring given = AccessibleNameOf(window_);
    return AnswerText(given.empty() ? GetText(window_) : given, name);
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return DelegatingAccessible::get_accRole(child, role);
    return AnswerNumber(IsToggle() ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON, role);
  }

  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!IsSelf(child)) return DelegatingAccessible::get_accState(child, state);
    return AnswerNumber(State(), state);
  }

  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    if (!IsSelf(child)) return DelegatingAccessible::get_accKeyboardShortcut(child, shortcut);
    return AnswerText(AccessibleShortcutOf(window_), shortcut);
  }

  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child)) return DelegatingAccessible::get_accDefaultAction(child, action);
    return AnswerText(L"Press", action);
  }

  // Posted, as the system's buttons do: the press may open a modal window,
  // which must not hold up the caller.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child)) return DelegatingAccessible::accDoDefaultAction(child);
    if (!IsWindowEnabled(window_)) return E_FAIL;
    return PostMessageW(window_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }

 private:
  bool IsToggle() const {
    const std::optional<XPButtonInfo> info = stateOf_(window_);
    return info && info->toggleMode;
  }

  long State() const {
    const std::optional<XPButtonInfo> info = stateOf_(window_);
    long state = 0;
    if (!IsWindowVisible(window_)) state |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(window_)) {
      state |= STATE_SYSTEM_UNAVAILABLE;
    } else {
      state |= STATE_SYSTEM_FOCUSABLE;
      if (GetFocus() == window_) state |= STATE_SYSTEM_FOCUSED;
    }
    if (!info) return state;
    const bool toggledOn = info->toggleMode && info->toggled;
    if (info->state == kXPButtonHeld || toggledOn) state |= STATE_SYSTEM_PRESSED;
    if (toggledOn) state |= STATE_SYSTEM_CHECKED;
    if (info->hot) state |= STATE_SYSTEM_HOTTRACKED;
    return state;
  }

  KeyStateReader stateOf_;
};

}  // namespace

LRESULT AnswerKeyObject(HWND key, WPARAM wParam, KeyStateReader stateOf) {
  return AnswerGetObject(new (std::nothrow) KeyAccessible(key, stateOf), wParam);
}

}  // namespace tallix::ui
