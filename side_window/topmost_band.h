#pragma once
// While a dialog of ours shows (the print dialog, a message or input box), an
// always-on-top main window would hide it: for the scope of this object the
// main window leaves the topmost band, without moving or activating it.
#include <windows.h>

#include "side_window/side_window_context.h"

namespace tallix {

class OutOfTopmostBand {
 public:
  explicit OutOfTopmostBand(SideWindowContext& main) : main_(main), wasOnTop_(main.IsAlwaysOnTop()) {
    if (wasOnTop_) SetWindowPos(main_.Owner(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ~OutOfTopmostBand() {
    if (wasOnTop_) main_.SetAlwaysOnTop(true);
  }
  OutOfTopmostBand(const OutOfTopmostBand&) = delete;
  OutOfTopmostBand& operator=(const OutOfTopmostBand&) = delete;

 private:
  SideWindowContext& main_;
  bool wasOnTop_;
};

}  // namespace tallix
