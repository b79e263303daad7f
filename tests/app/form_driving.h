#pragma once
// Driving windows created in the test process: pending messages pumped
// instead of waited for, and a modal form driven from inside its own loop.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace tallix::gui_test {

inline void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Runs `drive` on the form of class `className` once it is open during
// `open` (a modal form's loop runs the thread's timer).
inline void WithFormOpen(const wchar_t* className, const std::function<void()>& open, std::function<void(HWND)> drive) {
  static const wchar_t* wanted;
  static std::function<void(HWND)> driver;
  static UINT_PTR timer;
  wanted = className;
  driver = std::move(drive);
  timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND form = FindWindowW(wanted, nullptr);
    if (!form || !IsWindowVisible(form)) return;
    KillTimer(nullptr, timer);
    timer = 0;
    driver(form);
  });
  open();
  const bool opened = timer == 0;
  if (!opened) KillTimer(nullptr, timer);
  EXPECT_TRUE(opened) << "no form opened";
}

}  // namespace tallix::gui_test
