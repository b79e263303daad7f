#pragma once
// The keyboard topic's table and laptop keys, made from the key map so that
// the help cannot disagree with it, and named in the help's own notation
// ("<UP ARROW>", "Ctrl-C", "%", "r", "= or Enter", "Shift + Esc").
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "engine/keyboard_shortcut.h"

namespace tallix {

// A row of the table: a button and the key or menu command it stands for.
struct KeyboardHelpRow {
  std::variant<Key, MenuCommand> what;
  std::string_view button = {};     // the key's caption when empty
  std::optional<Key> through = {};  // the last key of a range ("0-9")
};

// In the table's order.
std::span<const KeyboardHelpRow> KeyboardHelpRows();

// The keystrokes a row's Keyboard column names: every key that presses its key
// (or runs its command) typed alone ("= or Enter"), else the first keystroke
// that does with Shift or Ctrl held; of a range, the first key's and the last
// key's first.
std::vector<Keystroke> KeystrokesNamed(const KeyboardHelpRow& row);

// The keystrokes the laptop mapping gives another key, each with that key: the
// letters that type digits, by digit, then the keys that type signs.
std::vector<std::pair<Keystroke, Key>> LaptopHelpKeys();

// The lines that stand for a mark line of the keyboard topic's text:
// "@KEYS@" the table's rows, "@LAPTOP_DIGITS@" and "@LAPTOP_SIGNS@" the laptop
// keys ("M = 0"); each line ended by LF. Nothing for any other line.
std::optional<std::string> KeyboardHelpLines(std::string_view mark);

}  // namespace tallix
