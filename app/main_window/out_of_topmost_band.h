#pragma once
// While a system dialog (print, folder browser) shows, an always-on-top main
// window would hide it: the main window leaves the topmost band for the
// lifetime of this object and goes back afterwards.
#include <windows.h>

#include "app/main_window/main_window_context.h"

namespace tallix {

class OutOfTopmostBand {
 public:
  explicit OutOfTopmostBand(MainWindowContext& main) : main_(main), wasOnTop_(main.IsAlwaysOnTop()) {
    if (wasOnTop_) SetWindowPos(main_.Owner(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ~OutOfTopmostBand() {
    if (wasOnTop_) main_.SetAlwaysOnTop(true);
  }
  OutOfTopmostBand(const OutOfTopmostBand&) = delete;
  OutOfTopmostBand& operator=(const OutOfTopmostBand&) = delete;

 private:
  MainWindowContext& main_;
  bool wasOnTop_;
};

}  // namespace tallix
