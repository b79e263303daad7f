#include "ui/stepped_work.h"

#include <commctrl.h>

#include <vector>

#include "ui/control_presets.h"
#include "ui/form.h"

namespace tallix::ui {
namespace {

constexpr ULONGLONG kQuietMilliseconds = 250;
// Between two looks at the message queue: short enough to feel responsive,
// long enough that the work, not the painting, takes the time.
constexpr ULONGLONG kPumpEveryMilliseconds = 40;
constexpr int kTextId = 1001;
constexpr int kBarId = 1002;
constexpr wchar_t kFont[] = L"Tahoma,-11,0,0,0,400,0,0,0,1,0,0,0,0";

class ProgressForm final : public FormDefinition {
 public:
  ProgressForm(const wchar_t* title, const std::wstring& text) {
    name = L"PROGRESS";
    caption = title;
    // A plain box that never takes the activation: the windows it covers
    // stay active, and nothing in it answers input anyway.
    style = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
    exStyle = WS_EX_NOACTIVATE;
    width = 360;
    height = 78;
    controls = {Static(kTextId, text.c_str(), {12, 10, 330, 28}, kFont, SS_LEFT | SS_PATHELLIPSIS),
                ProgressBar(kBarId, {12, 42, 330, 18})};
  }

  // Closed only when the work is done.
  bool OnMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) override {
    if (message != WM_CLOSE) return false;
    result = 0;
    return true;
  }
};

// The thread's windows that take input now, disabled until the work ends, as
// a task-modal message box does: nothing may add to the tape meanwhile.
class ThreadWindowsDisabled {
 public:
  ThreadWindowsDisabled() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) {
          if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled_));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ~ThreadWindowsDisabled() {
    for (HWND window : disabled_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
  }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

 private:
  std::vector<HWND> disabled_;
};

// Handles what is waiting (painting, timers); false once a quit message came.
bool PumpWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

}  // namespace

void RunSteppedWork(HWND owner, const SteppedWork& work) {
  const HCURSOR previousCursor = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  const ULONGLONG start = GetTickCount64();
  bool done = false;
  while (!done && GetTickCount64() - start < kQuietMilliseconds) done = work.step();
  if (!done) {
    ProgressForm progress(work.caption, work.text);
    {
      ThreadWindowsDisabled noInput;
      ShowForm(progress, owner, /*modal=*/false);
      bool pumping = true;
      ULONGLONG lastPump = 0;
      while (!done) {
        done = work.step();
        const ULONGLONG now = GetTickCount64();
        if (done || now - lastPump < kPumpEveryMilliseconds) continue;
        lastPump = now;
        const auto permille = static_cast<WPARAM>(work.doneFraction() * 1000);
        SendDlgItemMessageW(progress.window, kBarId, PBM_SETPOS, permille, 0);
        // After a quit message the work still ends (it leaves the tape
        // whole), but nothing more is dispatched.
        if (pumping) pumping = PumpWaitingMessages();
      }
    }
    // Only now, with its owner enabled again, may the progress window go:
    // the activation passes back to the owner instead of to no window.
    if (progress.window) DestroyWindow(progress.window);
  }
  SetCursor(previousCursor);
}

}  // namespace tallix::ui
