#pragma once
// Work that keeps the thread busy for seconds (a tape of a million lines going
// into the tape list, a long tape made again) done in short steps: the
// windows keep painting, take no input meanwhile, and a small window shows how
// far the work has got.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace tallix::ui {

// Held for the length of the work, told how far it has got as often as it
// likes. The first quarter of a second passes under the wait cursor alone, so
// that short work shows no window; after that the thread's windows are
// disabled and the progress window shows until the object goes. A quit
// message received meanwhile is posted again afterwards.
class LongWork {
 public:
  // `caption` is the progress window's title (not shown), `text` what is
  // being done, above the bar.
  LongWork(HWND owner, const wchar_t* caption, std::wstring text);
  ~LongWork();
  LongWork(const LongWork&) = delete;
  LongWork& operator=(const LongWork&) = delete;

  // `doneFraction` from 0 to 1.
  void Progress(double doneFraction);

 private:
  class Shown;
  HWND owner_;
  const wchar_t* caption_;
  std::wstring text_;
  HCURSOR previousCursor_;
  ULONGLONG start_;
  ULONGLONG lastPump_ = 0;
  bool pumping_ = true;
  std::unique_ptr<Shown> shown_;
};

struct SteppedWork {
  // Does a short piece of the work (a few milliseconds); true when all is done.
  std::function<bool()> step;
  // How much is done, 0 to 1.
  std::function<double()> doneFraction;
  const wchar_t* caption = L"Tallix";  // the progress window's title (not shown)
  std::wstring text;                   // what is being done, above the progress bar
};

// Runs the work to its end under a LongWork.
void RunSteppedWork(HWND owner, const SteppedWork& work);

}  // namespace tallix::ui
