#pragma once
// Writes down, window by window, where each control is, how large each
// client area is, the height of each font and whether each caption fits;
// optionally after a move to another DPI, and with a photograph of each.
#include <windows.h>

#include <ostream>
#include <string>

namespace tallix::dpi_probe {

class Recorder {
 public:
  Recorder(std::ostream& out, std::string shots, int switchTo);

  // Measures a window (after the DPI switch when asked) and writes it down.
  void Record(const std::string& name, HWND form);

  bool failed = false;

 private:
  // The whole window, title bar first, lies within the work area of a
  // monitor. Answers, for width and height, 1 where the window fills the
  // work area: made smaller to fit, it is not its design size scaled.
  SIZE CheckOnScreen(const std::string& name, HWND form);

  // A window made smaller to fit the screen still shows each of its controls
  // whole, and any window its push buttons: what is cut off cannot be used.
  void CheckReachable(const std::string& name, HWND form, bool shrunk);

  void SwitchDpi(HWND form);

  std::ostream& out_;
  std::string shots_;
  int switchTo_;
};

}  // namespace tallix::dpi_probe
