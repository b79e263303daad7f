#pragma once
// The keystroke that presses a keypad key, as the keyboard mapping of the key
// sink has it, named the way Windows names shortcut keys: what a screen
// reader says after a key's name.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/keypad.h"

namespace tallix {

// The menu commands that a keystroke runs too; the menu shows that keystroke
// after the item's caption.
enum class MenuCommand : unsigned char {
  Copy,
  Paste,
  AddNote,
  Help,
  GrandTotal,
  CopyTape,
  Find,
  FindNext,
  FindPrevious
};

// The keypad key that a keystroke (with Shift or Ctrl held or not) draws
// pressed in a display mode, with the laptop mapping on or off; nullopt when
// it presses none. Here and below the grand total counts as on, so that its
// keystroke is known; the find box counts as closed here (F3 is the area
// calculator's key) and as open for the commands below (F3 finds the next
// line while it is open).
std::optional<Key> KeyPressedBy(int virtualKey, bool shift, std::uint8_t displayMode, bool ctrl = false,
                                bool laptop = false);

// A keystroke the mapping knows: a key, named as Windows names it ("Esc",
// "5", "Num *"), with Shift and Ctrl held or not.
struct Keystroke {
  int virtualKey;
  std::string_view name;
  bool shift;
  bool ctrl;
};

// Every keystroke that presses `key` in decimal mode, or else in hexadecimal
// mode, with as few of Shift and Ctrl held as any does: plain keys before
// shifted ones, those before Ctrl ones and those before Ctrl+Shift ones; the
// main keyboard before the numeric keypad.
std::vector<Keystroke> KeystrokesPressing(Key key, bool laptop = false);

// The first of those, named ("Esc", "Shift+5", "F9", "G", "Ctrl+M",
// "Ctrl+Shift+H"). Empty when no keystroke presses it.
std::string KeyboardShortcut(Key key);

// The menu command that a keystroke runs in a display mode; nullopt for none.
std::optional<MenuCommand> CommandRunBy(int virtualKey, bool shift, std::uint8_t displayMode, bool ctrl = false);

// The keystrokes that run `command`, found as for a key.
std::vector<Keystroke> KeystrokesRunning(MenuCommand command);

// The first of those, named as for a key ("Ctrl+C"); empty when none runs it.
std::string KeyboardShortcut(MenuCommand command);

}  // namespace tallix
