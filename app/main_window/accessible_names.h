#pragma once
// What a screen reader calls each control of the main window: the display,
// the tape, the status panes and every key. A key is named by the spoken word
// for its symbol where it has one ("Divide"), else by its tooltip without
// the keystroke in parentheses ("Paper Feed"), else by its caption ("7").
#include <string>

#include "engine/keypad.h"

namespace tallix {

// Empty for a control whose caption or text already names it.
std::wstring MainWindowAccessibleName(int id);
// The keystroke that presses the key, from the keyboard mapping; empty when
// none does.
std::wstring KeyShortcutText(Key key);

}  // namespace tallix
