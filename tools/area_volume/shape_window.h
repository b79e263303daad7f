#pragma once
// The "Area Calculator" and "Volume Calculator" windows: modeless, owned by
// the main window, at most one of each; opening an open one focuses it.
#include "app/main_window/main_window_context.h"

namespace tallix {

void OpenAreaWindow(MainWindowContext& main);
void OpenVolumeWindow(MainWindowContext& main);

}  // namespace tallix
