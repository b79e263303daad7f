#pragma once
// Work that keeps the thread busy for seconds (a tape of a million lines going
// into the tape list) done in short steps: the windows keep painting, take no
// input meanwhile, and a small window shows how far the work has got.
#include <windows.h>

#include <functional>
#include <string>

namespace tallix::ui {

struct SteppedWork {
  // Does a short piece of the work (a few milliseconds); true when all is done.
  std::function<bool()> step;
  // How much is done, 0 to 1.
  std::function<double()> doneFraction;
  const wchar_t* caption = L"Tallix";
  std::wstring text;  // what is being done, above the progress bar
};

// Runs the work to its end. The first quarter of a second passes under the
// wait cursor alone, so that short work shows no window; after that the
// thread's windows are disabled and the progress window shows until the end.
// A quit message received meanwhile is posted again afterwards.
void RunSteppedWork(HWND owner, const SteppedWork& work);

}  // namespace tallix::ui
