#pragma once
// The converter's popup beside the "Cnv" key: a tree of the seven categories
// and their units under a line that names the display value. Choosing a unit
// writes the conversion to the tape and closes it; so does nothing else but
// leaving it, which closes it without writing.
#include <windows.h>

#include "side_window/side_window_context.h"

namespace tallix {

// Opens the popup beside `cnvKey`, the main window's "Cnv" key.
void ShowConverter(SideWindowContext& main, HWND cnvKey);

}  // namespace tallix
