#pragma once
// A modal box that asks for one line of text: the prompt above a field that
// starts with a default text, OK (Enter) and Cancel (Esc, the close box).
#include <windows.h>

#include <functional>
#include <string>

namespace tallix::ui {

// Why a typed text cannot be taken; empty when it can.
using InputRefusal = std::function<std::wstring(const std::wstring& typed)>;

// The typed text, or an empty text when cancelled. A text that `refusal`
// refuses is not taken: OK says why, and the box stays open with the text.
std::wstring InputBox(HWND owner, const std::wstring& prompt, const std::wstring& title,
                      const std::wstring& defaultText, const InputRefusal& refusal = {});

}  // namespace tallix::ui
