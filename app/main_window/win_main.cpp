// Tallix.exe: common controls, then the main window until it closes.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "app/main_window/main_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Every common control class except the link control.
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
  InitCommonControlsEx(&controls);
  return tallix::ShowMainWindow();
}
