#pragma once
// The keystroke that presses a keypad key, as the keyboard mapping of the key
// sink has it, named the way Windows names shortcut keys: what a screen
// reader says after a key's name.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/keypad.h"

namespace tallix {

// The keypad key that a keystroke (with Shift or Ctrl held or not) draws
// pressed in a display mode, without the laptop mapping; nullopt when it
// presses none.
std::optional<Key> KeyPressedBy(int virtualKey, bool shift, std::uint8_t displayMode, bool ctrl = false);

// The first keystroke that presses `key` in decimal mode, or else in
// hexadecimal mode: plain keys before shifted ones and those before Ctrl ones,
// the main keyboard before the numeric keypad ("Esc", "Shift+5", "F9", "G",
// "Ctrl+M"). Empty when
// no keystroke presses it.
std::string KeyboardShortcut(Key key);

}  // namespace tallix
