#pragma once
// The transfer test window ("File Transfer / Network Performance Calculator"),
// modeless beside the main window: one at a time, focused when already open.
#include "app/main_window/main_window_context.h"

namespace tallix::transfer {

void OpenTransferWindow(MainWindowContext& main);

}  // namespace tallix::transfer
