#pragma once
// Edit > Find...: a small modeless box over the main window that finds a text
// or a number on the tape (app/tape/tape_find.h), down with Find Next (F3,
// Enter) and up with Find Previous (Shift+F3), round the tape's ends. The
// line found is marked and brought into view on the tape, and a screen
// reader is told it; what came of a search, "not on the tape" included, is
// said in the box. The box keeps its text between openings; closing it takes
// the mark away.
#include "app/main_window/main_window_context.h"

namespace tallix {

// Opens the box, or brings the open one forward, its text selected.
void OpenFindBox(MainWindowContext& main);
// The box's text found from the marked line (or from the tape's end), down
// or up; nothing while the box is closed.
void FindOnTapeAgain(MainWindowContext& main, bool down);
bool IsFindBoxOpen(MainWindowContext& main);

}  // namespace tallix
