#pragma once
// The "Area Calculator" and "Volume Calculator" windows: modeless, owned by
// the main window, at most one of each; opening an open one focuses it.
#include "side_window/side_window_context.h"

namespace tallix {

void OpenAreaWindow(SideWindowContext& main);
void OpenVolumeWindow(SideWindowContext& main);

}  // namespace tallix
