#pragma once
// Real key strokes for the windows of this process: SendInput, through the
// system's input queue to the window in the foreground, and the messages
// pumped through the forms' filter as the program's own loop does.
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/form.h"

namespace tallix::key_strokes {

// Pending messages, through the forms' filter as the program's own loop does.
inline void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (ui::PreTranslateFormMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Pumps until `done` or a second has passed.
inline bool PumpUntil(const std::function<bool()>& done) {
  for (int waited = 0; waited < 1000; waited += 5) {
    Pump();
    if (done()) return true;
    Sleep(5);
  }
  return false;
}

// Presses and releases a key (with modifiers such as VK_MENU) as the keyboard would,
// and gives the input queue time to deliver it: until the focus moves or,
// where it stays, a fifth of a second.
inline void Press(WORD key, WORD modifier = 0, WORD secondModifier = 0) {
  std::vector<INPUT> strokes;
  const auto stroke = [&](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    strokes.push_back(input);
  };
  if (modifier) stroke(modifier, 0);
  if (secondModifier) stroke(secondModifier, 0);
  stroke(key, 0);
  stroke(key, KEYEVENTF_KEYUP);
  if (secondModifier) stroke(secondModifier, KEYEVENTF_KEYUP);
  if (modifier) stroke(modifier, KEYEVENTF_KEYUP);
  const HWND before = GetFocus();
  SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
  int waited = 0;
  for (; waited < 200 && GetFocus() == before; waited += 5) {
    Sleep(5);
    Pump();
  }
  Sleep(20);
  Pump();
}

inline int FocusId() { return GetDlgCtrlID(GetFocus()); }

}  // namespace tallix::key_strokes
