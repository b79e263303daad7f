#pragma once
// The converter's popup beside the "Cnv" key: a tree of the seven categories
// and their units under a line that names the display value. Choosing a unit
// writes the conversion to the tape and closes it; so does nothing else but
// leaving it, which closes it without writing.
#include "app/main_window/main_window_context.h"

namespace tallix {

// Modal to the main window; returns once the popup has closed.
void ShowConverter(MainWindowContext& main);

}  // namespace tallix
