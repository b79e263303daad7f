#pragma once
// The transfer test window ("File Transfer / Network Performance Calculator"),
// modeless beside the main window: one at a time, focused when already open.
#include "side_window/side_window_context.h"

namespace tallix::transfer {

void OpenTransferWindow(SideWindowContext& main);

}  // namespace tallix::transfer
