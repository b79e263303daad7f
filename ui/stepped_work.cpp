#include "ui/stepped_work.h"

#include <commctrl.h>

#include <memory>
#include <utility>
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

// Input that would act on the windows: a key pressed, a character, a click or
// the wheel. The keyboard focus stays on the disabled main window's key sink,
// and a disabled window still gets the keys of the focus it holds, so a key
// typed meanwhile would land in the middle of the work (inside a tape being
// loaded). Such input is dropped, as a disabled window drops clicks. Key and
// button releases still go through: a key held down before the work began
// is drawn released again.
bool IsActingInput(const MSG& message) {
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_UNICHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: return true;
    default: return false;
  }
}

// Handles what is waiting (painting, timers); false once a quit message came.
bool PumpWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (IsActingInput(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

}  // namespace

// The progress window and the disabled windows, from the end of the quiet
// time to the end of the work.
class LongWork::Shown {
 public:
  Shown(HWND owner, const wchar_t* caption, const std::wstring& text) : progress_(caption, text) {
    ShowForm(progress_, owner, /*modal=*/false);
  }
  ~Shown() {
    // Only with its owner enabled again may the progress window go: the
    // activation passes back to the owner instead of to no window.
    noInput_.reset();
    if (progress_.window) DestroyWindow(progress_.window);
  }
  void Show(double doneFraction) {
    SendDlgItemMessageW(progress_.window, kBarId, PBM_SETPOS, static_cast<WPARAM>(doneFraction * 1000), 0);
  }

 private:
  std::unique_ptr<ThreadWindowsDisabled> noInput_ = std::make_unique<ThreadWindowsDisabled>();
  ProgressForm progress_;
};

LongWork::LongWork(HWND owner, const wchar_t* caption, std::wstring text)
    : owner_(owner),
      caption_(caption),
      text_(std::move(text)),
      previousCursor_(SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)))),
      start_(GetTickCount64()) {}

LongWork::~LongWork() {
  shown_.reset();
  SetCursor(previousCursor_);
}

void LongWork::Progress(double doneFraction) {
  const ULONGLONG now = GetTickCount64();
  if (!shown_) {
    if (now - start_ < kQuietMilliseconds) return;
    shown_ = std::make_unique<Shown>(owner_, caption_, text_);
  }
  if (now - lastPump_ < kPumpEveryMilliseconds) return;
  lastPump_ = now;
  shown_->Show(doneFraction);
  // After a quit message the work still ends (it leaves the tape whole), but
  // nothing more is dispatched.
  if (pumping_) pumping_ = PumpWaitingMessages();
}

void RunSteppedWork(HWND owner, const SteppedWork& work) {
  LongWork longWork(owner, work.caption, work.text);
  while (!work.step()) longWork.Progress(work.doneFraction());
}

}  // namespace tallix::ui
