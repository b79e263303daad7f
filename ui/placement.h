#pragma once
// Where a top-level window goes: on the monitor of its owner (the primary
// one when it has none), never with a part of it outside that monitor's work
// area, so that its title bar can always be grasped.
#include <windows.h>

namespace tallix::ui {

// The monitor a window owned by owner belongs on.
HMONITOR MonitorForOwner(HWND owner);

// The top-left corner that centres a window of size outer on the monitor.
POINT CentredOn(HMONITOR monitor, SIZE outer);

// Moves the window into the monitor's work area where a part of it lies
// outside, and makes it smaller where it is larger than the work area. A
// window that lies within already is left as it is.
void KeepInWorkArea(HWND window, HMONITOR monitor);

// The same on the monitor the window is on now. Child windows are left alone.
void KeepOnItsMonitor(HWND window);

}  // namespace tallix::ui
