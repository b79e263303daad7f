#pragma once
// The accessible object of a themed key (TB_XPBUTTON): a push button, or a
// check button while it is a toggle; named by SetAccessibleName
// (ui/accessible_name.h) or else by its caption; pressed by its default
// action as a click presses it.
#include <windows.h>

#include <optional>

#include "ui/key_look.h"

namespace tallix::ui {

// How the object reads the key's state when asked: nullopt once it is gone.
using KeyStateReader = std::optional<XPButtonInfo> (*)(HWND key);

// The key's answer to WM_GETOBJECT for its client area.
LRESULT AnswerKeyObject(HWND key, WPARAM wParam, KeyStateReader stateOf);

}  // namespace tallix::ui
