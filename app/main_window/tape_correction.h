#pragma once
// Correcting a number typed long ago from the tape, and undoing that: the Edit
// menu's commands around them.

#include <cstddef>
#include <string>
#include <string_view>

#include "app/main_window/main_window_context.h"

namespace tallix {

// Tape line `line` (from 0) was double-clicked: asks for the number it
// should have been and makes the tape, display, panes and memory banks again
// as if it had been typed so. Lines of results, side tools or a loaded tape
// are not corrected; a message says why.
void CorrectTapeLine(MainWindowContext& main, int line);
// "Correct Last Entry...": the same for the last number typed, from the
// keyboard too (the tape takes no selection).
void CorrectLastEntry(MainWindowContext& main);
// The same without asking: typed number `which` (from 0, since the tape was
// last cleared or loaded) made `typed`; false when it cannot be typed so.
bool CorrectTypedNumber(MainWindowContext& main, std::size_t which, std::string_view typed);
// "Undo Correction": the tape as it was before the last correction.
void UndoCorrection(MainWindowContext& main);

}  // namespace tallix
