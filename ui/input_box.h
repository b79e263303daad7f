#pragma once
// A modal box that asks for one line of text: the prompt above a field that
// starts with a default text, OK (Enter) and Cancel (Esc, the close box).
#include <windows.h>

#include <string>

namespace tallix::ui {

// The typed text, or an empty text when cancelled.
std::wstring InputBox(HWND owner, const std::wstring& prompt, const std::wstring& title,
                      const std::wstring& defaultText);

}  // namespace tallix::ui
